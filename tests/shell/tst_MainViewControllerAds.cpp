#include "ActivityIndicatorView.h"
#include "Application.h"
#include "BannerAdPresentationPad.h"
#include "Clock.h"
#include "GADHouseNetwork.h"
#include "GADMobileAds.h"
#include "LocationManager.h"
#include "MainView.h"
#include "MainViewController.h"
#include "MainViewControllerPad.h"
#include "MainViewPad.h"
#include "Property.h"
#include "TestEnvironment.h"
#include "TestMain.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <memory>

namespace {
const QDateTime kStart(QDate(2024, 5, 1), QTime(9, 0), Qt::UTC);

// A location source the test feeds by hand.
class PushSource : public LocationSource {
public:
    void start() override {}
    QString description() const override { return QStringLiteral("test"); }
};

// Runs the slide timer's ticks until it stops.
void finishSlide(BannerAdPresentation* ads)
{
    for (int i = 0; i < 1000 && ads->adsShowDismissAnimationTimer.isRunning(); ++i)
        ads->drawAdsShowDismissEffectAnimationControllFunc();
}
} // namespace

class TestMainViewControllerAds : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnvironment> env;
    std::unique_ptr<MainViewController> controller;
    QPointer<PushSource> source;

    MainViewController* start(bool tablet = false)
    {
        controller = tablet ? std::make_unique<MainViewControllerPad>()
                            : std::make_unique<MainViewController>();
        controller->addProperty(Property::instance());
        return controller.get();
    }
    // Waits for the shipped inventory's first ad and lets it slide all the way in.
    void showFirstAd()
    {
        controller->requestNewAd();
        BannerAdPresentation* ads = controller->bannerAds();
        QTRY_VERIFY(!ads->m_adsShowDismissView->isHidden());
        finishSlide(ads);
        QVERIFY(!ads->m_adBannerView->isLoading());
    }

private slots:
    void init()
    {
        env = std::make_unique<TestEnvironment>();
        Property::reloadForTesting();
        qunsetenv(GADMobileAds::kServerEnvironmentVariable);
        GADHouseNetwork::shared().reset();
        Clock::set(kStart);
        LocationManager::setSourceFactory([this] {
            auto s = std::make_unique<PushSource>();
            source = s.get();
            return s;
        });
    }
    void cleanup()
    {
        controller.reset();
        LocationManager::setSourceFactory(nullptr);
        Clock::reset();
        GADHouseNetwork::shared().reset();
        env.reset();
    }

    void interfaceFileGivesTheBannerArea()
    {
        MainViewController* c = start();
        BannerAdPresentation* ads = c->bannerAds();
        QWidget* container = ads->m_adsShowDismissView;
        QVERIFY(container);
        QCOMPARE(container->parentWidget(), c->mainView);
        QCOMPARE(container->geometry(), QRect(0, -50, 320, 100));
        QVERIFY(container->isHidden());
        // Last in the layout, so it slides over the gauge.
        const QList<QWidget*> siblings =
            c->mainView->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        QCOMPARE(siblings.last(), container);
        QCOMPARE(ads->m_adsNextButton->parentWidget(), container);
        QVERIFY(QRect(0, 50, 320, 50).contains(ads->m_adsNextButton->geometry()));
        // Shown (the area's top at 0) it keeps clear of the title's text.
        const QLabel* title = c->mainView->m_Speedo_Label;
        const int textWidth = title->fontMetrics().horizontalAdvance(title->text());
        QVERIFY(textWidth > 100);
        const QRect text(title->x() + (title->width() - textWidth) / 2, title->y(), textWidth,
                         title->height());
        QVERIFY(!text.adjusted(-8, 0, 8, 0).intersects(ads->m_adsNextButton->geometry()));
        QCOMPARE(ads->m_nextAdActivitiIndicatorView->parentWidget(), container);
        QVERIFY(ads->m_nextAdActivitiIndicatorView->isHidden());
        QCOMPARE(ads->rootViewController(), c->mainView);
        QCOMPARE(ads->m_dateAddRecieved, kStart); // addProperty stamps it
    }

    void tabletLayoutGetsABannerAreaOfItsOwn()
    {
        auto* c = static_cast<MainViewControllerPad*>(start(true));
        auto* gauge = qobject_cast<MainViewPad*>(c->mainView);
        QVERIFY(gauge);
        const BannerAdViews views = BannerAdViews::find(gauge);
        QVERIFY(views.isComplete());
        QWidget* container = views.m_adsShowDismissView;
        QCOMPARE(c->bannerAds()->m_adsShowDismissView.data(), container);
        QCOMPARE(gauge->m_adsShowDismissViewMainRef.data(), container);
        QCOMPARE(container->size(), QSize(768, 120));
        QCOMPARE(BannerAdPresentation::center(container), QPointF(gauge->width() / 2.0, -40.0));
        QVERIFY(container->isHidden());
        QCOMPARE(gauge->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).last(), container);
        // The next-ad button sits under the banner's right end, inside the area.
        const QRect button = views.m_adsNextButton->geometry();
        QVERIFY(QRect(0, 90, 768, 30).contains(button));
        QVERIFY(button.right() > 700);
        QVERIFY(button.contains(views.m_nextAdActivitiIndicatorView->geometry()));
        QVERIFY(views.m_nextAdActivitiIndicatorView->isHidden());
    }

    void adsAroundOtherScreens_data()
    {
        QTest::addColumn<bool>("tour");
        QTest::addColumn<bool>("bannerBeforeClosing");
        QTest::addColumn<bool>("requests");
        QTest::newRow("page container, no banner") << false << false << true;
        QTest::newRow("page container, banner running") << false << true << false;
        QTest::newRow("tour, no banner") << true << false << true;
        QTest::newRow("tour, banner running") << true << true << true;
    }
    void adsAroundOtherScreens()
    {
        QFETCH(bool, tour);
        QFETCH(bool, bannerBeforeClosing);
        QFETCH(bool, requests);
        MainViewController* c = start();
        showFirstAd();
        QPointer<GADBannerView> first = c->bannerAds()->m_adBannerView;

        if (tour)
            c->showKorvaneProAbout();
        else
            c->showIDSView(1, false);
        QVERIFY(c->isPresentingScreen());
        QVERIFY(!first);
        QVERIFY(!c->hasAdBannerView());
        QVERIFY(c->bannerAds()->m_adsShowDismissView->isHidden());

        QPointer<GADBannerView> running;
        if (bannerBeforeClosing) {
            c->requestNewAd();
            running = c->bannerAds()->m_adBannerView;
            QTRY_VERIFY(!running->isLoading());
        }
        if (tour)
            c->KorvaneProAboutDidFinish(c->presentedViewController());
        else
            c->dismissISDView(c->presentedViewController());
        QVERIFY(!c->isPresentingScreen());
        QVERIFY(c->hasAdBannerView());
        if (running)
            QCOMPARE(c->bannerAds()->m_adBannerView.data(), running.data());
        QCOMPARE(c->bannerAds()->m_adBannerView->isLoading(), requests);
    }

    void nextAdButtonAsksForAFreshAd()
    {
        MainViewController* c = start();
        showFirstAd();
        BannerAdPresentation* ads = c->bannerAds();
        Clock::set(kStart.addSecs(6));
        ads->m_adsNextButton->click();
        QVERIFY(ads->m_adBannerView->isLoading());
        QVERIFY(ads->m_adsNextButton->isHidden());
        QVERIFY(ads->m_nextAdActivitiIndicatorView->isAnimating());
        QTRY_VERIFY(!ads->m_adsNextButton->isHidden());
        QVERIFY(!ads->m_nextAdActivitiIndicatorView->isAnimating());
    }

    void gaugeSpeedSlidesTheBannerOut_data()
    {
        QTest::addColumn<bool>("pageOpen");
        QTest::addColumn<float>("speed");
        QTest::addColumn<bool>("dismisses");
        QTest::newRow("driving") << false << 8.0f << true;
        QTest::newRow("walking") << false << 1.5f << false;
        QTest::newRow("page open: the gauge ignores fixes") << true << 8.0f << false;
    }
    void gaugeSpeedSlidesTheBannerOut()
    {
        QFETCH(bool, pageOpen);
        QFETCH(float, speed);
        QFETCH(bool, dismisses);
        MainViewController* c = start();
        showFirstAd();
        Clock::set(kStart.addSecs(11));
        c->mainView->m_onFlipView = pageOpen;
        c->mainView->speedDidUpate(speed, 5.0f, 0.0);
        QCOMPARE(c->bannerAds()->m_posYAdsShowDismiss, dismisses ? 0.0f : 50.0f);
        if (!dismisses)
            return;
        finishSlide(c->bannerAds());
        QVERIFY(!c->hasAdBannerView());
        QVERIFY(c->bannerAds()->m_adsShowDismissView->isHidden());
    }

    void requestLocationFromTheGauge_data()
    {
        QTest::addColumn<bool>("started");
        QTest::addColumn<bool>("hasFix");
        QTest::newRow("gauge not started: no location source") << false << false;
        QTest::newRow("manager without a fix: no position") << true << false;
        QTest::newRow("the manager's last fix") << true << true;
    }
    void requestLocationFromTheGauge()
    {
        QFETCH(bool, started);
        QFETCH(bool, hasFix);
        if (!started) {
            controller = std::make_unique<MainViewController>();
            controller->view();
            QVERIFY(!controller->adRequestLocation());
            return;
        }
        MainViewController* c = start();
        QVERIFY(source);
        if (!hasFix) {
            QVERIFY(!c->adRequestLocation());
            return;
        }
        Fix last;
        {
            Fix first;
            first.latitude = 48.0, first.longitude = 11.0, first.horizontalAccuracy = 30.0;
            last.latitude = 52.520008123, last.longitude = 13.404954321;
            last.horizontalAccuracy = 7.25, last.speed = 4.0;
            emit source->fixesReceived({first});
            emit source->fixesReceived({last});
        }
        const std::optional<BannerAdLocation> where = c->adRequestLocation();
        QVERIFY(where);
        QCOMPARE(where->latitude, float(last.latitude));
        QCOMPARE(where->longitude, float(last.longitude));
        QCOMPARE(where->accuracy, float(last.horizontalAccuracy));
    }

    // The tablet's banner is made before the screen is laid out to the
    // window: it ends up as wide as the screen and centred on it either way.
    void tabletBannerFitsTheLaidOutScreen_data()
    {
        QTest::addColumn<QSize>("window");
        QTest::newRow("portrait") << QSize(768, 1024);
        QTest::newRow("landscape") << QSize(1024, 768);
    }
    void tabletBannerFitsTheLaidOutScreen()
    {
        QFETCH(QSize, window);
        QWidget host;
        auto* layout = new QVBoxLayout(&host);
        layout->setContentsMargins(0, 0, 0, 0);
        host.resize(window);
        Application::shared().setMainWindow(&host);
        MainViewController* c = start(true);
        layout->addWidget(c->view());
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        showFirstAd();
        const QWidget* container = c->bannerAds()->m_adsShowDismissView;
        QCOMPARE(container->width(), window.width());
        QCOMPARE(container->x(), 0);
        Application::shared().setMainWindow(nullptr);
    }

    void tabletRotationResizesARunningBanner()
    {
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        window.resize(768, 1024);
        Application::shared().setMainWindow(&window);
        auto* c = static_cast<MainViewControllerPad*>(start(true));
        layout->addWidget(c->view());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(c->interfaceOrientation(), int(InterfaceOrientationPortrait));

        showFirstAd();
        GADBannerView* banner = c->bannerAds()->m_adBannerView;
        QCOMPARE(banner->adSize().size, QSizeF(768, 90));
        QCOMPARE(banner->adUnitID(), QString::fromLatin1(BannerAdPresentationPad::kTabletAdUnitID));

        window.resize(1024, 768);
        QTRY_COMPARE(banner->adSize().size, QSizeF(1024, 90));
        QVERIFY(isLandscape(c->interfaceOrientation()));
        QCOMPARE(c->bannerAds()->m_adsShowDismissView->width(), 1024);

        window.resize(768, 1024);
        QTRY_COMPARE(banner->adSize().size, QSizeF(768, 90));
        QCOMPARE(c->bannerAds()->m_adBannerView.data(), banner);
        Application::shared().setMainWindow(nullptr);
    }

    void destroyingTheControllerSilencesItsBanner()
    {
        start();
        controller->requestNewAd();
        QPointer<GADBannerView> banner = controller->bannerAds()->m_adBannerView;
        QVERIFY(banner->isLoading());
        controller.reset();
        QVERIFY(!banner);
        QCoreApplication::processEvents(); // where the answer would have come
    }
};

KORVANE_REGISTER_TEST(TestMainViewControllerAds);
#include "tst_MainViewControllerAds.moc"
