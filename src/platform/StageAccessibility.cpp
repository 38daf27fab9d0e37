#include "StageAccessibility.h"

#include "StageWindow.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QWindow>
#include <utility>

namespace {

struct Placement {
    QGraphicsProxyWidget* proxy = nullptr;
    QGraphicsView* view = nullptr;
    explicit operator bool() const { return view; }
};

// The proxy and view that draw `widget`, when it lives on a stage.
Placement placementOf(const QWidget* widget)
{
    QGraphicsProxyWidget* proxy = widget ? widget->window()->graphicsProxyWidget() : nullptr;
    if (!proxy || !proxy->scene() || proxy->scene()->views().isEmpty())
        return {};
    return {proxy, proxy->scene()->views().constFirst()};
}

// Edges rounded on their own, so that neighbours share their edge pixels.
QRect roundedRect(const QRectF& r)
{
    const QPoint topLeft(qRound(r.left()), qRound(r.top()));
    const QPoint bottomRight(qRound(r.right()), qRound(r.bottom()));
    return {topLeft, QSize(bottomRight.x() - topLeft.x(), bottomRight.y() - topLeft.y())};
}

QWindow* windowOf(const QWidget* widget)
{
    const Placement at = placementOf(widget);
    return (at ? at.view : widget)->window()->windowHandle();
}

// Wholly outside one of its parents, as a page parked beside the stage is.
bool clippedAway(const QWidget* widget)
{
    const QWidget* top = widget->window();
    QRect visible(widget->mapTo(top, QPoint(0, 0)), widget->size());
    for (const QWidget* p = widget->parentWidget(); p && !visible.isEmpty(); p = p->parentWidget())
        visible &= QRect(p->mapTo(top, QPoint(0, 0)), p->size());
    return visible.isEmpty();
}

// Nearest child under the point; later siblings are drawn over earlier ones.
QAccessibleInterface* topChildAt(const QAccessibleInterface* parent, int x, int y)
{
    for (int i = parent->childCount() - 1; i >= 0; --i) {
        QAccessibleInterface* child = parent->child(i);
        if (child && child->isValid() && !child->state().invisible && child->rect().contains(x, y))
            return child;
    }
    return nullptr;
}

// The stage, once proxied, is a top-level widget of its own and would be
// listed beside the window; so is a hidden window the browser engine
// renders into. The application lists the windows a user can see.
class AccessibleApplication : public QAccessibleApplication {
public:
    int childCount() const override { return int(windows().size()); }
    QAccessibleInterface* child(int index) const override { return windows().value(index); }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return int(windows().indexOf(const_cast<QAccessibleInterface*>(child)));
    }

private:
    QList<QAccessibleInterface*> windows() const
    {
        QList<QAccessibleInterface*> shown;
        for (int i = 0; i < QAccessibleApplication::childCount(); ++i) {
            QAccessibleInterface* w = QAccessibleApplication::child(i);
            if (!w)
                continue;
            QObject* object = w->object();
            if (object && object->isWidgetType() &&
                static_cast<QWidget*>(object)->graphicsProxyWidget())
                continue;
            if (w->window() && w->window()->isVisible())
                shown << w;
        }
        return shown;
    }
};

// Widgets on a graphics stage have no window of their own: the window
// reports the stage as its one child, and the stage reports the window as
// its parent.
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
    QAccessibleInterface* childAt(int x, int y) const override { return topChildAt(this, x, y); }

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
    QWindow* window() const override { return windowOf(widget()); }
    QAccessibleInterface* parent() const override
    {
        const Placement at = placementOf(widget());
        return at ? QAccessible::queryAccessibleInterface(at.view) : QAccessibleWidget::parent();
    }
    QRect rect() const override { return StageAccessibility::drawnRect(widget()); }
    // Qt's own look-up tests the point against the unscaled size first.
    QAccessibleInterface* childAt(int x, int y) const override { return topChildAt(this, x, y); }
};

// Qt's interfaces for widgets take a widget's extent from its own size,
// which on a stage is in points, not in the pixels it is drawn with. Each
// widget's interface is Qt's own (buttons keep their actions, labels their
// text), wrapped to report the drawn geometry. Every widget is wrapped, not
// only those on a stage now: a widget may be put on one after its interface
// was made.
class AccessibleDrawnWidget : public QAccessibleInterface {
public:
    explicit AccessibleDrawnWidget(QAccessibleInterface* qt)
        : m_qt(qt), m_qtId(QAccessible::uniqueId(qt))
    {
    }
    // The cache deletes this interface with its widget; Qt's own is listed
    // there too, under an id only this one knows.
    ~AccessibleDrawnWidget() override
    {
        if (QAccessible::accessibleInterface(m_qtId) == m_qt)
            QAccessible::deleteAccessibleInterface(m_qtId);
    }

    bool isValid() const override { return m_qt->isValid(); }
    QObject* object() const override { return m_qt->object(); }
    QWindow* window() const override { return onStage() ? windowOf(widget()) : m_qt->window(); }
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation match) const override
    {
        return m_qt->relations(match);
    }
    QAccessibleInterface* focusChild() const override { return m_qt->focusChild(); }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        return onStage() ? topChildAt(this, x, y) : m_qt->childAt(x, y);
    }
    QAccessibleInterface* parent() const override { return m_qt->parent(); }
    QAccessibleInterface* child(int index) const override { return m_qt->child(index); }
    int childCount() const override { return m_qt->childCount(); }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return m_qt->indexOfChild(child);
    }
    QString text(QAccessible::Text t) const override { return m_qt->text(t); }
    void setText(QAccessible::Text t, const QString& text) override { m_qt->setText(t, text); }
    QRect rect() const override
    {
        return onStage() && widget()->isVisible() ? StageAccessibility::drawnRect(widget())
                                                  : m_qt->rect();
    }
    QAccessible::Role role() const override { return m_qt->role(); }
    QAccessible::State state() const override
    {
        QAccessible::State s = m_qt->state();
        if (onStage() && !s.invisible && clippedAway(widget()))
            s.offscreen = true;
        return s;
    }
    QColor foregroundColor() const override { return m_qt->foregroundColor(); }
    QColor backgroundColor() const override { return m_qt->backgroundColor(); }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return m_qt->interface_cast(type);
    }
    void virtual_hook(int id, void* data) override { m_qt->virtual_hook(id, data); }

private:
    QWidget* widget() const { return static_cast<QWidget*>(m_qt->object()); }
    bool onStage() const { return widget() && placementOf(widget()); }

    QAccessibleInterface* m_qt;
    QAccessible::Id m_qtId;
};

// The widget whose interface of Qt's own is being made; no factory of ours
// answers for it meanwhile.
QObject* s_unwrapped = nullptr;

QAccessibleInterface* factory(const QString&, QObject* object)
{
    if (!object)
        return nullptr;
    if (object == qApp)
        return new AccessibleApplication;
    if (!object->isWidgetType() || object == s_unwrapped)
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (qobject_cast<StageWindow*>(widget))
        return new AccessibleStageWindow(widget);
    if (widget->inherits("Stage"))
        return new AccessibleStage(widget);
    QObject* outer = std::exchange(s_unwrapped, object);
    QAccessibleInterface* qt = QAccessible::queryAccessibleInterface(object);
    s_unwrapped = outer;
    return qt ? new AccessibleDrawnWidget(qt) : nullptr;
}

} // namespace

void StageAccessibility::install()
{
    QAccessible::removeFactory(factory);
    QAccessible::installFactory(factory);
}

QRect StageAccessibility::drawnRect(const QWidget* widget)
{
    const Placement at = placementOf(widget);
    if (!at)
        return widget ? QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size()) : QRect();
    const QWidget* top = widget->window();
    const QRectF local(QPointF(widget->mapTo(top, QPoint(0, 0))), QSizeF(widget->size()));
    const QTransform toViewport = at.proxy->sceneTransform() * at.view->viewportTransform();
    const QPoint origin = at.view->viewport()->mapToGlobal(QPoint(0, 0));
    return roundedRect(toViewport.mapRect(local)).translated(origin);
}
