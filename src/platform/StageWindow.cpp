#include "StageWindow.h"

#include "Application.h"
#include "DevicePixels.h"

#include <QAccessibleWidget>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>
#include <cmath>

namespace {

// The stage container; its class name lets the accessibility bridge find it.
class Stage : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
};

// Widgets on a graphics stage have no window of their own, so screen readers
// would not find them: the window reports the stage as its one child, and the
// stage reports the window as its parent.
class AccessibleStageWindow : public QAccessibleWidget {
public:
    explicit AccessibleStageWindow(QWidget* w) : QAccessibleWidget(w, QAccessible::Window) {}
    int childCount() const override { return stageInterface() ? 1 : 0; }
    QAccessibleInterface* child(int index) const override
    {
        return index == 0 ? stageInterface() : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child && child == stageInterface() ? 0 : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        QAccessibleInterface* s = stageInterface();
        return s && s->rect().contains(x, y) ? s : nullptr;
    }

private:
    QAccessibleInterface* stageInterface() const
    {
        auto* window = static_cast<StageWindow*>(widget());
        return window->stage() ? QAccessible::queryAccessibleInterface(window->stage()) : nullptr;
    }
};

class AccessibleStage : public QAccessibleWidget {
public:
    explicit AccessibleStage(QWidget* w) : QAccessibleWidget(w, QAccessible::Pane) {}
    QAccessibleInterface* parent() const override
    {
        QGraphicsProxyWidget* proxy = widget()->graphicsProxyWidget();
        if (proxy && proxy->scene() && !proxy->scene()->views().isEmpty())
            return QAccessible::queryAccessibleInterface(proxy->scene()->views().constFirst());
        return QAccessibleWidget::parent();
    }
    QRect rect() const override
    {
        QGraphicsProxyWidget* proxy = widget()->graphicsProxyWidget();
        if (!proxy || !proxy->scene() || proxy->scene()->views().isEmpty())
            return QAccessibleWidget::rect();
        QGraphicsView* view = proxy->scene()->views().constFirst();
        const QRectF scene = proxy->sceneTransform().mapRect(QRectF(widget()->rect()));
        const QRect inView = view->mapFromScene(scene).boundingRect();
        return QRect(view->viewport()->mapToGlobal(inView.topLeft()), inView.size());
    }
};

QAccessibleInterface* stageAccessibleFactory(const QString& className, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    if (className == QLatin1String("StageWindow"))
        return new AccessibleStageWindow(static_cast<QWidget*>(object));
    if (className == QLatin1String("Stage"))
        return new AccessibleStage(static_cast<QWidget*>(object));
    return nullptr;
}
} // namespace

StageWindow::StageWindow(DesignSize designSize, QWidget* parent)
    : QGraphicsView(parent), m_designSize(std::move(designSize))
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(stageAccessibleFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);

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

    m_scene = new QGraphicsScene(this);
    setScene(m_scene);
    m_stage = new Stage;
    m_stage->setObjectName(QStringLiteral("stage"));
    m_proxy = m_scene->addWidget(m_stage);
    m_proxy->setAcceptTouchEvents(true);
    m_proxy->setFlag(QGraphicsItem::ItemIsFocusable);
    m_scene->setFocusItem(m_proxy);
    refit();
}

StageWindow::~StageWindow()
{
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
