#include "RotatingButton.h"

#include "BandedPainting.h"
#include "DevicePixels.h"
#include "GaugeResources.h"

#include <QPainter>
#include <QtMath>

RotatingButton::RotatingButton(QWidget* parent) : QAbstractButton(parent)
{
    setCursor(Qt::PointingHandCursor);
}

void RotatingButton::setImageName(const QString& name)
{
    m_imageName = name;
    m_imageRatio = DevicePixels::ratio(this);
    m_image = GaugeResources::image(name, m_imageRatio);
    update();
}

void RotatingButton::setRotation(float radians)
{
    if (radians == m_rotation)
        return;
    m_rotation = radians;
    update();
}

QSize RotatingButton::sizeHint() const
{
    return m_image.isNull() ? QSize(44, 44) : m_image.deviceIndependentSize().toSize();
}

bool RotatingButton::event(QEvent* event)
{
    if (DevicePixels::mayHaveChanged(event) && !m_imageName.isEmpty() &&
        m_imageRatio != DevicePixels::ratio(this))
        setImageName(m_imageName);
    return QAbstractButton::event(event);
}

void RotatingButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    // The badge is round on a transparent square: smooth sampling alone
    // keeps its turning edge clean, without antialiasing the square.
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.translate(width() / 2.0, height() / 2.0);
    p.rotate(qRadiansToDegrees(double(m_rotation)));
    const QRectF r(-width() / 2.0, -height() / 2.0, width(), height());
    if (isDown())
        p.setOpacity(0.6);
    if (m_image.isNull()) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::white, 2));
        p.drawEllipse(r.adjusted(2, 2, -2, -2));
        p.drawLine(QPointF(0, 0), QPointF(0, r.top() + 4));
        return;
    }
    drawImageInBands(p, r, m_image);
}
