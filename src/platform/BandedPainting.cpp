#include "BandedPainting.h"

#include "DevicePixels.h"

#include <QImage>
#include <QPainter>
#include <QWidget>
#include <cmath>

namespace {
// An antialiased edge may add two spans to a row; 24 rows stay well below
// the engine's threshold either way.
constexpr int kBandRows = 24;

template <typename Paint>
void inBands(QPainter& painter, const QRectF& area, Paint paint)
{
    const QTransform toDevice = painter.worldTransform();
    const QRectF device = toDevice.mapRect(area);
    const int top = int(std::floor(device.top()));
    const int bottom = int(std::ceil(device.bottom()));
    if (bottom - top <= kBandRows) {
        paint();
        return;
    }
    const int left = int(std::floor(device.left())) - 1;
    const int width = int(std::ceil(device.right())) + 1 - left;
    for (int y = top; y < bottom; y += kBandRows) {
        painter.save();
        // Clips are given in the painter's coordinates; a band is a device
        // rectangle, so it is set without the world transform.
        painter.resetTransform();
        painter.setClipRect(QRect(left, y, width, kBandRows), Qt::IntersectClip);
        painter.setWorldTransform(toDevice);
        paint();
        painter.restore();
    }
}
} // namespace

void drawImageInBands(QPainter& painter, const QRectF& target, const QImage& image,
                      const QRectF& source)
{
    inBands(painter, target, [&] { painter.drawImage(target, image, source); });
}

void drawImageInBands(QPainter& painter, const QRectF& target, const QImage& image)
{
    drawImageInBands(painter, target, image, QRectF(QPointF(0, 0), QSizeF(image.size())));
}

void fillRectInBands(QPainter& painter, const QRectF& rect, const QBrush& brush)
{
    inBands(painter, rect, [&] { painter.fillRect(rect, brush); });
}

void KeptPicture::forget()
{
    m_image = QImage();
}

void KeptPicture::paint(QPainter& painter, const QWidget& widget,
                        const std::function<void(QPainter&)>& draw)
{
    const qreal ratio = DevicePixels::ratio(&widget);
    if (m_image.isNull() || m_size != widget.size() || m_ratio != ratio) {
        QImage image((QSizeF(widget.size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        // Point sizes mean what they mean on screen.
        image.setDotsPerMeterX(qRound(widget.logicalDpiX() / 0.0254));
        image.setDotsPerMeterY(qRound(widget.logicalDpiY() / 0.0254));
        image.fill(Qt::transparent);
        QPainter p(&image);
        DevicePixels::matchImageRatio(p, image);
        draw(p);
        p.end();
        m_image = image;
        m_size = widget.size();
        m_ratio = ratio;
    }
    // Pixel for pixel, at the picture's own density.
    drawImageInBands(painter, QRectF(QPointF(0, 0), m_image.deviceIndependentSize()), m_image);
}
