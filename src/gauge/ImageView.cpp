#include "ImageView.h"

#include "BandedPainting.h"

#include <QPaintEvent>
#include <QPainter>

void ImageView::setImage(const QImage& image)
{
    m_image = image;
    // An opaque face spares the widgets below it from painting.
    setAttribute(Qt::WA_OpaquePaintEvent, !image.isNull() && !image.hasAlphaChannel() &&
                                              image.deviceIndependentSize().toSize() == size());
    update();
}

void ImageView::paintEvent(QPaintEvent* event)
{
    if (m_image.isNull())
        return;
    QPainter p(this);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    const qreal r = m_image.devicePixelRatio();
    // Copy only the damaged part.
    for (const QRect& rect : event->region()) {
        const QRectF source(rect.x() * r, rect.y() * r, rect.width() * r, rect.height() * r);
        drawImageInBands(p, QRectF(rect), m_image, source);
    }
}
