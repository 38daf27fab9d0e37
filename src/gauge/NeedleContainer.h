#pragma once

#include <QWidget>

// The view that holds the needles. Its centre may fall between two pixels
// (the phone dial centre is at y = 248.5); widgets sit on whole points, so
// the container keeps the exact position and its needles add the remainder
// when they paint.
class NeedleContainer : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    // Centre in the parent's coordinates.
    void setCenter(QPointF center);
    QPointF center() const { return QPointF(pos()) + m_offset + QPointF(width(), height()) / 2.0; }
    // Exact top left minus the whole-point widget position, in [0, 1).
    QPointF subpixelOffset() const { return m_offset; }

    // A point of this widget's own (whole-point) space in the container's
    // exact space, the space the wheel centre refers to.
    QPointF toContainerSpace(QPointF widgetPoint) const { return widgetPoint - m_offset; }

private:
    QPointF m_offset;
};
