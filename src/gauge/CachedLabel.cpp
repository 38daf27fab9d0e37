#include "CachedLabel.h"
#include "StageWindow.h"

#include <QPainter>
#include <QStyle>

bool CachedLabel::cacheIsCurrent(qreal ratio) const
{
    return !m_cache.isNull() && m_cache.devicePixelRatio() == ratio &&
           m_cache.deviceIndependentSize() == QSizeF(size()) && m_cachedText == text() &&
           m_cachedFont == font() && m_cachedPalette == palette().cacheKey() &&
           m_cachedAlignment == alignment() && m_cachedEnabled == isEnabled();
}

void CachedLabel::paintEvent(QPaintEvent* event)
{
    // Frames, pictures and rich text take the label's own way.
    if (frameShape() != QFrame::NoFrame || textFormat() == Qt::RichText || !pixmap().isNull() ||
        (textFormat() == Qt::AutoText && Qt::mightBeRichText(text())) || indent() > 0 ||
        margin() > 0) {
        QLabel::paintEvent(event);
        return;
    }
    const qreal ratio = StageWindow::pixelRatio(this);
    if (!cacheIsCurrent(ratio)) {
        m_cache = QImage((QSizeF(size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
        m_cache.setDevicePixelRatio(ratio);
        // Point sizes mean what they mean on screen.
        m_cache.setDotsPerMeterX(qRound(logicalDpiX() / 0.0254));
        m_cache.setDotsPerMeterY(qRound(logicalDpiY() / 0.0254));
        m_cache.fill(Qt::transparent);
        QPainter p(&m_cache);
        StageWindow::matchImageRatio(p, m_cache);
        p.setFont(font());
        style()->drawItemText(&p, contentsRect(),
                              int(QStyle::visualAlignment(layoutDirection(), alignment())),
                              palette(), isEnabled(), text(), foregroundRole());
        m_cachedText = text();
        m_cachedFont = font();
        m_cachedPalette = palette().cacheKey();
        m_cachedAlignment = alignment();
        m_cachedEnabled = isEnabled();
    }
    QPainter p(this);
    p.drawImage(QPointF(0, 0), m_cache);
}
