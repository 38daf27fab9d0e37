#include "RotatingImageView.h"

#include "BandedPainting.h"
#include "DevicePixels.h"
#include "GaugeResources.h"
#include "NeedleContainer.h"
#include "StageWindow.h"

#include <QPaintEvent>
#include <QRegion>
#include <QPainter>
#include <QtMath>
#include <algorithm>
#include <cmath>

RotatingImageView::RotatingImageView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void RotatingImageView::setImageName(const QString& name)
{
    const QRegion before = coveredRegion(m_rotation);
    m_imageName = name;
    loadNamedImage();
    update(before + coveredRegion(m_rotation));
}

void RotatingImageView::loadNamedImage()
{
    m_imageRatio = DevicePixels::ratio(this);
    m_image = GaugeResources::image(m_imageName, m_imageRatio);
    findVisiblePart();
}

void RotatingImageView::findVisiblePart()
{
    m_covered = QRegion();
    m_coveredPivot = QPointF(qQNaN(), qQNaN());
    const QRectF frame(-m_bounds.width() / 2, -m_bounds.height() / 2, m_bounds.width(),
                       m_bounds.height());
    if (m_image.isNull()) {
        // The placeholder bar, or nothing.
        m_visible = m_imageName.isEmpty() ? QRectF() : QRectF(0, -1.5, frame.width() / 2, 3);
        return;
    }
    // Rows and columns that hold a pixel that is not fully transparent.
    int left = m_image.width(), right = -1, top = m_image.height(), bottom = -1;
    if (m_image.hasAlphaChannel()) {
        const QImage argb = m_image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < argb.height(); ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
            for (int x = 0; x < argb.width(); ++x) {
                if (qAlpha(row[x]) == 0)
                    continue;
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    } else {
        left = top = 0;
        right = m_image.width() - 1;
        bottom = m_image.height() - 1;
    }
    if (right < 0) {
        m_visible = QRectF();
        return;
    }
    const qreal sx = frame.width() / m_image.width(), sy = frame.height() / m_image.height();
    // Smooth sampling bleeds half a source pixel past the last visible one.
    m_visible = QRectF(frame.left() + (left - 0.5) * sx, frame.top() + (top - 0.5) * sy,
                       (right - left + 2) * sx, (bottom - top + 2) * sy)
                    .intersected(frame);
}

void RotatingImageView::setImage(const QImage& image)
{
    const QRegion before = coveredRegion(m_rotation);
    m_imageName.clear();
    m_image = image;
    findVisiblePart();
    update(before + coveredRegion(m_rotation));
}

void RotatingImageView::setCenter(QPointF center)
{
    m_center = center;
    placeWidget();
}

void RotatingImageView::setBoundsSize(QSizeF size)
{
    m_bounds = size;
    findVisiblePart();
    placeWidget();
}

void RotatingImageView::placeWidget()
{
    // One spare point on every side takes the container's sub-point offset
    // and the antialiased edge.
    const int side = int(std::ceil(std::hypot(m_bounds.width(), m_bounds.height()))) + 2;
    const QPointF topLeft = m_center - QPointF(side, side) / 2.0;
    setGeometry(int(std::floor(topLeft.x())), int(std::floor(topLeft.y())), side + 1, side + 1);
}

QPointF RotatingImageView::pivot() const
{
    QPointF p = m_center - QPointF(pos());
    if (auto* container = qobject_cast<NeedleContainer*>(parentWidget()))
        p += container->subpixelOffset();
    return p;
}

QRegion RotatingImageView::coveredRegion(float radians) const
{
    if (m_visible.isEmpty())
        return {};
    QTransform t;
    t.translate(pivot().x(), pivot().y());
    t.rotateRadians(radians);
    // A long image in two halves: at an angle two boxes cover far less than
    // one; more boxes cost more per rectangle (clip, transfer) than they
    // save in pixels.
    const qreal length = m_visible.width();
    const int pieces = length > 2 * m_visible.height() ? 2 : 1;
    QRegion region;
    for (int i = 0; i < pieces; ++i) {
        const QRectF piece(m_visible.left() + length * i / pieces, m_visible.top(),
                           length / pieces, m_visible.height());
        region += t.mapRect(piece).toAlignedRect().adjusted(-1, -1, 1, 1);
    }
    return region;
}

void RotatingImageView::setRotation(float radians)
{
    if (radians == m_rotation)
        return;
    // What the last turn covered is kept, unless the pivot moved since.
    const QPointF at = pivot();
    const QRegion before = m_coveredPivot == at && m_coveredRotation == m_rotation
                               ? m_covered
                               : coveredRegion(m_rotation);
    m_rotation = radians;
    m_covered = coveredRegion(m_rotation);
    m_coveredPivot = at;
    m_coveredRotation = radians;
    // The one repaint of every frame while the needle moves.
    if (!StageWindow::updateExactly(this, before + m_covered))
        update(before + m_covered);
}

bool RotatingImageView::event(QEvent* event)
{
    if (DevicePixels::mayHaveChanged(event) && !m_imageName.isEmpty() &&
        m_imageRatio != DevicePixels::ratio(this)) {
        loadNamedImage();
        update();
    }
    return QWidget::event(event);
}

void RotatingImageView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    // The artwork's border pixels are transparent, so the picture's own
    // edges need no antialiasing; smooth sampling is what keeps it crisp.
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QPointF c = pivot();
    p.translate(c);
    p.rotate(qRadiansToDegrees(double(m_rotation)));
    const QRectF r(-m_bounds.width() / 2, -m_bounds.height() / 2, m_bounds.width(),
                   m_bounds.height());
    if (m_image.isNull()) {
        if (m_imageName.isEmpty())
            return;
        p.fillRect(QRectF(0, -1.5, m_bounds.width() / 2, 3), QColor(230, 80, 30));
        return;
    }
    drawImageInBands(p, r, m_image);
}
