#include "TextureView.h"

#include "BandedPainting.h"

#include "DevicePixels.h"
#include "GaugeResources.h"

#include <QPaintEvent>
#include <QPainter>

TextureView::TextureView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TextureView::setImageName(const QString& name)
{
    m_imageName = name;
    loadTile();
    update();
}

void TextureView::loadTile()
{
    m_tileRatio = DevicePixels::ratio(this);
    m_tile = GaugeResources::image(m_imageName, m_tileRatio);
    // Brushes ignore the ratio; the transform in paintEvent applies it.
    m_tileScale = m_tile.isNull() ? 1.0 : 1.0 / m_tile.devicePixelRatio();
    m_tile.setDevicePixelRatio(1.0);
}

void TextureView::setPatternPhase(QPointF phase)
{
    if (phase == m_phase)
        return;
    m_phase = phase;
    update();
}

bool TextureView::event(QEvent* event)
{
    if (DevicePixels::mayHaveChanged(event) && !m_imageName.isEmpty() &&
        m_tileRatio != DevicePixels::ratio(this)) {
        loadTile();
        update();
    }
    return QWidget::event(event);
}

void TextureView::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    if (m_tile.isNull()) {
        p.fillRect(event->rect(), Qt::black);
        return;
    }
    // Sampled exactly as the face samples it, so the seam does not show.
    QBrush pattern(m_tile);
    pattern.setTransform(QTransform(m_tileScale, 0, 0, m_tileScale, m_phase.x(), m_phase.y()));
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    fillRectInBands(p, QRectF(event->rect()), pattern);
}
