#include "AdTestSupport.h"
#include "GADHouseNetwork.h"
#include "GADMobileAds.h"
#include "LoopbackHttpServer.h"
#include "TestMain.h"

#include <QTest>
#include <QUrlQuery>
#include <memory>

namespace {
constexpr int kWait = 10000;

QByteArray adBody(const QJsonObject& ad)
{
    return QJsonDocument(QJsonObject{{"ad", ad}}).toJson(QJsonDocument::Compact);
}
} // namespace

class TestGADAdServer : public QObject {
    Q_OBJECT
    std::unique_ptr<LoopbackHttpServer> server;
    std::unique_ptr<QWidget> root;
    std::unique_ptr<GADBannerView> banner;
    RecordingBannerDelegate delegate;

    void answer(const LoopbackHttpServer::Response& response)
    {
        server->setHandler([response](const LoopbackHttpServer::Request&) { return response; });
    }
    void load()
    {
        GADRequest request = GADRequest::request();
        request.setLocationWithLatitude(52.52f, 13.405f, 65.0f);
        banner->loadRequest(request);
    }

private slots:
    void initTestCase() { FakeCustomEvent::registerAll(); }
    void init()
    {
        server = std::make_unique<LoopbackHttpServer>();
        qputenv(GADMobileAds::kServerEnvironmentVariable, server->baseUrl().toEncoded());
        // The house inventory must not answer for the server.
        QVERIFY(GADHouseNetwork::shared().loadManifest(manifest({"house"})));
        root = std::make_unique<QWidget>();
        banner = std::make_unique<GADBannerView>(kGADAdSizeBanner, root.get());
        banner->setAdUnitID(kTestUnit);
        banner->setRootViewController(root.get());
        banner->setDelegate(&delegate);
        delegate = RecordingBannerDelegate();
    }
    void cleanup()
    {
        banner.reset();
        root.reset();
        server.reset();
        qunsetenv(GADMobileAds::kServerEnvironmentVariable);
        GADMobileAds::setRequestTimeout(std::chrono::milliseconds(0));
        GADMobileAds::setRequestDeadline(std::chrono::milliseconds(0));
        GADHouseNetwork::shared().reset();
    }

    void success()
    {
        QJsonObject ad = adJson("srv-1");
        ad.remove("image_svg_base64");
        ad.insert("image_png_base64", QString::fromLatin1(pngBytes().toBase64()));
        answer({200, adBody(ad)});
        load();
        QTRY_COMPARE_WITH_TIMEOUT(delegate.events, QStringList{"receive"}, kWait);
        QCOMPARE(delegate.threads.first(), QCoreApplication::instance()->thread());
        QCOMPARE(banner->creative()->identifier, QStringLiteral("srv-1"));

        const auto requests = server->requests();
        QCOMPARE(requests.size(), 1);
        const QUrl target(QString::fromLatin1(requests.first().target));
        QCOMPARE(target.path(), QStringLiteral("/ad"));
        const QUrlQuery query(target);
        QCOMPARE(query.queryItemValue("unit", QUrl::FullyDecoded), kTestUnit);
        QCOMPARE(query.queryItemValue("w") + 'x' + query.queryItemValue("h"),
                 QStringLiteral("320x50"));
        // About a kilometre: enough for local ads, not a track.
        QCOMPARE(query.queryItemValue("lat"), QStringLiteral("52.52"));
        QCOMPARE(query.queryItemValue("lon"), QStringLiteral("13.40"));
        QCOMPARE(query.queryItemValue("acc"), QStringLiteral("65.0"));
    }

    void serverMediationCreatesTheNamedCustomEvent()
    {
        const QJsonObject answerObject{{"mediation", mediatedNetworks({"FakeEvent"})}};
        answer({200, QJsonDocument(answerObject).toJson()});
        load();
        QTRY_COMPARE_WITH_TIMEOUT(delegate.events, QStringList{"receive"}, kWait);
        QCOMPARE(banner->mediatedClassName(), QStringLiteral("FakeEvent"));
    }

    void failures_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<int>("errorCode");
        const QByteArray good = adBody(adJson("x"));
        QTest::newRow("HTTP 500") << 500 << good << int(kGADErrorServerError);
        QTest::newRow("HTTP 404") << 404 << QByteArray("not here") << int(kGADErrorServerError);
        QTest::newRow("garbage") << 200 << QByteArray("\x01\xffgarbage<html>")
                                 << int(kGADErrorInvalidResponse);
        QTest::newRow("empty body") << 200 << QByteArray() << int(kGADErrorInvalidResponse);
        QTest::newRow("truncated JSON")
            << 200 << good.left(good.size() / 2) << int(kGADErrorInvalidResponse);
        QTest::newRow("oversize body")
            << 200 << QByteArray("{\"pad\":\"") + QByteArray(600 * 1024, 'a') + "\"}"
            << int(kGADErrorInvalidResponse);
        QTest::newRow("nothing listens") << 0 << QByteArray() << int(kGADErrorNetworkError);
        QTest::newRow("no fill, 204") << 204 << QByteArray() << int(kGADErrorNoFill);
    }
    void failures()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, payload);
        QFETCH(int, errorCode);
        if (status == 0)
            server.reset(); // its port is free again
        else
            answer({status, payload});
        load();
        QTRY_COMPARE_WITH_TIMEOUT(delegate.events, QStringList{"fail"}, kWait);
        QCOMPARE(delegate.errors.first().code, errorCode);
        QCOMPARE(delegate.threads.first(), QCoreApplication::instance()->thread());
        QVERIFY(!banner->hasAd());
        QVERIFY(banner->isRefreshScheduled());
    }

    void slowServerTimesOut_data()
    {
        QTest::addColumn<bool>("hang");
        QTest::addColumn<int>("dripMs");
        QTest::newRow("silence") << true << 0;
        // Never silent for the time-out, but far slower than the deadline.
        QTest::newRow("one byte at a time") << false << 100;
    }
    void slowServerTimesOut()
    {
        QFETCH(bool, hang);
        QFETCH(int, dripMs);
        GADMobileAds::setRequestTimeout(std::chrono::milliseconds(1000));
        GADMobileAds::setRequestDeadline(std::chrono::milliseconds(2000));
        LoopbackHttpServer::Response slow{200, adBody(adJson("slow"))};
        slow.hang = hang;
        slow.dripMs = dripMs;
        answer(slow);
        load();
        QTRY_COMPARE_WITH_TIMEOUT(delegate.events, QStringList{"fail"}, kWait);
        QCOMPARE(delegate.errors.first().code, int(kGADErrorTimeout));
    }

    void destroyingTheBannerCancelsTheRequest()
    {
        LoopbackHttpServer::Response silence;
        silence.hang = true;
        answer(silence);
        load();
        QTRY_COMPARE_WITH_TIMEOUT(server->requests().size(), 1, kWait);
        banner.reset();
        QCoreApplication::processEvents();
        QVERIFY(delegate.events.isEmpty());
    }
};

KORVANE_REGISTER_TEST(TestGADAdServer);
#include "tst_GADAdServer.moc"
