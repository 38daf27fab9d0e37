#include "StretchableImage.h"

#include "Bundle.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

StretchableImage::StretchableImage(QImage image, int leftCapWidth, int topCapHeight)
    : m_image(std::move(image)), m_left(std::max(0, leftCapWidth)), m_top(std::max(0, topCapHeight))
{
}

StretchableImage StretchableImage::named(const QString& name, qreal devicePixelRatio,
                                         int leftCapWidth, int topCapHeight)
{
    return StretchableImage(Bundle::image(name, devicePixelRatio), leftCapWidth, topCapHeight);
}

void StretchableImage::draw(QPainter& painter, const QRectF& target) const
{
    if (m_image.isNull() || target.isEmpty())
        return;
    const QSizeF natural = size();
    const qreal r = m_image.devicePixelRatio();
    // A cap of 0 stretches the whole width (or height), as the platform does.
    const qreal left = m_left > 0 ? std::min<qreal>(m_left, natural.width()) : 0;
    const qreal right = m_left > 0 ? std::max<qreal>(0, natural.width() - left - 1) : 0;
    const qreal top = m_top > 0 ? std::min<qreal>(m_top, natural.height()) : 0;
    const qreal bottom = m_top > 0 ? std::max<qreal>(0, natural.height() - top - 1) : 0;
    // Caps shrink together when the target is smaller than they are.
    const qreal sx = std::min<qreal>(1.0, target.width() / std::max<qreal>(1e-9, left + right));
    const qreal sy = std::min<qreal>(1.0, target.height() / std::max<qreal>(1e-9, top + bottom));

    const qreal srcX[] = {0, left, natural.width() - right, natural.width()};
    const qreal srcY[] = {0, top, natural.height() - bottom, natural.height()};
    qreal dstX[] = {target.left(), target.left() + left * sx, target.right() - right * sx,
                    target.right()};
    qreal dstY[] = {target.top(), target.top() + top * sy, target.bottom() - bottom * sy,
                    target.bottom()};
    // Patch edges on whole device pixels, so neighbouring patches neither
    // overlap nor leave a hairline between them on a scaled screen.
    const QTransform t = painter.deviceTransform();
    if (t.type() <= QTransform::TxScale && t.m11() > 0 && t.m22() > 0) {
        for (qreal& x : dstX)
            x = (std::round(x * t.m11() + t.dx()) - t.dx()) / t.m11();
        for (qreal& y : dstY)
            y = (std::round(y * t.m22() + t.dy()) - t.dy()) / t.m22();
    }
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            const QRectF dst(QPointF(dstX[col], dstY[row]), QPointF(dstX[col + 1], dstY[row + 1]));
            const QRectF src(QPointF(srcX[col] * r, srcY[row] * r),
                             QPointF(srcX[col + 1] * r, srcY[row + 1] * r));
            if (dst.width() > 0 && dst.height() > 0 && src.width() > 0 && src.height() > 0)
                painter.drawImage(dst, m_image, src);
        }
    }
    painter.restore();
}
