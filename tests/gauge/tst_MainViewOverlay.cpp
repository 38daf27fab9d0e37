#include "AlphaView.h"
#include "Application.h"
#include "GaugeTestSupport.h"
#include "RotatingButton.h"
#include "TestMain.h"

#include <QPushButton>

class TestMainViewOverlay : public QObject {
    Q_OBJECT
    std::unique_ptr<GaugeFixture> gauge;
    QList<QUrl> opened;

    // Runs the overlay's ticks until its timer stops; their count.
    static int fadeOut(MainView* view, QList<float>* alphas = nullptr)
    {
        int ticks = 0;
        for (; view->properties_AnimationTimer.isRunning() && ticks < 1000; ++ticks) {
            view->properties_AnimationTimer_ControllFunc();
            if (alphas)
                *alphas << view->m_BackgroundView->alpha();
        }
        return ticks;
    }

private slots:
    void init()
    {
        gauge = std::make_unique<GaugeFixture>();
        opened.clear();
        Application::shared().setOpenURLHandler([this](const QUrl& url) {
            opened << url;
            return true;
        });
    }
    void cleanup()
    {
        gauge.reset();
        Application::shared().setOpenURLHandler({});
    }

    void fadeSequence()
    {
        MainView* view = gauge->start(0);
        QCOMPARE(view->m_BackgroundView->alpha(), 1.0f);
        QCOMPARE(view->properties_AnimationTimer.interval(), 4.0);
        // The first tick swaps the 4 s wait for the 0.04 s fade and already fades.
        view->properties_AnimationTimer_ControllFunc();
        KORVANE_COMPARE_NEAR(view->properties_AnimationTimer.interval(), 0.04, 1e-7);
        QList<float> alphas{view->m_BackgroundView->alpha()};
        QCOMPARE(fadeOut(view, &alphas), 24); // the 25th tick hides it
        for (int i = 0; i < 23; ++i)
            KORVANE_COMPARE_NEAR(alphas[i], 0.96 - 0.04 * i, 1e-5);
        QVERIFY(double(alphas[22]) >= 0.05 && double(alphas[23]) < 0.05);
        QVERIFY(view->m_BackgroundView->isHidden());
    }

    void restartDuringTheFade_data()
    {
        QTest::addColumn<int>("ticksBefore");
        QTest::newRow("early in the fade") << 3;
        QTest::newRow("nearly gone") << 24;
        QTest::newRow("after it hid") << 25;
    }
    void restartDuringTheFade()
    {
        QFETCH(int, ticksBefore);
        MainView* view = gauge->start(0);
        for (int i = 0; i < ticksBefore; ++i)
            view->properties_AnimationTimer_ControllFunc();
        view->start_properties_AnimationTimer(4.0f);
        QCOMPARE(view->m_BackgroundView->alpha(), 1.0f);
        QVERIFY(!view->m_BackgroundView->isHidden());
        QCOMPARE(view->properties_AnimationTimer.interval(), 4.0);
        QCOMPARE(fadeOut(view), 25);
    }

    void spinRunsWithTheGauge()
    {
        MainView* view = gauge->start(0);
        QCOMPARE(view->adProAnimationTimer.interval(), 0.04);
        for (int i = 0; i < 3; ++i)
            view->drawAdProEffectAnimationControllFunc();
        KORVANE_COMPARE_NEAR(view->adProButton->rotation(), 0.3, 1e-6);
        QVERIFY(view->stopAdProEffectAnimation());
        QVERIFY(!view->stopAdProEffectAnimation());
        QCOMPARE(view->adProButton->rotation(), 0.0f);
        KORVANE_COMPARE_NEAR(view->m_currentAdProAngle, 0.3, 1e-6);
    }

    void spinAfterTheFirstFade_data()
    {
        QTest::addColumn<bool>("tourSeen");
        QTest::newRow("tour opened in an earlier run") << true;
        QTest::newRow("tour never opened") << false;
    }
    void spinAfterTheFirstFade()
    {
        QFETCH(bool, tourSeen);
        gauge->store()->setDidPressProAd(tourSeen);
        Property::reloadForTesting();
        MainView* view = gauge->start(0);
        view->drawAdProEffectAnimationControllFunc();
        fadeOut(view);
        QVERIFY(!view->adProAnimationTimer.isRunning());
        QCOMPARE(view->adProButton->rotation(), tourSeen ? 0.0f : view->m_currentAdProAngle);
        view->start_properties_AnimationTimer(4.0f);
        // A spin that only waited for the overlay goes on; a stopped one stays stopped.
        QCOMPARE(view->adProAnimationTimer.isRunning(), !tourSeen);
        view->stopAdProEffectAnimation();
        fadeOut(view);
        view->start_properties_AnimationTimer(4.0f);
        QVERIFY(!view->adProAnimationTimer.isRunning());
    }

    void reviewInvitation_data()
    {
        QTest::addColumn<double>("trip");
        QTest::addColumn<bool>("shown");
        QTest::newRow("exactly 150 km") << 150000.0 << false;
        QTest::newRow("just past 150 km") << 150000.1 << true;
    }
    void reviewInvitation()
    {
        QFETCH(double, trip);
        QFETCH(bool, shown);
        gauge->storeTripDistance(trip);
        gauge->start(0);
        const QList<AlertView*> alerts = AlertView::visibleAlerts();
        QCOMPARE(alerts.size(), shown ? 1 : 0);
        QCOMPARE(gauge->store()->m_didShowStartUpReviewAnimation, shown);
        if (!shown)
            return;
        QCOMPARE(alerts[0]->title(), QStringLiteral("Hello"));
        QVERIFY(alerts[0]->message().contains(
            QStringLiteral("\n\n\u2192 write a review on the App Store.\n\n")));
        QCOMPARE(alerts[0]->buttonTitleAtIndex(alerts[0]->cancelButtonIndex()),
                 QStringLiteral("(X)"));
        QCOMPARE(alerts[0]->buttonTitleAtIndex(1), QStringLiteral("App Store"));

        // Whatever the answer, the next launch asks no more.
        alerts[0]->dismissWithClickedButtonIndex(0);
        QVERIFY(opened.isEmpty());
        gauge->view.reset();
        QVERIFY(Property::reloadForTesting()->m_didShowStartUpReviewAnimation);
        gauge->start(0);
        QVERIFY(AlertView::visibleAlerts().isEmpty());
    }

    void reviewAnswerAppStoreOpensTheStorePage()
    {
        gauge->storeTripDistance(150001);
        gauge->start(0);
        AlertView::visibleAlerts().value(0)->dismissWithClickedButtonIndex(1);
        QCOMPARE(opened, QList<QUrl>({MainView::appStorePageURL()}));
        const QUrl url = opened[0];
        QVERIFY(url.scheme() == "itms-apps" && url.path().startsWith("/app/id") &&
                url.query() == "mt=8");
    }

    void moreAppsButtonOpensTheMakersListing()
    {
        gauge->start(0)->m_moreAppsButton->click();
        QCOMPARE(opened.value(0).toString(), QStringLiteral("itms-apps://itunes.com/apps/Zentrik"));
    }
};

KORVANE_REGISTER_TEST(TestMainViewOverlay);
#include "tst_MainViewOverlay.moc"
