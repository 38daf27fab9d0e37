#include "OverlayPanel.h"

#include <QPainter>
#include <QPainterPath>

namespace {
constexpr qreal kRadius = 14;
const QColor kFill(8, 9, 11, 150);
const QColor kEdge(255, 255, 255, 38);
} // namespace

void OverlayPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    m_picture.paint(p, *this, [this](QPainter& panel) {
        panel.setRenderHint(QPainter::Antialiasing);
        const QRectF outer(rect());
        QPainterPath shape;
        shape.addRoundedRect(outer, kRadius, kRadius);
        panel.fillPath(shape, kFill);
        // A one-point line inside the edge.
        panel.setPen(QPen(kEdge, 1));
        panel.setBrush(Qt::NoBrush);
        panel.drawRoundedRect(outer.adjusted(0.5, 0.5, -0.5, -0.5), kRadius - 0.5, kRadius - 0.5);
    });
}
