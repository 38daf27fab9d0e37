#include "ActivityIndicatorView.h"

#include <QPainter>
#include <QtMath>

ActivityIndicatorView::ActivityIndicatorView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
    m_timer.setInterval(kFrameIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &ActivityIndicatorView::advanceFrame);
    hide();
}

void ActivityIndicatorView::startAnimating()
{
    m_animating = true;
    show();
    if (isVisible())
        m_timer.start();
}

void ActivityIndicatorView::stopAnimating()
{
    m_animating = false;
    m_timer.stop();
    hide();
}

void ActivityIndicatorView::setColor(const QColor& color)
{
    m_color = color;
    update();
}

void ActivityIndicatorView::advanceFrame()
{
    m_frame = (m_frame + 1) % kSpokes;
    update();
}

void ActivityIndicatorView::showEvent(QShowEvent*)
{
    if (m_animating)
        m_timer.start();
}

void ActivityIndicatorView::hideEvent(QHideEvent*)
{
    m_timer.stop();
}

void ActivityIndicatorView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal side = qMin(width(), height());
    const qreal outer = side / 2.0;
    const qreal inner = outer * 0.45;
    QPen pen(m_color);
    pen.setWidthF(qMax(1.5, side / 9.0));
    pen.setCapStyle(Qt::RoundCap);
    p.translate(width() / 2.0, height() / 2.0);
    for (int i = 0; i < kSpokes; ++i) {
        // The head is opaque, the spokes behind it fade out.
        const int age = (m_frame - i + kSpokes) % kSpokes;
        QColor c = m_color;
        c.setAlphaF(float(m_color.alphaF() * (1.0 - 0.75 * age / (kSpokes - 1))));
        pen.setColor(c);
        p.setPen(pen);
        const qreal angle = 2.0 * M_PI * i / kSpokes - M_PI / 2.0;
        const QPointF dir(std::cos(angle), std::sin(angle));
        p.drawLine(dir * inner, dir * (outer - pen.widthF() / 2.0));
    }
}
