#include "DevicePixels.h"

#include <QCoreApplication>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QWidget>
#include <cmath>

namespace DevicePixels {

qreal ratio(const QWidget* widget)
{
    if (!widget)
        return 1.0;
    const QWidget* top = widget->window();
    QGraphicsProxyWidget* proxy = top->graphicsProxyWidget();
    if (!proxy || !proxy->scene() || proxy->scene()->views().isEmpty())
        return widget->devicePixelRatioF();
    const QGraphicsView* view = proxy->scene()->views().constFirst();
    const QTransform t = proxy->deviceTransform(view->viewportTransform());
    return view->devicePixelRatioF() * std::hypot(t.m11(), t.m12());
}

void matchImageRatio(QPainter& painter, const QImage& image)
{
    const qreal imageRatio = image.devicePixelRatio();
    if (imageRatio < 1.0)
        painter.scale(imageRatio, imageRatio);
}

QEvent::Type changeEvent()
{
    static const auto type = QEvent::Type(QEvent::registerEventType());
    return type;
}

void announceChange(QWidget* root)
{
    if (!root)
        return;
    // A widget may delete others while it re-renders; guarded pointers skip them.
    QList<QPointer<QWidget>> widgets{root};
    for (QWidget* child : root->findChildren<QWidget*>())
        widgets << child;
    for (const QPointer<QWidget>& widget : widgets) {
        if (!widget)
            continue;
        QEvent event(changeEvent());
        QCoreApplication::sendEvent(widget, &event);
    }
}

bool mayHaveChanged(const QEvent* event)
{
    return event->type() == changeEvent() || event->type() == QEvent::Show;
}

} // namespace DevicePixels
