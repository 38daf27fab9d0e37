#include "InfoViewPad.h"

#include "Application.h"
#include "PageStyle.h"

#include <QPainter>

namespace {
constexpr QPointF kPanelCentrePortrait{384, 512};
constexpr QPointF kPanelCentreLandscape{512, 384};
} // namespace

void InfoViewPhone::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    PageStyle::paintBackground(p, this);
}

void InfoViewPad::layoutSubviews()
{
    if (!m_info_View)
        return;
    QRectF frame(QPointF(), QSizeF(m_info_View->size()));
    frame.moveCenter(Application::isPortraitSize(size()) ? kPanelCentrePortrait
                                                        : kPanelCentreLandscape);
    m_info_View->move(frame.topLeft().toPoint());
}

void InfoViewPad::resizeEvent(QResizeEvent*)
{
    layoutSubviews();
}
