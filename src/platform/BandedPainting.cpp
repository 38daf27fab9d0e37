#include "BandedPainting.h"

#include <QImage>
#include <QPainter>
#include <cmath>

namespace {
// An antialiased edge may add two spans to a row; 24 rows stay well below
// the engine's threshold either way.
constexpr int kBandRows = 24;
} // namespace

void drawImageInBands(QPainter& painter, const QRectF& target, const QImage& image,
                      const QRectF& source)
{
    const QTransform toDevice = painter.worldTransform();
    const QRectF device = toDevice.mapRect(target);
    const int top = int(std::floor(device.top()));
    const int bottom = int(std::ceil(device.bottom()));
    if (bottom - top <= kBandRows) {
        painter.drawImage(target, image, source);
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
        painter.drawImage(target, image, source);
        painter.restore();
    }
}

void drawImageInBands(QPainter& painter, const QRectF& target, const QImage& image)
{
    drawImageInBands(painter, target, image, QRectF(QPointF(0, 0), QSizeF(image.size())));
}
