#include "RotatingImageView.h"

#include "GaugeResources.h"
#include "NeedleContainer.h"
#include "StageWindow.h"

#include <QPaintEvent>
#include <QPainter>
#include <QtMath>
#include <cmath>

RotatingImageView::RotatingImageView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void RotatingImageView::setImageName(const QString& name)
{
    m_imageName = name;
    loadNamedImage();
    update(coveredRect(m_rotation));
}

void RotatingImageView::loadNamedImage()
{
    m_imageRatio = StageWindow::pixelRatio(this);
    m_image = GaugeResources::image(m_imageName, m_imageRatio);
}

void RotatingImageView::setImage(const QImage& image)
{
    m_imageName.clear();
    m_image = image;
    update(coveredRect(m_rotation));
}

void RotatingImageView::setCenter(QPointF center)
{
    m_center = center;
    placeWidget();
}

void RotatingImageView::setBoundsSize(QSizeF size)
{
    m_bounds = size;
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

QRect RotatingImageView::coveredRect(float radians) const
{
    QTransform t;
    t.translate(pivot().x(), pivot().y());
    t.rotateRadians(radians);
    const QRectF r(-m_bounds.width() / 2, -m_bounds.height() / 2, m_bounds.width(),
                   m_bounds.height());
    return t.mapRect(r).toAlignedRect().adjusted(-1, -1, 1, 1);
}

void RotatingImageView::setRotation(float radians)
{
    if (radians == m_rotation)
        return;
    const QRect before = coveredRect(m_rotation);
    m_rotation = radians;
    update(QRegion(before) + coveredRect(m_rotation));
}

void RotatingImageView::paintEvent(QPaintEvent*)
{
    // Moving to a screen of another density picks the matching picture.
    if (!m_imageName.isEmpty() && m_imageRatio != StageWindow::pixelRatio(this))
        loadNamedImage();
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
    p.drawImage(r, m_image);
}
