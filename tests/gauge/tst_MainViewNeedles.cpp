#include "GaugeTestSupport.h"
#include "ImageView.h"
#include "RotatingImageView.h"
#include "TestMain.h"

#include <QLabel>
#include <QPaintEvent>
#include <QScreen>
#include <QWindow>
#include <limits>
#include <numbers>

namespace {
constexpr float kStart = 2.349f;
constexpr float kPi = float(std::numbers::pi);

// Ticks until the speed needle shows its target; 0 if it does not within the limit.
int ticksToLand(MainView* view, int limit = 1000)
{
    for (int tick = 1; tick <= limit; ++tick) {
        view->drawSmoothZeigerEffectAnimationControllFunc();
        if (view->m_currentZeigerAngle == view->m_speedZeigerAngle)
            return tick;
    }
    return 0;
}

class PaintCounter : public QObject {
public:
    int paints = 0;
    QRegion painted;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints;
            painted += static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }
};
} // namespace

class TestMainViewNeedles : public QObject {
    Q_OBJECT
    std::unique_ptr<GaugeFixture> gauge;

private slots:
    void init() { gauge = std::make_unique<GaugeFixture>(); }
    void cleanup() { gauge.reset(); }

    void startUp_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<QString>("speedText");
        QTest::newRow("km/h") << 0 << "0.0 km/h";
        QTest::newRow("mph") << 1 << "0.0 mph";
        QTest::newRow("knots") << 2 << "0.0 kn";
    }
    void startUp()
    {
        QFETCH(int, unit);
        QFETCH(QString, speedText);
        MainView* view = gauge->start(unit);
        QCOMPARE(view->m_speedZeigerAngle, kStart);
        QCOMPARE(view->m_speedZeiger->rotation(), kStart);
        QCOMPARE(view->m_currentGenauigkeitMeterGPS, 300.0f);
        QCOMPARE(view->m_gpsZeiger->rotation(), kPi);
        QVERIFY(!view->m_speedZeiger->isHidden() && !view->m_gpsZeiger->isHidden());
        QCOMPARE(view->m_speedLabel->text(), speedText);
        QCOMPARE(view->m_distanceTraveled->text(), QStringLiteral("0.0")); // a fresh 1 m
        QCOMPARE(view->m_GPSLocation->getDelegate(), static_cast<GPSLocationDelegate*>(view));
    }

    void speedNeedleTicks_data()
    {
        QTest::addColumn<float>("from");
        QTest::addColumn<float>("to");
        QTest::addColumn<float>("firstTick");
        QTest::addColumn<int>("ticks");
        QTest::newRow("0 to 100 km/h") << kStart << 4.495448f << 2.402661f << 121;
        QTest::newRow("and back") << 4.495448f << kStart << 4.441787f << 121;
        QTest::newRow("0.1 rad, minimum steps") << kStart << kStart + 0.1f << kStart + 0.007f << 15;
        QTest::newRow("already there") << kStart << kStart << kStart << 1;
    }
    void speedNeedleTicks()
    {
        QFETCH(float, from);
        QFETCH(float, to);
        QFETCH(float, firstTick);
        QFETCH(int, ticks);
        MainView* view = gauge->start(0);
        view->m_currentZeigerAngle = from;
        view->m_speedZeigerAngle = to;
        view->startSmothZeigerEffectAnimation();
        view->drawSmoothZeigerEffectAnimationControllFunc();
        KORVANE_COMPARE_NEAR(view->m_currentZeigerAngle, firstTick, 1e-6);
        if (ticks > 1) {
            QCOMPARE(ticksToLand(view, ticks - 2), 0);
            QVERIFY(view->smothZeigerEffectAnimationTimer.isRunning());
            QCOMPARE(ticksToLand(view, 1), 1);
        }
        QCOMPARE(view->m_speedZeiger->rotation(), to);
        QVERIFY2(!view->smothZeigerEffectAnimationTimer.isRunning(),
                 "the landing tick stops the timer");
    }

    void speedUpdate()
    {
        MainView* view = gauge->start(0);
        view->speedDidUpate(100.0f / 3.6f, 12, 0);
        KORVANE_COMPARE_NEAR(view->m_speedZeigerAngle, 4.495448, 1e-6);
        QCOMPARE(view->smothZeigerEffectAnimationTimer.interval(), 1.0 / 30);
        view->speedDidUpate(-1, 12, 0);
        QCOMPARE(view->m_speedZeigerAngle, kStart);
        QCOMPARE(view->m_realGenauigkeitMeterGPS, 12.0f);
        QCOMPARE(gauge->owner.speeds, QList<float>({100.0f / 3.6f, -1.0f}));
    }

    void accuracyNeedleTicks_data()
    {
        QTest::addColumn<float>("from");
        QTest::addColumn<float>("to");
        QTest::addColumn<QList<float>>("firstValues");
        QTest::addColumn<int>("ticks");
        QTest::newRow("300 to 5") << 300.0f << 5.0f << QList<float>{270.5f, 243.95f, 220.055f}
                                  << 45;
        QTest::newRow("300 to 299") << 300.0f << 299.0f << QList<float>{299.0f} << 1;
    }
    void accuracyNeedleTicks()
    {
        QFETCH(float, from);
        QFETCH(float, to);
        QFETCH(QList<float>, firstValues);
        QFETCH(int, ticks);
        MainView* view = gauge->start(0);
        view->m_currentGenauigkeitMeterGPS = from;
        view->m_realGenauigkeitMeterGPS = to;
        view->startSmothZeigerEffectAnimation();
        int tick = 0;
        for (float expected : firstValues) {
            view->drawSmoothZeigerEffectAnimationControllFunc();
            ++tick;
            KORVANE_COMPARE_NEAR(view->m_currentGenauigkeitMeterGPS, expected, 1e-3);
        }
        while (view->m_currentGenauigkeitMeterGPS != to && tick < 1000) {
            view->drawSmoothZeigerEffectAnimationControllFunc();
            ++tick;
        }
        QCOMPARE(tick, ticks);
        // The tick after the landing finds nothing to move and stops the timer.
        QVERIFY(view->smothZeigerEffectAnimationTimer.isRunning());
        view->drawSmoothZeigerEffectAnimationControllFunc();
        QVERIFY(!view->smothZeigerEffectAnimationTimer.isRunning());
    }

    void gpsNeedleAngle_data()
    {
        QTest::addColumn<float>("accuracy");
        QTest::addColumn<float>("angle");
        QTest::newRow("300") << 300.0f << kPi;
        QTest::newRow("1000") << 1000.0f << kPi;
        QTest::newRow("NaN") << std::numeric_limits<float>::quiet_NaN() << kPi;
        QTest::newRow("299") << 299.0f << 3.152065f;
        QTest::newRow("150") << 150.0f << 4.712389f;
        QTest::newRow("5") << 5.0f << 6.230825f;
        QTest::newRow("1") << 1.0f << 6.272714f;
        QTest::newRow("0.5") << 0.5f << 2 * kPi;
    }
    void gpsNeedleAngle()
    {
        QFETCH(float, accuracy);
        QFETCH(float, angle);
        MainView* view = gauge->start(0);
        view->setGpsZeiger(accuracy);
        KORVANE_COMPARE_NEAR(view->m_gpsZeiger->rotation(), angle, 1e-6);
    }

    void coveredGaugeIgnoresUpdates()
    {
        MainView* view = gauge->start(0);
        view->m_onFlipView = true;
        view->speedDidUpate(30, 4, 250);
        QCOMPARE(gauge->store()->m_distanceTraveled_Meter, 1.0);
        QCOMPARE(view->m_speedZeigerAngle, kStart);
        QCOMPARE(view->m_realGenauigkeitMeterGPS, 300.0f);
        QVERIFY(!view->smothZeigerEffectAnimationTimer.isRunning());
        QVERIFY(gauge->owner.speeds.isEmpty());

        view->m_onFlipView = false;
        view->speedDidUpate(30, 4, 250);
        QCOMPARE(view->m_distanceTraveled->text(), QStringLiteral("0.3"));
    }

    void coveringStopsTheTimerAtTheNextTick()
    {
        MainView* view = gauge->start(0);
        view->speedDidUpate(25, 20, 0);
        view->drawSmoothZeigerEffectAnimationControllFunc();
        view->m_onFlipView = true;
        view->drawSmoothZeigerEffectAnimationControllFunc();
        QVERIFY(!view->smothZeigerEffectAnimationTimer.isRunning());
        QVERIFY(view->m_currentZeigerAngle != view->m_speedZeigerAngle);
    }

    void heldNeedleIsLeftAlone()
    {
        MainView* view = gauge->start(0);
        view->m_onSpeedNeedleFunAdjust = true;
        view->m_currentZeigerAngle = 4.712389f; // dragged to the top
        view->speedDidUpate(10, 298.5f, 0);
        QCOMPARE(view->m_speedZeigerAngle, view->speedToAngle(10));
        // The accuracy needle lands (within 3 m), the next tick stops the timer.
        view->drawSmoothZeigerEffectAnimationControllFunc();
        QCOMPARE(view->m_currentGenauigkeitMeterGPS, 298.5f);
        view->drawSmoothZeigerEffectAnimationControllFunc();
        QVERIFY(!view->smothZeigerEffectAnimationTimer.isRunning());
        QCOMPARE(view->m_currentZeigerAngle, 4.712389f);
        QCOMPARE(view->m_speedZeiger->rotation(), kStart);

        view->m_onSpeedNeedleFunAdjust = false;
        view->startSmothZeigerEffectAnimation();
        view->drawSmoothZeigerEffectAnimationControllFunc();
        KORVANE_COMPARE_NEAR(view->m_speedZeiger->rotation(),
                             4.712389f + (view->m_speedZeigerAngle - 4.712389f) / 40.0f, 1e-6);
    }

    void distanceReadOut_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("meters");
        QTest::newRow("km") << 0 << "12.3" << 12345.6;
        QTest::newRow("miles") << 1 << "7.7" << 12345.6;
        QTest::newRow("nautical miles") << 2 << "6.7" << 12345.6;
        QTest::newRow("unknown unit") << 7 << "0.0" << 12345.6;
        QTest::newRow("rolls over at 100,000") << 0 << "0.0" << 100'000'000.0;
        QTest::newRow("just below the turn") << 0 << "99999.9" << 99'999'940.0;
        QTest::newRow("never below zero") << 0 << "0.0" << -5000.0;
    }
    void distanceReadOut()
    {
        QFETCH(int, unit);
        QFETCH(QString, text);
        QFETCH(double, meters);
        gauge->storeTripDistance(meters);
        QCOMPARE(gauge->start(unit)->m_distanceTraveled->text(), text);
    }

    // A speed or accuracy that is not a number moves no needle: the needles
    // keep their targets and the timer still comes to rest.
    void badValuesMoveNoNeedle()
    {
        MainView* view = gauge->start(0);
        view->speedDidUpate(10, 20, 0);
        const float target = view->m_speedZeigerAngle;
        for (float bad :
             {std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN()}) {
            view->speedDidUpate(bad, bad, 0);
            QCOMPARE(view->m_speedZeigerAngle, target);
            QCOMPARE(view->m_realGenauigkeitMeterGPS, 20.0f);
        }
        QVERIFY(ticksToLand(view) > 0);
        QVERIFY(std::isfinite(view->m_speedZeiger->rotation()));
    }

    // A tick repaints within the needle's square and never renders the face.
    void tickRepaintsOnlyTheNeedle()
    {
        MainView* view = gauge->start(0);
        view->show();
        QCoreApplication::processEvents();
        QVERIFY(view->windowHandle()->isExposed());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        PaintCounter counter;
        view->m_View_Main->installEventFilter(&counter);
        const qint64 face = view->m_View_Main->image().cacheKey();

        view->speedDidUpate(15, 300, 0);
        view->drawSmoothZeigerEffectAnimationControllFunc();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        QCOMPARE(counter.paints, 1);
        const QRect needle(view->m_speedZeiger->mapTo(view, QPoint(0, 0)),
                           view->m_speedZeiger->size());
        QVERIFY(needle.contains(counter.painted.boundingRect()));
        QCOMPARE(view->m_View_Main->image().cacheKey(), face);

        QVERIFY(ticksToLand(view) > 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        counter.paints = 0;
        view->drawSmoothZeigerEffectAnimationControllFunc();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        QCOMPARE(counter.paints, 0); // nothing changed, nothing painted
    }

    // Only the boxes along a needle are repainted as it turns; what the
    // screen shows afterwards is what a full rendering shows.
    void turnLeavesNoTrace_data()
    {
        QTest::addColumn<float>("from");
        QTest::addColumn<float>("to");
        QTest::newRow("small step") << kStart << kStart + 0.01f;
        QTest::newRow("onto the diagonal") << 0.0f << kPi / 4;
        QTest::newRow("half a turn") << kPi / 2 << 3 * kPi / 2;
        QTest::newRow("past a full turn") << -1.0f << 5.5f;
    }
    void turnLeavesNoTrace()
    {
        QFETCH(float, from);
        QFETCH(float, to);
        MainView* view = gauge->start(0);
        view->show();
        QCoreApplication::processEvents();
        QVERIFY(view->windowHandle()->isExposed());
        for (RotatingImageView* needle : {view->m_speedZeiger, view->m_gpsZeiger})
            needle->setRotation(from);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        for (RotatingImageView* needle : {view->m_speedZeiger, view->m_gpsZeiger})
            needle->setRotation(to);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        const QImage shown =
            view->windowHandle()->screen()->grabWindow(view->winId()).toImage().convertToFormat(
                QImage::Format_RGB32);
        const QImage full = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.size(), full.size());
        // Blending under another clip may round a level apart; a needle left
        // behind is far more.
        int worst = 0;
        for (int y = 0; y < full.height(); ++y) {
            const auto* a = reinterpret_cast<const QRgb*>(shown.constScanLine(y));
            const auto* b = reinterpret_cast<const QRgb*>(full.constScanLine(y));
            for (int x = 0; x < full.width(); ++x)
                worst = std::max({worst, std::abs(qRed(a[x]) - qRed(b[x])),
                                  std::abs(qGreen(a[x]) - qGreen(b[x])),
                                  std::abs(qBlue(a[x]) - qBlue(b[x]))});
        }
        QVERIFY2(worst <= 2, qPrintable(QStringLiteral("a pixel differs by %1").arg(worst)));
    }
};

KORVANE_REGISTER_TEST(TestMainViewNeedles);
#include "tst_MainViewNeedles.moc"
