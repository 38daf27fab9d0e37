#include "AlphaView.h"
#include "Application.h"
#include "Device.h"
#include "GaugeTestSupport.h"
#include "ImageView.h"
#include "MainViewPad.h"
#include "NeedleContainer.h"
#include "RotatingImageView.h"
#include "TestMain.h"

#include <QLabel>
#include <QPushButton>
#include <QWindow>
#include <numbers>

namespace {
constexpr float kStart = 2.349f;
constexpr QPointF kTabletCentre(244, 251);

QPointF onWheel(QPointF centre, double angle, double radius)
{
    return centre + QPointF(std::cos(angle), std::sin(angle)) * radius;
}

QRectF frameIn(const QWidget* w, const QWidget* view)
{
    return QRectF(w->mapTo(view, QPointF(0, 0)), QSizeF(w->size()));
}

// A point of the needle container's space in the view's.
QPointF viewPointOf(MainViewPad* view, QPointF containerPoint)
{
    NeedleContainer* c = view->m_speedElementsView;
    return c->mapTo(view, containerPoint + c->subpixelOffset());
}
} // namespace

class TestMainViewPad : public QObject {
    Q_OBJECT
    std::unique_ptr<GaugeFixture> gauge;
    QWidget* previousMainWindow = nullptr;

    MainViewPad* startLandscape()
    {
        Application::shared().setStatusBarOrientationOverride(3);
        MainViewPad* view = gauge->start<MainViewPad>(0);
        view->resize(1024, 768);
        view->show();
        QCoreApplication::processEvents();
        return view->windowHandle()->isExposed() ? view : nullptr;
    }

private slots:
    void init()
    {
        Device::setIdiom(Device::Idiom::Tablet);
        previousMainWindow = Application::shared().mainWindow();
        gauge = std::make_unique<GaugeFixture>();
    }
    void cleanup()
    {
        gauge.reset();
        Application::shared().setStatusBarOrientationOverride(std::nullopt);
        Application::shared().setMainWindow(previousMainWindow);
        Device::setIdiom(Device::Idiom::Phone);
    }

    void layout_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<bool>("portrait");
        QTest::newRow("unknown (0)") << 0 << false;
        QTest::newRow("portrait (1)") << 1 << true;
        QTest::newRow("upside down (2)") << 2 << true;
        QTest::newRow("landscape (3)") << 3 << false;
        QTest::newRow("landscape (4)") << 4 << false;
    }
    void layout()
    {
        QFETCH(int, orientation);
        QFETCH(bool, portrait);
        Application::shared().setStatusBarOrientationOverride(orientation);
        MainViewPad* view = gauge->start<MainViewPad>(0);
        view->resize(portrait ? QSize(768, 1024) : QSize(1024, 768));
        view->layoutSubviews();

        const qreal x = portrait ? 384 : 512;
        QCOMPARE(frameIn(view->m_View_Main, view).center(), QPointF(x, portrait ? 512 : 415));
        QCOMPARE(view->m_speedElementsView->center(), QPointF(x, portrait ? 427 : 330));
        QCOMPARE(frameIn(view->m_Speedo_Label, view).center(), QPointF(x, portrait ? 80 : 40));
        QCOMPARE(view->m_Speedo_Label->isHidden(), !portrait);
        const QRectF apps = frameIn(view->m_ZentrikAppsView, view);
        const QRectF info = frameIn(view->m_ISView, view);
        QCOMPARE(apps.center(), QPointF(x, portrait ? 925 : 720));
        QCOMPARE(info.center(), QPointF(x, portrait ? 758 : 640));

        // The touch geometry's wheel centre is the face's dial centre.
        QCOMPARE(viewPointOf(view, kTabletCentre),
                 QPointF(view->m_View_Main->mapTo(view, QPoint(384, 427))));
        // Panels stay in the window and clear of each other.
        const QRectF window(QPointF(0, 0), QSizeF(view->size()));
        QVERIFY(window.contains(apps) && window.contains(info));
        QVERIFY(!apps.intersects(info));
        QVERIFY(frameIn(view->m_BackgroundView, view).contains(apps | info));
    }

    void rotatingRelaysOut()
    {
        MainViewPad* view = gauge->start<MainViewPad>(0);
        Application::shared().setMainWindow(view);
        view->resize(768, 1024);
        view->show();
        QCoreApplication::processEvents();
        QVERIFY(view->isVisible() && !view->m_Speedo_Label->isHidden());

        view->resize(1024, 768);
        QCoreApplication::processEvents();
        QCOMPARE(view->m_speedElementsView->center(), QPointF(512, 330));
        QVERIFY(view->m_Speedo_Label->isHidden());

        view->resize(768, 1024);
        QCoreApplication::processEvents();
        QCOMPARE(view->m_speedElementsView->center(), QPointF(384, 427));
        QVERIFY(!view->m_Speedo_Label->isHidden());
    }

    // Beside the face in landscape its texture goes on without a seam: two
    // tiles to the left, the pixels repeat.
    void textureContinuesBesideTheFace()
    {
        MainViewPad* view = startLandscape();
        QVERIFY(view);
        QImage shot = view->grab().toImage();
        const qreal r = shot.devicePixelRatio();
        shot.setDevicePixelRatio(1);
        const QPoint onFace = QPointF(130 * r, 700 * r).toPoint();
        const QPoint beside = QPointF(2 * r, 700 * r).toPoint();
        QVERIFY(frameIn(view->m_View_Main, view).contains(QPointF(130, 700)));
        const int side = qRound(64 * r);
        QCOMPARE(shot.copy(QRect(beside, QSize(side, side))),
                 shot.copy(QRect(onFace, QSize(side, side))));
    }

    void grab_data()
    {
        QTest::addColumn<float>("needle");
        QTest::addColumn<QPointF>("point");
        QTest::addColumn<bool>("grabs");
        QTest::newRow("radius 200 on the needle")
            << 4.712389f << onWheel(kTabletCentre, 4.712389, 200) << true;
        QTest::newRow("radius 229.9") << float(std::numbers::pi) << QPointF(14.1, 251) << true;
        QTest::newRow("radius 230") << float(std::numbers::pi) << QPointF(14, 251) << false;
        QTest::newRow("on the phone's needle, not the tablet's")
            << kStart << QPointF(30, 230) << false;
        QTest::newRow("wheel centre") << kStart << kTabletCentre << false;
    }
    void grab()
    {
        QFETCH(float, needle);
        QFETCH(QPointF, point);
        QFETCH(bool, grabs);
        MainViewPad* view = gauge->start<MainViewPad>(0);
        view->m_currentZeigerAngle = needle;
        view->touchesBegan(point);
        QCOMPARE(view->m_onSpeedNeedleFunAdjust, grabs);
    }

    void touchDragInLandscape()
    {
        MainViewPad* view = startLandscape();
        QVERIFY(view);
        static QPointingDevice* screen = QTest::createTouchDevice();
        const QPoint press = viewPointOf(view, onWheel(kTabletCentre, kStart + 0.2, 150)).toPoint();
        const QPoint up = viewPointOf(view, kTabletCentre + QPointF(0, -200)).toPoint();
        QTest::touchEvent(view, screen).press(0, press, view);
        QVERIFY(view->m_onSpeedNeedleFunAdjust);
        QTest::touchEvent(view, screen).move(0, up, view);
        KORVANE_COMPARE_NEAR(view->m_speedZeiger->rotation(), 4.712389, 1e-5);
        QTest::touchEvent(view, screen).release(0, up, view);
        QVERIFY(!view->m_onSpeedNeedleFunAdjust);
        QVERIFY(view->m_properties_facebook_Button->isHidden());
    }

    void setViewInit_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<QString>("unitText");
        QTest::addColumn<QString>("distance");
        QTest::newRow("km/h") << 0 << "km"
                              << "12.3";
        QTest::newRow("mph") << 1 << "mi"
                             << "7.7";
        QTest::newRow("knots") << 2 << "nmi"
                               << "6.7";
    }
    void setViewInit()
    {
        QFETCH(int, unit);
        QFETCH(QString, unitText);
        QFETCH(QString, distance);
        gauge->storeTripDistance(12345.6);
        MainViewPad* view = gauge->start<MainViewPad>(unit);
        QCOMPARE(view->m_gpsZeiger->imageName(), QStringLiteral("ZeigerGPSPad.png"));
        QCOMPARE(view->m_distanceUnitLabel->text(), unitText);
        QCOMPARE(view->m_distanceTraveled->text(), distance);
        QCOMPARE(view->m_BackgroundView->alpha(), 1.0f);
        QCOMPARE(view->properties_AnimationTimer.interval(), 4.0);
    }
};

KORVANE_REGISTER_TEST(TestMainViewPad);
#include "tst_MainViewPad.moc"
