#include "StageWindow.h"

#include "Application.h"
#include "DevicePixels.h"
#include "RepeatingTimer.h"
#include "StageAccessibility.h"

#include <QCoreApplication>

#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>
#include <cmath>

namespace {
// The stage container; its class name tells the accessibility factory which
// widget is the stage.
class Stage : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
};

// The one item of the scene. A graphics widget repaints itself whole when
// its window is activated or deactivated, in case its palette differs; the
// stage's widgets repaint themselves where theirs do, so the proxy only hands
// the event on. Otherwise the window repainted all of itself once more at
// start and whenever it became active or inactive.
class StageProxy : public QGraphicsProxyWidget {
public:
    bool event(QEvent* event) override
    {
        if (event->type() != QEvent::WindowActivate && event->type() != QEvent::WindowDeactivate)
            return QGraphicsProxyWidget::event(event);
        if (widget())
            QCoreApplication::sendEvent(widget(), event);
        return true;
    }
};

std::vector<StageWindow*>& liveWindows()
{
    static std::vector<StageWindow*> windows;
    return windows;
}
} // namespace

StageWindow::StageWindow(DesignSize designSize, QWidget* parent)
    : QGraphicsView(parent), m_designSize(std::move(designSize))
{
    static const bool accessibilityInstalled = [] {
        StageAccessibility::install();
        return true;
    }();
    Q_UNUSED(accessibilityInstalled);
    static const bool settling = [] {
        RepeatingTimer::setBeforeTick(&StageWindow::settleRepaints);
        return true;
    }();
    Q_UNUSED(settling);
    liveWindows().push_back(this);

    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTransformationAnchor(QGraphicsView::NoAnchor);
    setResizeAnchor(QGraphicsView::NoAnchor);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Scene items are the one stage; caching would keep a stale copy of it.
    setCacheMode(QGraphicsView::CacheNone);
    setOptimizationFlags(QGraphicsView::DontSavePainterState);
    viewport()->setAttribute(Qt::WA_AcceptTouchEvents);
    // The stage paints its own background and drawBackground the margins: a
    // fill of the viewport first would be a second pass over every frame's
    // pixels, large enough to go to the raster engine's thread pool.
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);

    m_scene = new QGraphicsScene(this);
    setScene(m_scene);
    m_stage = new Stage;
    m_stage->setObjectName(QStringLiteral("stage"));
    m_proxy = new StageProxy;
    m_proxy->setWidget(m_stage);
    m_scene->addItem(m_proxy);
    m_proxy->setAcceptTouchEvents(true);
    m_proxy->setFlag(QGraphicsItem::ItemIsFocusable);
    m_scene->setFocusItem(m_proxy);
    refit();
}

StageWindow::~StageWindow()
{
    std::erase(liveWindows(), this);
    // The scene owns the proxy, which owns the stage; screens on the stage go
    // first, while the window still exists for them.
    if (!m_stage)
        return;
    // Deleting one screen may delete others; guarded pointers skip those.
    QList<QPointer<QWidget>> screens;
    for (QObject* child : m_stage->children())
        if (child->isWidgetType())
            screens << static_cast<QWidget*>(child);
    for (const QPointer<QWidget>& screen : screens)
        delete screen.data();
}

void StageWindow::setMarginPainter(MarginPainter painter)
{
    m_marginPainter = std::move(painter);
    viewport()->update();
}

StageWindow::Fit StageWindow::fit(QSizeF design, QSizeF window)
{
    Fit f;
    if (design.isEmpty() || window.isEmpty())
        return f;
    f.scale = std::min(window.width() / design.width(), window.height() / design.height());
    f.offset = QPointF((window.width() - design.width() * f.scale) / 2.0,
                       (window.height() - design.height() * f.scale) / 2.0);
    return f;
}

QSize StageWindow::tabletDesignSize(QSize window)
{
    return Device::tabletDesignSize(Application::isPortraitSize(window));
}

QWidget* StageWindow::stageOf(QWidget* window)
{
    if (auto* stageWindow = qobject_cast<StageWindow*>(window))
        return stageWindow->stage();
    return window;
}

void StageWindow::resizeEvent(QResizeEvent* event)
{
    QGraphicsView::resizeEvent(event);
    refit();
}

bool StageWindow::event(QEvent* event)
{
    // A move to a screen of another density changes what the stage's images
    // must be rendered for.
    if (event->type() == QEvent::ScreenChangeInternal)
        DevicePixels::announceChange(m_stage);
    // What the stage asked for since joins this frame rather than making the
    // next (a shown stage asks for all of itself after the window's first).
    if (event->type() == QEvent::UpdateRequest)
        settle();
    return QGraphicsView::event(event);
}

void StageWindow::refit()
{
    const QSize window = viewport()->size();
    const QSize design = m_designSize ? m_designSize(window) : window;
    if (m_stage && m_stage->size() != design)
        m_stage->resize(design);
    m_proxy->resize(design);
    const Fit previous = m_fit;
    m_fit = fit(QSizeF(design), QSizeF(window));
    m_scene->setSceneRect(QRectF(QPointF(0, 0), QSizeF(window)));
    m_proxy->setTransform(QTransform::fromScale(m_fit.scale, m_fit.scale));
    m_proxy->setPos(m_fit.offset);
    viewport()->update();
    if (previous.scale != m_fit.scale)
        DevicePixels::announceChange(m_stage);
}

bool StageWindow::updateExactly(QWidget* widget, const QRegion& region)
{
    QWidget* stage = widget->window();
    QGraphicsProxyWidget* proxy = stage->graphicsProxyWidget();
    if (!proxy || !proxy->scene() || !widget->isVisible() || !widget->updatesEnabled())
        return false;
    const QRegion clipped = region & widget->rect();
    if (clipped.isEmpty())
        return true;
    const QPoint offset = widget->mapTo(stage, QPoint(0, 0));
    for (QGraphicsView* view : proxy->scene()->views()) {
        const QTransform toViewport = proxy->sceneTransform() * view->viewportTransform();
        QRegion device;
        // A point of margin takes the scaled edge's antialiasing.
        for (const QRect& r : clipped)
            device += toViewport.mapRect(QRectF(r.translated(offset))).toAlignedRect().adjusted(-1, -1, 1, 1);
        view->viewport()->update(device);
    }
    return true;
}

void StageWindow::settleRepaints()
{
    for (StageWindow* window : liveWindows())
        window->settle();
}

void StageWindow::settle()
{
    // The stage hands its dirty rectangles to the proxy at its update
    // request, and the scene merges all of one item's into their bounding box
    // until it processes them, which marks the viewport: both now.
    if (m_stage)
        QCoreApplication::sendPostedEvents(m_stage, QEvent::UpdateRequest);
    QCoreApplication::sendPostedEvents(m_scene, QEvent::MetaCall);
}

void StageWindow::paintEvent(QPaintEvent* event)
{
    ++m_paintedFrames;
    QGraphicsView::paintEvent(event);
}

void StageWindow::drawBackground(QPainter* painter, const QRectF& rect)
{
    const QRectF stageRect = m_proxy->sceneBoundingRect();
    if (stageRect.contains(rect))
        return;
    if (!m_marginPainter) {
        painter->fillRect(rect, Qt::black);
        return;
    }
    painter->save();
    painter->setTransform(m_proxy->sceneTransform(), true);
    m_marginPainter(*painter, m_proxy->sceneTransform().inverted().mapRect(rect));
    painter->restore();
}

#include "StageWindow.moc"
