#include "ActivityIndicatorView.h"
#include "BannerAdPresentationPad.h"
#include "Clock.h"
#include "GADCustomEventBanner.h"
#include "GADHouseNetwork.h"
#include "GADMobileAds.h"
#include "TestMain.h"

#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <memory>

Q_DECLARE_METATYPE(BannerAdLocation)

namespace {
const QDateTime kStart(QDate(2024, 5, 1), QTime(9, 0), Qt::UTC);

// Records what the app tells the network about the device's position.
class LocationProbe : public GADCustomEventBanner {
public:
    static inline std::optional<GADCustomEventRequest> seen;
    void requestBannerAd(GADAdSize, const QString&, const QString&,
                         const GADCustomEventRequest& request) override
    {
        seen = request;
        m_delegate->customEventBanner_didFailAd(this, GADRequestError::make(1, "probe"));
    }
    GADCustomEventBannerDelegate* delegate() const override { return m_delegate; }
    void setDelegate(GADCustomEventBannerDelegate* d) override { m_delegate = d; }

private:
    GADCustomEventBannerDelegate* m_delegate = nullptr;
};

// The main screen's banner area as the interface files lay it out.
struct Screen {
    explicit Screen(bool tablet, int orientation = InterfaceOrientationPortrait)
    {
        if (tablet) {
            root.resize(isLandscape(orientation) ? QSize(1024, 768) : QSize(768, 1024));
            views = BannerAdPresentationPad::createViews(&root, orientation);
            auto pad = std::make_unique<BannerAdPresentationPad>(&root, views, location());
            pad->rotateToInterfaceOrientation(orientation);
            ads = std::move(pad);
        } else {
            root.resize(320, 568);
            views.m_adsShowDismissView = new QWidget(&root);
            views.m_adsShowDismissView->setGeometry(0, -50, 320, 100);
            views.m_adsShowDismissView->hide();
            views.m_adsNextButton = new QPushButton(views.m_adsShowDismissView);
            views.m_adsNextButton->setGeometry(284, 58, 28, 28);
            views.m_nextAdActivitiIndicatorView =
                new ActivityIndicatorView(views.m_adsShowDismissView);
            ads = std::make_unique<BannerAdPresentation>(&root, views, location());
        }
    }
    BannerAdPresentation::LocationProvider location()
    {
        return [this] { return where; };
    }

    QWidget* container() const { return views.m_adsShowDismissView; }
    QAbstractButton* nextButton() const { return views.m_adsNextButton; }
    ActivityIndicatorView* indicator() const { return views.m_nextAdActivitiIndicatorView; }
    double y() const { return BannerAdPresentation::center(container()).y(); }

    // An ad arrives for a banner that exists but was never loaded.
    void receiveAd()
    {
        ads->startAds();
        ads->adViewDidReceiveAd(ads->m_adBannerView);
    }
    // Ticks the slide timer until it stops; how many ticks moved the container.
    int slide(QList<double>* path = nullptr)
    {
        int moves = 0;
        for (int i = 0; i < 1000 && ads->adsShowDismissAnimationTimer.isRunning(); ++i) {
            const double before = y();
            ads->drawAdsShowDismissEffectAnimationControllFunc();
            if (container()->isHidden() || y() == before)
                continue;
            ++moves;
            if (path)
                *path << y();
        }
        return moves;
    }
    void showFully()
    {
        receiveAd();
        slide();
    }

    QWidget root;
    BannerAdViews views;
    std::optional<BannerAdLocation> where;
    std::unique_ptr<BannerAdPresentation> ads;
};
} // namespace

class TestBannerAdPresentation : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        GADCustomEventRegistry::registerClass("LocationProbe",
                                              [] { return std::make_unique<LocationProbe>(); });
    }
    void init()
    {
        qunsetenv(GADMobileAds::kServerEnvironmentVariable);
        GADHouseNetwork::shared().reset();
        Clock::set(kStart);
    }
    void cleanup()
    {
        Clock::reset();
        GADHouseNetwork::shared().reset();
        LocationProbe::seen.reset();
    }

    void slideSequence_data()
    {
        QTest::addColumn<bool>("tablet");
        QTest::addColumn<bool>("dismiss");
        QTest::addColumn<int>("moves");
        QTest::addColumn<double>("turningPoint"); // highest y on the way in, lowest on the way out
        QTest::addColumn<double>("finalY");
        QTest::newRow("phone in") << false << false << 36 << 52.0 << 50.0;
        QTest::newRow("phone out") << false << true << 50 << 0.0 << 0.0;
        QTest::newRow("tablet in") << true << false << 48 << 61.0 << 60.0;
        QTest::newRow("tablet out") << true << true << 100 << -40.0 << -40.0;
    }
    void slideSequence()
    {
        QFETCH(bool, tablet);
        QFETCH(bool, dismiss);
        QFETCH(int, moves);
        QFETCH(double, turningPoint);
        QFETCH(double, finalY);
        Screen s(tablet);
        s.receiveAd();
        QVERIFY(!s.container()->isHidden());
        QCOMPARE(s.y(), tablet ? -80.0 : -50.0);
        QCOMPARE(BannerAdPresentation::center(s.container()).x(), tablet ? 384.0 : 160.0);
        QVERIFY(s.ads->adsShowDismissAnimationTimer.isRunning());
        QCOMPARE(s.ads->adsShowDismissAnimationInterval.load(), 1.0 / 30.0);
        if (dismiss) {
            s.slide();
            Clock::set(kStart.addSecs(11));
            s.ads->updateAdDismissButton(5.0f);
            QVERIFY(s.nextButton()->isHidden());
        }
        double start = s.y();
        QList<double> path;
        QCOMPARE(s.slide(&path), moves);
        QVERIFY(!s.ads->adsShowDismissAnimationTimer.isRunning());
        for (double y : path) {
            QVERIFY2(y - start == 3.0 || y - start == -1.0, qPrintable(QString::number(y)));
            start = y;
        }
        QCOMPARE(dismiss ? *std::min_element(path.begin(), path.end())
                         : *std::max_element(path.begin(), path.end()),
                 turningPoint);
        QCOMPARE(path.last(), finalY);
        QCOMPARE(s.ads->hasAdBannerView(), !dismiss);
        QCOMPARE(s.container()->isHidden(), dismiss);
        if (dismiss) {
            QCOMPARE(s.ads->m_posYAdsShowDismiss, 0.0f);
            // Stopped: the next request starts over with a new banner.
            s.ads->requestNewAd();
            QVERIFY(s.ads->hasAdBannerView());
            QVERIFY(s.ads->m_adBannerView->isLoading());
        } else {
            QVERIFY(!s.nextButton()->isHidden());
        }
    }

    void touchTurnsADismissalBack_data()
    {
        QTest::addColumn<int>("ticksOut");
        QTest::addColumn<int>("movesBackIn");
        QTest::newRow("first step out") << 1 << 3; // 49 → 52, 51, 50
        QTest::newRow("halfway") << 20 << 8;       // 30 → 48, 51, 50
        QTest::newRow("nearly out") << 49 << 19;   // 1 → 49, 52, 51, 50
    }
    void touchTurnsADismissalBack()
    {
        QFETCH(int, ticksOut);
        QFETCH(int, movesBackIn);
        Screen s(false);
        s.showFully();
        Clock::set(kStart.addSecs(30));
        s.ads->animateDismissAdsView();
        for (int i = 0; i < ticksOut; ++i)
            s.ads->drawAdsShowDismissEffectAnimationControllFunc();
        QCOMPARE(s.y(), 50.0 - ticksOut);
        s.ads->animateShowAdsView();
        QVERIFY(!s.nextButton()->isHidden());
        QCOMPARE(s.ads->m_dateAddRecieved, Clock::now());
        QCOMPARE(s.slide(), movesBackIn);
        QCOMPARE(s.y(), 50.0);
        QVERIFY(s.ads->hasAdBannerView());
    }

    // A tap while the ad loads aims the banner at its shown position before
    // it exists; when the ad arrives it still slides in.
    void adArrivingAfterATap_data()
    {
        QTest::addColumn<bool>("tablet");
        QTest::newRow("phone") << false;
        QTest::newRow("tablet") << true;
    }
    void adArrivingAfterATap()
    {
        QFETCH(bool, tablet);
        Screen s(tablet);
        s.ads->startAds();
        s.ads->animateShowAdsView();
        s.slide();
        s.ads->adViewDidReceiveAd(s.ads->m_adBannerView);
        QVERIFY(s.slide() > 0);
        QCOMPARE(s.y(), tablet ? 60.0 : 50.0);
    }

    void automaticDismissal_data()
    {
        QTest::addColumn<float>("speed");
        QTest::addColumn<int>("ageMs");
        QTest::addColumn<int>("ticksIn"); // -1: all the way in
        QTest::addColumn<bool>("dismisses");
        QTest::newRow("3.0 m/s is not moving") << 3.0f << 11000 << -1 << false;
        QTest::newRow("3.1 m/s, 11 s") << 3.1f << 11000 << -1 << true;
        QTest::newRow("10 s is not more than 10 s") << 3.1f << 10000 << -1 << false;
        QTest::newRow("10.1 s") << 3.1f << 10100 << -1 << true;
        QTest::newRow("standing") << 0.0f << 60000 << -1 << false;
        QTest::newRow("still sliding in at y 49") << 3.1f << 11000 << 33 << false;
        QTest::newRow("overshooting at y 52") << 3.1f << 11000 << 34 << true;
    }
    void automaticDismissal()
    {
        QFETCH(float, speed);
        QFETCH(int, ageMs);
        QFETCH(int, ticksIn);
        QFETCH(bool, dismisses);
        Screen s(false);
        s.receiveAd();
        if (ticksIn < 0)
            s.slide();
        for (int i = 0; i < ticksIn; ++i)
            s.ads->drawAdsShowDismissEffectAnimationControllFunc();
        Clock::set(kStart.addMSecs(ageMs));
        s.ads->updateAdDismissButton(speed);
        QCOMPARE(s.ads->m_posYAdsShowDismiss, dismisses ? 0.0f : 50.0f);
        QCOMPARE(s.nextButton()->isHidden(), dismisses);
    }

    void nextAdButton_data()
    {
        QTest::addColumn<int>("pressedAfterMs");
        QTest::addColumn<bool>("fillNext"); // the network has another ad
        QTest::addColumn<bool>("accepted");
        QTest::newRow("4 s after: ignored") << 4000 << true << false;
        QTest::newRow("5 s after: still ignored") << 5000 << true << false;
        QTest::newRow("6 s after, next ad received") << 6000 << true << true;
        QTest::newRow("6 s after, next ad failed") << 6000 << false << true;
    }
    void nextAdButton()
    {
        QFETCH(int, pressedAfterMs);
        QFETCH(bool, fillNext);
        QFETCH(bool, accepted);
        Screen s(false);
        s.root.show(); // the spinner turns only on screen
        s.ads->requestNewAd();
        QTRY_VERIFY(!s.container()->isHidden()); // the shipped inventory fills the first
        s.slide();
        QVERIFY(!s.nextButton()->isHidden());
        QPointer<GADBannerView> banner = s.ads->m_adBannerView;
        QVERIFY(!banner->isLoading());

        if (!fillNext)
            QVERIFY(GADHouseNetwork::shared().loadManifest("{}"));
        Clock::set(kStart.addMSecs(pressedAfterMs));
        s.ads->requestFreshAd();
        QCOMPARE(banner->isLoading(), accepted);
        QCOMPARE(s.nextButton()->isHidden(), accepted);
        QCOMPARE(s.indicator()->isAnimating(), accepted);
        QCOMPARE(s.indicator()->isHidden(), !accepted);
        QCOMPARE(s.indicator()->isTicking(), accepted);
        if (!accepted)
            return;

        QTRY_VERIFY(!s.nextButton()->isHidden());
        QVERIFY(s.indicator()->isHidden());
        QVERIFY(!s.indicator()->isAnimating());
        QVERIFY(!s.indicator()->isTicking());
        QCOMPARE(banner.data(), s.ads->m_adBannerView.data());
        QCOMPARE(banner->hasAd(), true); // a failed load leaves the ad on show
        QCOMPARE(s.ads->m_dateAddRecieved, Clock::now());
        QCOMPARE(s.y(), 50.0);
    }

    void requestLocation_data()
    {
        QTest::addColumn<bool>("hasSource");
        QTest::addColumn<BannerAdLocation>("where");
        QTest::addColumn<BannerAdLocation>("sent"); // what the networks see: two decimals
        QTest::newRow("no location source") << false << BannerAdLocation{} << BannerAdLocation{};
        QTest::newRow("last fix") << true << BannerAdLocation{52.520008f, 13.404954f, 12.5f}
                                  << BannerAdLocation{52.52f, 13.40f, 12.5f};
        QTest::newRow("rounded half up, south and west")
            << true << BannerAdLocation{-33.86882f, -151.20929f, 4.0f}
            << BannerAdLocation{-33.87f, -151.21f, 4.0f};
    }
    void requestLocation()
    {
        QFETCH(bool, hasSource);
        QFETCH(BannerAdLocation, where);
        QFETCH(BannerAdLocation, sent);
        QVERIFY(GADHouseNetwork::shared().loadManifest(
            QString(R"({"mediation": {"*": [{"class_name": "LocationProbe"}]}})").toUtf8()));
        Screen s(false);
        if (hasSource)
            s.where = where;
        s.ads->initAds();
        QTRY_VERIFY(LocationProbe::seen.has_value());
        QCOMPARE(LocationProbe::seen->userHasLocation, hasSource);
        QCOMPARE(LocationProbe::seen->userLatitude, sent.latitude);
        QCOMPARE(LocationProbe::seen->userLongitude, sent.longitude);
        QCOMPARE(LocationProbe::seen->userLocationAccuracyInMeters, sent.accuracy);
        QCOMPARE(s.ads->m_adBannerView->rootViewController(), &s.root);
    }

    void bannerOfTheDevice_data()
    {
        QTest::addColumn<bool>("tablet");
        QTest::addColumn<int>("orientation");
        QTest::addColumn<QString>("adUnit");
        QTest::addColumn<QSizeF>("adSize");
        const QString phone = "ca-app-pub-4822715703915590/1938475620";
        const QString tablet = "ca-app-pub-4822715703915590/2730164859";
        QTest::newRow("phone") << false << 1 << phone << QSizeF(320, 50);
        QTest::newRow("tablet portrait") << true << 1 << tablet << QSizeF(768, 90);
        QTest::newRow("tablet upside down") << true << 2 << tablet << QSizeF(768, 90);
        QTest::newRow("tablet landscape right") << true << 3 << tablet << QSizeF(1024, 90);
        QTest::newRow("tablet landscape left") << true << 4 << tablet << QSizeF(1024, 90);
    }
    void bannerOfTheDevice()
    {
        QFETCH(bool, tablet);
        QFETCH(int, orientation);
        QFETCH(QString, adUnit);
        QFETCH(QSizeF, adSize);
        Screen s(tablet, orientation);
        s.ads->startAds();
        GADBannerView* banner = s.ads->m_adBannerView;
        QCOMPARE(banner->adUnitID(), adUnit);
        QVERIFY(GADBannerView::isValidAdUnitID(adUnit));
        QCOMPARE(banner->adSize(), (GADAdSize{adSize, 0}));
        QCOMPARE(banner->parentWidget(), s.container());
        QCOMPARE(banner->pos(), QPoint(0, 0));
        QCOMPARE(banner->delegate(), s.ads.get());
        QCOMPARE(banner->rootViewController(), &s.root);
        // The banner spans the container, which is centred on the screen.
        QCOMPARE(s.container()->width(), int(adSize.width()));
        QCOMPARE(BannerAdPresentation::center(s.container()).x(), s.root.width() / 2.0);
        // Starting again keeps the banner.
        s.ads->startAds();
        QCOMPARE(s.ads->m_adBannerView.data(), banner);
    }
};

KORVANE_REGISTER_TEST(TestBannerAdPresentation);
#include "tst_BannerAdPresentation.moc"
