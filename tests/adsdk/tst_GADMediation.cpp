#include "AdTestSupport.h"
#include "GADHouseNetwork.h"
#include "GADMobileAds.h"
#include "TestMain.h"

#include <QTest>
#include <memory>

class TestGADMediation : public QObject {
    Q_OBJECT
    std::unique_ptr<QWidget> root;
    std::unique_ptr<GADBannerView> banner;
    RecordingBannerDelegate delegate;

    void load(const QStringList& chain, const QStringList& ads)
    {
        QVERIFY(GADHouseNetwork::shared().loadManifest(manifest(ads, chain)));
        GADRequest request = GADRequest::request();
        request.setLocationWithLatitude(48.137f, 11.575f, 30.0f);
        banner->loadRequest(request);
    }

private slots:
    void initTestCase() { FakeCustomEvent::registerAll(); }
    void init()
    {
        qunsetenv(GADMobileAds::kServerEnvironmentVariable);
        root = std::make_unique<QWidget>();
        banner = std::make_unique<GADBannerView>(GADAdSizeFromSize(QSizeF(768, 90)), root.get());
        banner->setAdUnitID(kTestUnit);
        banner->setRootViewController(root.get());
        banner->setDelegate(&delegate);
        delegate = RecordingBannerDelegate();
    }
    void cleanup()
    {
        banner.reset();
        root.reset();
        QCOMPARE(FakeCustomEvent::alive, 0);
        GADHouseNetwork::shared().reset();
    }

    void configuredCustomEventIsCreatedByNameAndShown()
    {
        load({"FakeEvent"}, {});
        QTRY_COMPARE(delegate.events, QStringList{"receive"});
        FakeCustomEvent* event = FakeCustomEvent::last;
        QVERIFY(event);
        QCOMPARE(banner->mediatedClassName(), QStringLiteral("FakeEvent"));
        QCOMPARE(banner->mediatedAdView(), event->view.data());
        QCOMPARE(event->view->parentWidget(), banner.get());
        QCOMPARE(event->adSize.size, QSizeF(768, 90));
        QCOMPARE(event->serverParameter, QStringLiteral("FakeEvent-p"));
        QCOMPARE(event->serverLabel, QStringLiteral("FakeEvent-l"));
        QVERIFY(event->request.userHasLocation);
        QCOMPARE(event->request.userLatitude, 48.14f); // two decimals only
        QCOMPARE(event->request.userLocationAccuracyInMeters, 30.0f);
    }

    void waterfall_data()
    {
        QTest::addColumn<QStringList>("chain");
        QTest::addColumn<QStringList>("ads");
        QTest::addColumn<QString>("shown"); // mediated class or house ad; empty: the load fails
        QTest::addColumn<int>("errorCode");
        QTest::newRow("unknown class, then a custom event")
            << QStringList{"Missing", "FakeEvent"} << QStringList{"house"} << "FakeEvent" << 0;
        QTest::newRow("failing custom event, then another")
            << QStringList{"FakeFailing", "FakeEvent"} << QStringList{} << "FakeEvent" << 0;
        QTest::newRow("custom event reporting from a thread")
            << QStringList{"FakeThreaded"} << QStringList{} << "FakeThreaded" << 0;
        QTest::newRow("house ad backfills")
            << QStringList{"FakeFailing"} << QStringList{"house"} << "house" << 0;
        QTest::newRow("nothing fills") << QStringList{"FakeFailing", "Missing"} << QStringList{}
                                       << "" << int(kGADErrorMediationNoFill);
        QTest::newRow("no mediation, no ads")
            << QStringList{} << QStringList{} << "" << int(kGADErrorNoFill);
    }
    void waterfall()
    {
        QFETCH(QStringList, chain);
        QFETCH(QStringList, ads);
        QFETCH(QString, shown);
        QFETCH(int, errorCode);
        load(chain, ads);
        QTRY_COMPARE(delegate.events, QStringList{shown.isEmpty() ? "fail" : "receive"});
        if (shown.isEmpty())
            QCOMPARE(delegate.errors.first().code, errorCode);
        else
            QCOMPARE(banner->creative() ? banner->creative()->identifier
                                        : banner->mediatedClassName(),
                     shown);
        QCOMPARE(FakeCustomEvent::alive, banner->mediatedCustomEvent() ? 1 : 0);
        QCOMPARE(delegate.threads.first(), QCoreApplication::instance()->thread());
    }

    void refreshReplacesTheCustomEventAndItsView()
    {
        load({"FakeEvent"}, {});
        QTRY_COMPARE(delegate.events.size(), 1);
        QPointer<QWidget> firstView = banner->mediatedAdView();
        banner->refresh();
        QCOMPARE(banner->mediatedAdView(), firstView.data()); // stays until the next fills
        QTRY_COMPARE(delegate.events, (QStringList{"receive", "receive"}));
        QVERIFY(!firstView);
        QCOMPARE(FakeCustomEvent::alive, 1);
    }
};

KORVANE_REGISTER_TEST(TestGADMediation);
#include "tst_GADMediation.moc"
