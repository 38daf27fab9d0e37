#include "Device.h"
#include "AlphaView.h"
#include "DevicePixels.h"
#include "DialGeometry.h"
#include "GaugeTestSupport.h"
#include "ImageView.h"
#include "MainViewPad.h"
#include "NeedleContainer.h"
#include "OverlayPanel.h"
#include "RepeatingTimer.h"
#include "StageWindow.h"
#include "TestMain.h"

#include <QEventLoop>
#include <QLabel>
#include <QPaintEvent>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

// The gauge on a window of any size: scaled whole into it, its face rendered
// for the pixels it gets, and a press on the needle still grabbing it.
class TestStageWindow : public QObject {
    Q_OBJECT

private slots:
    void fitsAndGrabs_data()
    {
        QTest::addColumn<bool>("tablet");
        QTest::addColumn<QSize>("window");
        QTest::addColumn<qreal>("scale");
        QTest::addColumn<QPointF>("offset");
        QTest::addColumn<bool>("touch");
        QTest::newRow("phone at its own size")
            << false << QSize(320, 568) << 1.0 << QPointF(0, 0) << false;
        QTest::newRow("Phosh 360x648")
            << false << QSize(360, 648) << 1.125 << QPointF(0, 4.5) << true;
        QTest::newRow("short phone 320x480") << false << QSize(320, 480) << 480.0 / 568
                                             << QPointF((320 - 320 * 480.0 / 568) / 2, 0) << false;
        QTest::newRow("phone forced on a car PC")
            << false << QSize(800, 480) << 480.0 / 568 << QPointF((800 - 320 * 480.0 / 568) / 2, 0)
            << true;
        QTest::newRow("car PC 800x480")
            << true << QSize(800, 480) << 0.625 << QPointF(80, 0) << false;
        QTest::newRow("desktop 1920x1080") << true << QSize(1920, 1080) << 1080.0 / 768
                                           << QPointF((1920 - 1024 * 1080.0 / 768) / 2, 0) << true;
        QTest::newRow("tablet portrait 4K")
            << true << QSize(2160, 3840) << 2160.0 / 768
            << QPointF(0, (3840 - 1024 * 2160.0 / 768) / 2) << false;
    }
    void fitsAndGrabs()
    {
        QFETCH(bool, tablet);
        QFETCH(QSize, window);
        QFETCH(qreal, scale);
        QFETCH(QPointF, offset);
        QFETCH(bool, touch);

        Device::setIdiom(tablet ? Device::Idiom::Tablet : Device::Idiom::Phone);
        GaugeFixture gauge;
        StageWindow stageWindow(tablet ? StageWindow::tabletDesignSize
                                       : StageWindow::phoneDesignSize);
        stageWindow.resize(window);
        MainView* view = tablet ? gauge.start<MainViewPad>(0) : gauge.start(0);
        gauge.view.release(); // the stage owns it now
        auto* layout = new QVBoxLayout(stageWindow.stage());
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(view);
        stageWindow.show();
        QVERIFY(QTest::qWaitForWindowExposed(&stageWindow));
        Device::setIdiom(Device::Idiom::Phone);

        QCOMPARE(stageWindow.size(), window);
        KORVANE_COMPARE_NEAR(stageWindow.stageScale(), scale, 1e-9);
        KORVANE_COMPARE_NEAR(stageWindow.stageOffset().x(), offset.x(), 1e-9);
        KORVANE_COMPARE_NEAR(stageWindow.stageOffset().y(), offset.y(), 1e-9);

        // Rendered again for its pixels, not stretched from the last size.
        view->adjustImgViewsInit();
        const qreal ratio = stageWindow.devicePixelRatioF() * scale;
        KORVANE_COMPARE_NEAR(DevicePixels::ratio(view->m_View_Main), ratio, 1e-9);
        const QImage face = view->m_View_Main->image();
        QCOMPARE(face.width(), qCeil(view->m_View_Main->width() * ratio));
        // A new scale reaches the face by the notification alone.
        stageWindow.resize(window / 2);
        const qreal halved = stageWindow.devicePixelRatioF() * stageWindow.stageScale();
        KORVANE_COMPARE_NEAR(halved, ratio / 2, 1e-9);
        QCOMPARE(view->m_View_Main->image().width(), qCeil(view->m_View_Main->width() * halved));
        stageWindow.resize(window);

        // On the resting needle, clear of the start where angles wrap.
        NeedleContainer* c = view->needleContainer();
        const QPointF centre =
            tablet ? DialGeometry::kTabletWheelCenter : DialGeometry::kPhoneWheelCenter;
        const double angle = DialGeometry::kStartAngle + 0.2;
        const QPointF tip = centre + QPointF(std::cos(angle), std::sin(angle)) * 90.0;
        const QPointF onStage = c->mapTo(stageWindow.stage(), tip + c->subpixelOffset());
        const QPoint at = (offset + onStage * scale).toPoint();
        if (touch) {
            static QPointingDevice* screen = QTest::createTouchDevice();
            QTest::touchEvent(stageWindow.viewport(), screen).press(0, at, stageWindow.viewport());
            QVERIFY(view->m_onSpeedNeedleFunAdjust);
            QTest::touchEvent(stageWindow.viewport(), screen)
                .release(0, at, stageWindow.viewport());
        } else {
            QTest::mousePress(stageWindow.viewport(), Qt::LeftButton, {}, at);
            QVERIFY(view->m_onSpeedNeedleFunAdjust);
            QTest::mouseRelease(stageWindow.viewport(), Qt::LeftButton, {}, at);
        }
        QVERIFY(!view->m_onSpeedNeedleFunAdjust);
    }

    // The fading overlay is what shows with it opaque and without it, mixed
    // at its alpha, wherever the stage is scaled.
    void fadeMixesTheOverlayIn_data()
    {
        QTest::addColumn<QSize>("window");
        QTest::addColumn<qreal>("alpha");
        QTest::newRow("own size, half") << QSize(320, 568) << 0.5;
        QTest::newRow("car PC, nearly gone") << QSize(800, 355) << 0.12;
        QTest::newRow("1.5 times, nearly opaque") << QSize(480, 852) << 0.96;
    }
    void fadeMixesTheOverlayIn()
    {
        QFETCH(QSize, window);
        QFETCH(qreal, alpha);
        StageWindow stageWindow(StageWindow::phoneDesignSize);
        stageWindow.resize(window);
        auto* backdrop = new QWidget(stageWindow.stage());
        backdrop->setGeometry(0, 0, 320, 568);
        QPalette blue = backdrop->palette();
        blue.setColor(QPalette::Window, QColor(30, 90, 160));
        backdrop->setPalette(blue);
        backdrop->setAutoFillBackground(true);
        auto* overlay = new AlphaView(stageWindow.stage());
        overlay->setGeometry(10, 300, 300, 200);
        (new OverlayPanel(overlay))->setGeometry(0, 100, 300, 100);
        (new QLabel(QStringLiteral("Korvane 88"), overlay))->setGeometry(20, 120, 200, 60);
        // The stage is on screen already; what is added to it is shown.
        backdrop->show();
        overlay->show();
        stageWindow.show();
        QVERIFY(QTest::qWaitForWindowExposed(&stageWindow));

        const auto shot = [&] { return stageWindow.grab().toImage().convertToFormat(QImage::Format_RGB32); };
        const QImage opaque = shot();
        overlay->setAlpha(float(alpha));
        const QImage fading = shot();
        overlay->hide();
        const QImage without = shot();
        QCOMPARE(fading.size(), opaque.size());
        int worst = 0;
        for (int y = 0; y < fading.height(); ++y)
            for (int x = 0; x < fading.width(); ++x) {
                const QRgb got = fading.pixel(x, y), on = opaque.pixel(x, y),
                           off = without.pixel(x, y);
                const auto mix = [alpha](int a, int b) { return alpha * a + (1 - alpha) * b; };
                worst = std::max({worst, qRound(std::abs(qRed(got) - mix(qRed(on), qRed(off)))),
                                  qRound(std::abs(qGreen(got) - mix(qGreen(on), qGreen(off)))),
                                  qRound(std::abs(qBlue(got) - mix(qBlue(on), qBlue(off))))});
            }
        QVERIFY2(worst <= 2, qPrintable(QStringLiteral("differs by %1").arg(worst)));
    }

    // A widget's exact repaint reaches the window as its own rectangles,
    // mapped through the stage's scale: both, and not the box around them.
    void exactRepaints_data()
    {
        QTest::addColumn<QSize>("window");
        QTest::addColumn<qreal>("scale");
        QTest::newRow("scale 1") << QSize(320, 568) << 1.0;
        QTest::newRow("scale 0.5") << QSize(160, 284) << 0.5;
        QTest::newRow("scale 1.5") << QSize(480, 852) << 1.5;
    }
    void exactRepaints()
    {
        QFETCH(QSize, window);
        QFETCH(qreal, scale);
        StageWindow stageWindow(StageWindow::phoneDesignSize);
        stageWindow.resize(window);
        auto* holder = new QWidget(stageWindow.stage());
        holder->setGeometry(20, 100, 280, 400);
        auto* widget = new QWidget(holder);
        widget->setGeometry(10, 10, 260, 380);
        holder->show();
        stageWindow.show();
        QVERIFY(QTest::qWaitForWindowExposed(&stageWindow));
        QCOMPARE(stageWindow.stageScale(), scale);
        // The stage asks for all of itself once after the window's first
        // frame, which takes the loop a pass each through stage, scene and
        // window.
        for (int pass = 0; pass < 4; ++pass)
            QCoreApplication::processEvents();

        struct Painted : QObject {
            QRegion region;
            bool eventFilter(QObject*, QEvent* event) override
            {
                if (event->type() == QEvent::Paint)
                    region += static_cast<QPaintEvent*>(event)->region();
                return false;
            }
        } painted;
        stageWindow.viewport()->installEventFilter(&painted);
        const QRegion asked = QRegion(0, 0, 20, 20) + QRegion(240, 360, 20, 20);
        QVERIFY(StageWindow::updateExactly(widget, asked));
        QTRY_VERIFY(!painted.region.isEmpty());
        const QPointF origin = stageWindow.stageOffset() + QPointF(30, 110) * scale;
        for (const QRect& r : asked) {
            const QRect device = QRectF(origin + QPointF(r.topLeft()) * scale, QSizeF(r.size()) * scale)
                                     .toAlignedRect();
            QVERIFY(painted.region.contains(device));
        }
        qint64 area = 0;
        for (const QRect& r : painted.region)
            area += qint64(r.width()) * r.height();
        const qreal side = 20 * scale + 3;
        QVERIFY2(area <= qRound(2 * side * side), qPrintable(QString::number(area)));

        widget->hide();
        QVERIFY(!StageWindow::updateExactly(widget, asked));
        QWidget loose;
        QVERIFY(!StageWindow::updateExactly(&loose, asked));
    }

    // Two effects far apart on the stage (a banner sliding at the top, a
    // needle at the bottom), on one beat or on two that often come in one
    // wake-up: each frame repaints their own boxes, not the box around both.
    void effectsRepaintTheirOwnBoxes_data()
    {
        QTest::addColumn<double>("slideInterval");
        QTest::newRow("one beat") << 0.01;
        QTest::newRow("beats of 10 and 20 ms") << 0.02;
    }
    void effectsRepaintTheirOwnBoxes()
    {
        QFETCH(double, slideInterval);
        StageWindow stageWindow(StageWindow::phoneDesignSize);
        stageWindow.resize(320, 568);
        QWidget* top = new QWidget(stageWindow.stage());
        top->setGeometry(0, 0, 40, 20);
        QWidget* bottom = new QWidget(stageWindow.stage());
        bottom->setGeometry(280, 540, 40, 20);
        top->show();
        bottom->show();
        stageWindow.show();
        QVERIFY(QTest::qWaitForWindowExposed(&stageWindow));

        int beats = 0;
        struct Painted : QObject {
            const int& beats;
            int largest = 0;
            int frames = 0;
            explicit Painted(const int& b) : beats(b) {}
            bool eventFilter(QObject*, QEvent* event) override
            {
                // From the second beat on: the first frame shows the window.
                if (event->type() == QEvent::Paint && beats >= 1) {
                    const QRect box = static_cast<QPaintEvent*>(event)->region().boundingRect();
                    largest = std::max(largest, box.width() * box.height());
                    ++frames;
                }
                return false;
            }
        } painted(beats);
        stageWindow.viewport()->installEventFilter(&painted);
        RepeatingTimer slide;
        RepeatingTimer needle;
        QEventLoop loop;
        slide.start(slideInterval, [&] { top->update(); });
        needle.start(0.01, [&] {
            bottom->update();
            if (++beats == 12)
                loop.quit();
        });
        QTimer::singleShot(5000, &loop, &QEventLoop::quit);
        loop.exec();
        QCoreApplication::processEvents();
        QCOMPARE(beats, 12);
        QVERIFY(painted.frames >= 6);
        // Each box with a point of antialiasing margin all round.
        QVERIFY2(painted.largest <= 2 * 44 * 24, qPrintable(QString::number(painted.largest)));
    }
};

KORVANE_REGISTER_TEST(TestStageWindow);
#include "tst_StageWindow.moc"
