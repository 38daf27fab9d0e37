#include "MainViewPad.h"

#include "AlphaView.h"
#include "Application.h"
#include "DialGeometry.h"
#include "NeedleContainer.h"
#include "RotatingImageView.h"
#include "TextureView.h"
#include "ui_MainViewPad.h"

#include <QLabel>

namespace {
constexpr float kTabletGrabRadius = 230.0f;
constexpr const char* kAccuracyNeedleImage = "ZeigerGPSPad.png";

// Status-bar orientations that count as portrait; everything else,
// including "unknown" (0), is laid out as landscape.
constexpr int kPortrait = 1;
constexpr int kPortraitUpsideDown = 2;

// Centres in the gauge view's coordinates. The 768 × 1024 face has its dial
// 85 points above its middle, and the speed elements follow it.
struct Placement {
    QPointF face;
    QPointF speedElements;
    QPointF title;
    QPointF zentrikApps;
    QPointF infoSettings;
    bool titleShown;
};
constexpr Placement kPortraitPlacement{{384, 512}, {384, 427}, {384, 80},
                                       {384, 925}, {384, 758}, true};
constexpr Placement kLandscapePlacement{{512, 415}, {512, 330}, {512, 40},
                                        {512, 720}, {512, 640}, false};

QRectF frameAround(const QWidget* w, QPointF center)
{
    const QSizeF size(w->size());
    return QRectF(center - QPointF(size.width(), size.height()) / 2.0, size);
}

// Moves w so that its centre is `center` of `view`, whatever w's parent.
void setCenter(QWidget* w, QPointF center, const QWidget* view)
{
    const QWidget* parent = w->parentWidget();
    const QPointF local = parent == view ? center : parent->mapFrom(view, center);
    w->move(frameAround(w, local).topLeft().toPoint());
}
} // namespace

MainViewPad::MainViewPad(QWidget* parent) : MainView(parent, NoLayout{})
{
    m_ui = std::make_unique<Ui::MainViewPad>();
    m_ui->setupUi(this);
    m_speedElementsView = m_ui->m_speedElementsView;
    m_ZentrikAppsView = m_ui->m_ZentrikAppsView;
    m_ISView = m_ui->m_ISView;
    m_backdropView = m_ui->m_backdropView;
    bindLayout(*m_ui);
    layoutSubviews();
}

MainViewPad::~MainViewPad() = default;

void MainViewPad::layoutSubviews()
{
    const int orientation = Application::shared().statusBarOrientation();
    const bool portrait = orientation == kPortrait || orientation == kPortraitUpsideDown;
    const Placement& p = portrait ? kPortraitPlacement : kLandscapePlacement;

    setCenter(m_View_Main, p.face, this);
    // Where the face does not reach (beside it in landscape), its texture
    // goes on seamlessly.
    m_backdropView->setGeometry(rect());
    m_backdropView->setPatternPhase(QPointF(m_View_Main->pos()) + faceTexturePhase());
    m_backdropView->setHidden(m_View_Main->geometry().contains(rect()));
    m_speedElementsView->setCenter(
        m_speedElementsView->parentWidget()->mapFrom(this, p.speedElements));
    setCenter(m_Speedo_Label, p.title, this);
    m_Speedo_Label->setHidden(!p.titleShown);

    // The fading overlay holds both panels; kept tight around them so a fade
    // step repaints only the panels.
    const QRectF panels =
        frameAround(m_ISView, p.infoSettings) | frameAround(m_ZentrikAppsView, p.zentrikApps);
    m_BackgroundView->setGeometry(
        QRectF(m_BackgroundView->parentWidget()->mapFrom(this, panels.topLeft()), panels.size())
            .toRect());
    setCenter(m_ISView, p.infoSettings, this);
    setCenter(m_ZentrikAppsView, p.zentrikApps, this);
}

void MainViewPad::resizeEvent(QResizeEvent* event)
{
    MainView::resizeEvent(event);
    layoutSubviews();
}

void MainViewPad::showEvent(QShowEvent* event)
{
    MainView::showEvent(event);
    layoutSubviews();
}

void MainViewPad::touchesBegan(QPointF point)
{
    grabSpeedNeedle(point, kTabletGrabRadius);
}

float MainViewPad::touchAngleOnWheel(QPointF point) const
{
    return DialGeometry::touchAngleOnWheel(point, DialGeometry::kTabletWheelCenter);
}

float MainViewPad::touchRadiusOnWheel(QPointF point) const
{
    return DialGeometry::touchRadiusOnWheel(point, DialGeometry::kTabletWheelCenter);
}

void MainViewPad::setViewInit()
{
    m_gpsZeiger->setImageName(QLatin1String(kAccuracyNeedleImage));
    updateDistanceUnitText();
    adjustImgViewsInit();
    // The tablet updates the read-out before the overlay comes up.
    update_m_distanceTraveled_Label();
    start_properties_AnimationTimer(kOverlayShowSeconds);
}
