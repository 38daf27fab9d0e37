#include "AlphaView.h"
#include "GaugeTestSupport.h"
#include "NeedleContainer.h"
#include "RotatingImageView.h"
#include "TestMain.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QWindow>
#include <numbers>

namespace {
constexpr float kStart = 2.349f;
constexpr QPointF kPhoneCentre(130, 130);

QPointF onWheel(QPointF centre, double angle, double radius)
{
    return centre + QPointF(std::cos(angle), std::sin(angle)) * radius;
}

// Records what a tap asks of the controller, and what the gauge showed then.
struct BannerOwner : MainViewOwner {
    MainView* view = nullptr;
    bool banner = false;
    QStringList calls;
    QList<float> overlayAlphaAtCall;
    QList<bool> draggingAtCall;
    void updateAdDismissButton(float) override {}
    bool hasAdBannerView() const override { return banner; }
    void animateShowAdsView() override { record(QStringLiteral("show")); }
    void requestNewAd() override { record(QStringLiteral("request")); }
    void record(const QString& call)
    {
        calls << call;
        overlayAlphaAtCall << view->m_BackgroundView->alpha();
        draggingAtCall << view->m_onSpeedNeedleFunAdjust;
    }
};

QPointingDevice* touchScreen()
{
    static QPointingDevice* device = QTest::createTouchDevice();
    return device;
}

// A point of the needle container as the window sees it.
QPoint windowPointOf(MainView* view, QPointF containerPoint)
{
    NeedleContainer* c = view->needleContainer();
    return c->mapTo(view->window(), containerPoint + c->subpixelOffset()).toPoint();
}

void tap(MainView* view)
{
    view->touchesBegan(QPointF(0, 0));
    view->touchesEnded(QPointF(0, 0));
}
} // namespace

class TestMainViewTouch : public QObject {
    Q_OBJECT
    std::unique_ptr<GaugeFixture> gauge;

    MainView* shownGauge()
    {
        MainView* view = gauge->start(0);
        view->show();
        QCoreApplication::processEvents();
        return view->windowHandle()->isExposed() ? view : nullptr;
    }

private slots:
    void init() { gauge = std::make_unique<GaugeFixture>(); }
    void cleanup() { gauge.reset(); }

    void grab_data()
    {
        QTest::addColumn<float>("needle");
        QTest::addColumn<QPointF>("point");
        QTest::addColumn<bool>("grabs");
        QTest::newRow("resting, lower left on it") << kStart << QPointF(30, 230) << true;
        QTest::newRow("resting, left, 0.79 away") << kStart << QPointF(0, 130) << false;
        QTest::newRow("radius 160 below") << kStart << QPointF(130, 290) << false;
        QTest::newRow("just counter-clockwise of the start")
            << kStart << onWheel(kPhoneCentre, 2.3, 100) << false;
        QTest::newRow("wheel centre") << kStart << kPhoneCentre << false;
        QTest::newRow("radius 200 on the needle")
            << 4.712389f << onWheel(kPhoneCentre, 4.712389, 200) << false;
        QTest::newRow("radius 154.9") << float(std::numbers::pi) << QPointF(-24.9, 130) << true;
        QTest::newRow("radius 155") << float(std::numbers::pi) << QPointF(-25, 130) << false;
        QTest::newRow("at the top, 0.71 anticlockwise")
            << 4.712389f << onWheel(kPhoneCentre, 4.712389 - 0.71, 80) << true;
        QTest::newRow("at the top, 0.72 clockwise")
            << 4.712389f << onWheel(kPhoneCentre, 4.712389 + 0.72, 80) << false;
        QTest::newRow("past 3 o'clock, both lifted a turn")
            << 6.5f << onWheel(kPhoneCentre, 6.5 - 2 * std::numbers::pi + 0.3, 80) << true;
    }
    void grab()
    {
        QFETCH(float, needle);
        QFETCH(QPointF, point);
        QFETCH(bool, grabs);
        MainView* view = gauge->start(0);
        view->m_currentZeigerAngle = needle;
        view->touchesBegan(point);
        QCOMPARE(view->m_onSpeedNeedleFunAdjust, grabs);
        QCOMPARE(view->m_currentZeigerAngle, needle); // a grab alone moves nothing
    }

    void drag_data()
    {
        QTest::addColumn<QPointF>("begin");
        QTest::addColumn<QPointF>("to");
        QTest::addColumn<float>("angle");
        QTest::newRow("to the top") << QPointF(30, 230) << QPointF(130, 0) << 4.712389f;
        QTest::newRow("into the gap") << QPointF(30, 230) << QPointF(130, 260) << 7.853981f;
        QTest::newRow("far outside the grab radius")
            << QPointF(30, 230) << QPointF(900, 130) << 6.283185f;
        QTest::newRow("over the centre it stays") << QPointF(30, 230) << kPhoneCentre << kStart;
        QTest::newRow("not holding it") << QPointF(0, 130) << QPointF(130, 0) << kStart;
    }
    void drag()
    {
        QFETCH(QPointF, begin);
        QFETCH(QPointF, to);
        QFETCH(float, angle);
        MainView* view = gauge->start(0);
        view->touchesBegan(begin);
        view->touchesMoved(to);
        KORVANE_COMPARE_NEAR(view->m_currentZeigerAngle, angle, 1e-6);
        KORVANE_COMPARE_NEAR(view->m_speedZeiger->rotation(), angle, 1e-6);
    }

    void tapEffects_data()
    {
        QTest::addColumn<bool>("withController");
        QTest::addColumn<bool>("banner");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("banner shown") << true << true << QStringList{"show", "show", "show"};
        QTest::newRow("banner requested")
            << true << false << QStringList{"request", "request", "request"};
        QTest::newRow("no controller") << false << false << QStringList{};
    }
    void tapEffects()
    {
        QFETCH(bool, withController);
        QFETCH(bool, banner);
        QFETCH(QStringList, calls);
        MainView* view = gauge->start(0);
        BannerOwner owner;
        owner.view = view;
        owner.banner = banner;
        view->m_MainViewController = withController ? &owner : nullptr;
        // Let the overlay fade a little first.
        for (int i = 0; i < 3; ++i)
            view->properties_AnimationTimer_ControllFunc();
        const float faded = view->m_BackgroundView->alpha();
        QVERIFY(faded < 1.0f);

        QList<bool> facebookHidden, twitterHidden;
        view->touchesBegan(QPointF(30, 230)); // grabs
        view->touchesEnded(QPointF(30, 230));
        facebookHidden << view->m_properties_facebook_Button->isHidden();
        twitterHidden << view->m_properties_twitter_webio_Button->isHidden();
        QCOMPARE(view->m_BackgroundView->alpha(), 1.0f);
        QVERIFY(!view->m_BackgroundView->isHidden());
        QCOMPARE(view->properties_AnimationTimer.interval(), 4.0);
        for (int i = 0; i < 2; ++i) {
            tap(view); // misses the needle, still a tap
            facebookHidden << view->m_properties_facebook_Button->isHidden();
            twitterHidden << view->m_properties_twitter_webio_Button->isHidden();
        }
        QCOMPARE(owner.calls, calls);
        if (!calls.isEmpty()) {
            // The banner comes first: the overlay has not come back, the drag not ended.
            QCOMPARE(owner.overlayAlphaAtCall.first(), faded);
            QCOMPARE(owner.draggingAtCall.first(), true);
        }
        QCOMPARE(facebookHidden, QList<bool>({true, false, true}));
        QCOMPARE(twitterHidden, QList<bool>({false, true, false}));
        QVERIFY(!view->m_onSpeedNeedleFunAdjust);
    }

    void glidesBackAfterTheDrag()
    {
        MainView* view = gauge->start(0);
        view->speedDidUpate(20 / 3.6f, 300, 0);
        const float target = view->m_speedZeigerAngle;
        view->touchesBegan(QPointF(30, 230));
        view->touchesMoved(QPointF(130, 0));
        // Held: ticks leave the needle where the finger is.
        view->drawSmoothZeigerEffectAnimationControllFunc();
        QCOMPARE(view->m_currentZeigerAngle, 4.712389f);
        view->touchesEnded(QPointF(130, 0));
        QVERIFY(view->smothZeigerEffectAnimationTimer.isRunning());

        // 1/40 of the gap per tick, then the last stretch in steps of 0.007.
        view->drawSmoothZeigerEffectAnimationControllFunc();
        KORVANE_COMPARE_NEAR(view->m_currentZeigerAngle, 4.712389f + (target - 4.712389f) / 40,
                             1e-6);
        int ticks = 1;
        for (float last = view->m_currentZeigerAngle; last != target && ticks < 1000; ++ticks) {
            view->drawSmoothZeigerEffectAnimationControllFunc();
            QVERIFY(view->m_currentZeigerAngle < last);
            last = view->m_currentZeigerAngle;
        }
        QVERIFY(ticks > 100 && ticks < 200);
        QCOMPARE(view->m_speedZeiger->rotation(), target);
        view->drawSmoothZeigerEffectAnimationControllFunc();
        QVERIFY(!view->smothZeigerEffectAnimationTimer.isRunning());
    }

    void cancelledTouchKeepsTheDrag()
    {
        MainView* view = shownGauge();
        QVERIFY(view);
        QWidget* window = view->window();
        QTest::touchEvent(window, touchScreen()).press(0, windowPointOf(view, {30, 230}), window);
        QTest::touchEvent(window, touchScreen()).move(0, windowPointOf(view, {130, 0}), window);
        QVERIFY(view->m_onSpeedNeedleFunAdjust);
        QTouchEvent cancel(QEvent::TouchCancel, touchScreen());
        QApplication::sendEvent(view, &cancel);
        QVERIFY(view->m_onSpeedNeedleFunAdjust);
        view->speedDidUpate(0, 300, 0);
        view->drawSmoothZeigerEffectAnimationControllFunc();
        KORVANE_COMPARE_NEAR(view->m_currentZeigerAngle, 4.712389, 1e-5);

        // The next touch that ends lets it go.
        QTest::touchEvent(window, touchScreen()).press(1, windowPointOf(view, {0, 130}), window);
        QTest::touchEvent(window, touchScreen()).release(1, windowPointOf(view, {0, 130}), window);
        QVERIFY(!view->m_onSpeedNeedleFunAdjust);
        QVERIFY(view->smothZeigerEffectAnimationTimer.isRunning());
    }

    // Mouse and touch through the window, as the platform delivers them.
    void realInput_data()
    {
        QTest::addColumn<bool>("touch");
        QTest::newRow("mouse") << false;
        QTest::newRow("touch") << true;
    }
    void realInput()
    {
        QFETCH(bool, touch);
        MainView* view = shownGauge();
        QVERIFY(view);
        QWidget* top = view->window();
        enum Phase { Press, Move, Release };
        auto input = [&](Phase phase, QPoint at) {
            if (touch) {
                auto seq = QTest::touchEvent(top, touchScreen());
                phase == Press  ? seq.press(0, at, top)
                : phase == Move ? seq.move(0, at, top)
                                : seq.release(0, at, top);
            } else if (QWindow* w = view->windowHandle(); phase == Press) {
                QTest::mousePress(w, Qt::LeftButton, {}, at);
            } else {
                phase == Move ? QTest::mouseMove(w, at)
                              : QTest::mouseRelease(w, Qt::LeftButton, {}, at);
            }
        };

        // A press on the trip read-out, which lies in the needle's way.
        input(Press, view->m_distanceTraveled->mapTo(top, QPoint(2, 12)));
        QVERIFY(view->m_onSpeedNeedleFunAdjust);
        const QPoint up = windowPointOf(view, {130, 10});
        input(Move, up);
        KORVANE_COMPARE_NEAR(view->m_speedZeiger->rotation(), 4.712389, 0.01);
        input(Release, up);
        QVERIFY(!view->m_onSpeedNeedleFunAdjust);
        QVERIFY(view->smothZeigerEffectAnimationTimer.isRunning());
        QVERIFY(view->m_properties_facebook_Button->isHidden());

        // A button takes its own click, which is no tap on the gauge.
        QSignalSpy info(view->iButton, &QAbstractButton::clicked);
        const QPoint button = view->iButton->mapTo(top, view->iButton->rect().center());
        input(Press, button);
        input(Release, button);
        QCOMPARE(info.count(), 1);
        QVERIFY(view->m_properties_facebook_Button->isHidden());

        // The overlay's bare area belongs to the gauge.
        const QPoint bare = view->m_BackgroundView->mapTo(top, QPoint(160, 80));
        QCOMPARE(top->childAt(bare), static_cast<QWidget*>(view->m_BackgroundView));
        input(Press, bare);
        input(Release, bare);
        QVERIFY(!view->m_properties_facebook_Button->isHidden());
    }
};

KORVANE_REGISTER_TEST(TestMainViewTouch);
#include "tst_MainViewTouch.moc"
