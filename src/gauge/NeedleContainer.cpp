#include "NeedleContainer.h"

#include <cmath>

void NeedleContainer::setCenter(QPointF center)
{
    const QPointF topLeft = center - QPointF(width(), height()) / 2.0;
    const QPoint whole(int(std::floor(topLeft.x())), int(std::floor(topLeft.y())));
    const QPointF offset = topLeft - QPointF(whole);
    const bool offsetChanged = offset != m_offset;
    m_offset = offset;
    move(whole);
    if (offsetChanged)
        update();
}
