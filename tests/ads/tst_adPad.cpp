#include "ADBannerView.h"
#include "Application.h"
#include "Device.h"
#include "GADBannerView.h"
#include "GADHouseNetwork.h"
#include "GADMobileAds.h"
#include "TestMain.h"
#include "adPad.h"

#include <QImage>
#include <QJsonDocument>
#include <QTest>
#include <memory>

namespace {
const QString kUnit = QStringLiteral("ca-app-pub-1111111111111111/2222222222");
// The phone unit of the shipped configuration.
const QString kPhoneUnit = QStringLiteral("ca-app-pub-4822715703915590/1938475620");

struct RecordingMediation : GADCustomEventBannerDelegate {
    QStringList events;
    GADCustomEventBanner* reporter = nullptr;
    QWidget* view = nullptr;
    GADRequestError error;

    void customEventBanner_didReceiveAd(GADCustomEventBanner* b, QWidget* v) override
    {
        reporter = b, view = v, events << "receive";
    }
    void customEventBanner_didFailAd(GADCustomEventBanner* b, const GADRequestError& e) override
    {
        reporter = b, error = e, events << "fail";
    }
    void customEventBannerWillPresentModal(GADCustomEventBanner*) override
    {
        events << "willPresentModal";
    }
    void customEventBannerDidDismissModal(GADCustomEventBanner*) override
    {
        events << "didDismissModal";
    }
    void customEventBannerWillLeaveApplication(GADCustomEventBanner*) override
    {
        events << "willLeave";
    }
};

struct RecordingBanner : GADBannerViewDelegate {
    QStringList events;
    void adViewDidReceiveAd(GADBannerView*) override { events << "receive"; }
    void adView_didFailToReceiveAdWithError(GADBannerView*, const GADRequestError&) override
    {
        events << "fail";
    }
};
} // namespace

class TestAdPad : public QObject {
    Q_OBJECT
    RecordingMediation mediation;
    std::unique_ptr<adPad> pad;
    QList<QUrl> opened;

private slots:
    void init()
    {
        qunsetenv(GADMobileAds::kServerEnvironmentVariable);
        ADBannerView::resetInventory();
        mediation = RecordingMediation();
        pad = std::make_unique<adPad>();
        pad->setDelegate(&mediation);
        opened.clear();
        Application::shared().setOpenURLHandler([this](const QUrl& url) {
            opened << url;
            return true;
        });
    }
    void cleanup()
    {
        pad.reset();
        Device::setIdiom(Device::Idiom::Phone);
        ADBannerView::resetInventory();
        GADHouseNetwork::shared().reset();
        Application::shared().setOpenURLHandler({});
    }

    void frameWidthRule_data()
    {
        QTest::addColumn<bool>("tablet");
        QTest::addColumn<double>("width");
        QTest::addColumn<QRect>("frame");
        QTest::newRow("phone 320 keeps its own frame") << false << 320.0 << QRect(0, 0, 320, 50);
        QTest::newRow("phone 768") << false << 768.0 << QRect(0, 0, 768, 50);
        QTest::newRow("phone 1024") << false << 1024.0 << QRect(0, 0, 1024, 50);
        QTest::newRow("728 is no tablet width") << false << 728.0 << QRect(0, 0, 320, 50);
        QTest::newRow("1023.5 is not 1024") << false << 1023.5 << QRect(0, 0, 320, 50);
        QTest::newRow("tablet 320 keeps its own frame") << true << 320.0 << QRect(0, 0, 768, 66);
        QTest::newRow("tablet 1024") << true << 1024.0 << QRect(0, 0, 1024, 66);
    }
    void frameWidthRule()
    {
        QFETCH(bool, tablet);
        QFETCH(double, width);
        QFETCH(QRect, frame);
        Device::setIdiom(tablet ? Device::Idiom::Tablet : Device::Idiom::Phone);
        pad->requestBannerAd(GADAdSizeFromSize(QSizeF(width, 90.0)), "parameter", "label", {});
        QCOMPARE(pad->adBannerView()->frame(), frame);
        QCOMPARE(pad->adBannerView()->adType(), ADBannerView::ADAdType::Banner);
        QCOMPARE(pad->adBannerView()->delegate(), pad.get());
    }

    void loadedBannerIsUnhiddenAndReported()
    {
        pad->requestBannerAd(kGADAdSizeBanner, {}, {}, {});
        ADBannerView* banner = pad->adBannerView();
        banner->setHidden(true);
        QTRY_COMPARE(mediation.events, QStringList{"receive"});
        QCOMPARE(mediation.reporter, pad.get());
        QCOMPARE(mediation.view, banner);
        QVERIFY(!banner->isHidden());
        // Unhidden before the SDK adopts it, yet never a window of its own.
        QVERIFY(!banner->isWindow());
    }

    void failedBannerIsHiddenAndTheErrorPassedOn()
    {
        ADBannerView::setInventory({});
        pad->requestBannerAd(kGADAdSizeBanner, {}, {}, {});
        QTRY_COMPARE(mediation.events, QStringList{"fail"});
        QCOMPARE(mediation.reporter, pad.get());
        QVERIFY(pad->adBannerView()->isHidden());
        QCOMPARE(mediation.error.code, int(ADError::InventoryUnavailable));
        QCOMPARE(mediation.error.domain, QStringLiteral("ADErrorDomain"));
    }

    void actions_data()
    {
        QTest::addColumn<bool>("leaves");
        QTest::addColumn<QString>("event");
        QTest::newRow("leaves the app") << true << "willLeave";
        QTest::newRow("stays in the app") << false << "willPresentModal";
    }
    void actions()
    {
        QFETCH(bool, leaves);
        QFETCH(QString, event);
        pad->requestBannerAd(kGADAdSizeBanner, {}, {}, {});
        QVERIFY(pad->bannerViewActionShouldBegin(pad->adBannerView(), leaves));
        pad->bannerViewActionDidFinish(pad->adBannerView());
        QCOMPARE(mediation.events, (QStringList{event, "didDismissModal"}));
    }

    void tapOpensThePromotedStorePage()
    {
        pad->requestBannerAd(kGADAdSizeBanner, {}, {}, {});
        QTRY_COMPARE(mediation.events, QStringList{"receive"});
        ADBannerView* banner = pad->adBannerView();
        QTest::mouseClick(banner, Qt::LeftButton, {}, QPoint(160, 25));
        QCOMPARE(mediation.events, (QStringList{"receive", "willLeave"}));
        QCOMPARE(opened, QList<QUrl>{banner->currentCreative()->actionURL});
    }

    void destructionSilencesTheBannerAndReleasesIt()
    {
        pad->requestBannerAd(kGADAdSizeBanner, {}, {}, {});
        QPointer<ADBannerView> banner = pad->adBannerView();
        pad.reset(); // before the banner's first load
        QVERIFY(!banner);
        QCoreApplication::processEvents();
        QVERIFY(mediation.events.isEmpty());
    }

    void mediationCreatesAdPadByName()
    {
        QVERIFY(dynamic_cast<adPad*>(GADCustomEventRegistry::create("adPad").get()));
        QVERIFY(GADHouseNetwork::shared().loadManifest(
            QString(R"({"mediation": {"%1": [{"class_name": "adPad"}]}})").arg(kUnit).toUtf8()));
        QWidget root;
        GADBannerView banner(GADAdSizeFromSize(QSizeF(1024, 90)), &root);
        RecordingBanner delegate;
        banner.setAdUnitID(kUnit);
        banner.setRootViewController(&root);
        banner.setDelegate(&delegate);
        banner.loadRequest(GADRequest::request());
        QTRY_COMPARE(delegate.events, QStringList{"receive"});
        QCOMPARE(banner.mediatedClassName(), QStringLiteral("adPad"));
        auto* created = dynamic_cast<adPad*>(banner.mediatedCustomEvent());
        QVERIFY(created);
        ADBannerView* platformBanner = created->adBannerView();
        QCOMPARE(banner.mediatedAdView(), platformBanner);
        QCOMPARE(platformBanner->parentWidget(), &banner);
        QCOMPARE(platformBanner->frame(), QRect(0, 0, 1024, 50));
        QVERIFY(!platformBanner->isHidden());
    }

    void shippedInventoryIsValidAndNamesAdPad()
    {
        GADHouseNetwork& network = GADHouseNetwork::shared();
        QString error;
        QVERIFY2(network.loadManifestFile(GADHouseNetwork::kDefaultManifestPath, &error),
                 qPrintable(error));
        const QList<GADCreative> ads = network.ads();
        QVERIFY(ads.size() >= 3);
        QCOMPARE(ADBannerView::inventory().size(), ads.size());
        for (const GADCreative& ad : ads) {
            QCOMPARE(ad.clickURL.scheme(), QStringLiteral("itms-apps"));
            QVERIFY2(ad.clickURL.path().startsWith("/app/id"), qPrintable(ad.identifier));
            QCOMPARE(ad.clickURL.query(), QStringLiteral("mt=8"));
        }
        const QList<GADMediatedNetwork> phone = network.mediationForAdUnit(kPhoneUnit);
        QVERIFY(GADBannerView::isValidAdUnitID(kPhoneUnit));
        QCOMPARE(phone.size(), 1);
        QCOMPARE(phone.first().className, QStringLiteral("adPad"));
    }

    void platformBannerPaintsItsArtworkAtDevicePixels()
    {
        for (const ADBannerView::Creative& c : ADBannerView::inventory()) {
            ADBannerView::setInventory({c});
            ADBannerView banner;
            QTRY_VERIFY(banner.isBannerLoaded());
            QImage image(banner.size() * 2, QImage::Format_ARGB32_Premultiplied);
            image.setDevicePixelRatio(2.0);
            banner.render(&image);
            // The icon square must hold more than the flat background.
            QSet<QRgb> colours;
            for (int y = 0; y < 100; ++y)
                for (int x = 0; x < 100; ++x)
                    colours.insert(image.pixel(x, y));
            QVERIFY2(colours.size() > 20, qPrintable(c.identifier));
        }
    }
};

KORVANE_REGISTER_TEST(TestAdPad);
#include "tst_adPad.moc"
