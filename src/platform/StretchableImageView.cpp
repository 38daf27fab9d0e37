#include "StretchableImageView.h"

#include "DevicePixels.h"
#include "StretchableImage.h"

#include <QPainter>

StretchableImageView::StretchableImageView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void StretchableImageView::setImage(const QString& name, int leftCapWidth, int topCapHeight)
{
    m_name = name;
    m_left = leftCapWidth;
    m_top = topCapHeight;
    update();
}

void StretchableImageView::paintEvent(QPaintEvent*)
{
    if (m_name.isEmpty())
        return;
    QPainter p(this);
    StretchableImage::named(m_name, DevicePixels::ratio(this), m_left, m_top)
        .draw(p, QRectF(rect()));
}
