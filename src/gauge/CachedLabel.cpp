#include "CachedLabel.h"

#include <QPainter>
#include <QStyle>

bool CachedLabel::textIsCurrent() const
{
    return m_cachedText == text() && m_cachedFont == font() &&
           m_cachedPalette == palette().cacheKey() && m_cachedAlignment == alignment() &&
           m_cachedEnabled == isEnabled();
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
    if (!textIsCurrent()) {
        m_picture.forget();
        m_cachedText = text();
        m_cachedFont = font();
        m_cachedPalette = palette().cacheKey();
        m_cachedAlignment = alignment();
        m_cachedEnabled = isEnabled();
    }
    QPainter p(this);
    m_picture.paint(p, *this, [this](QPainter& text) {
        text.setFont(font());
        style()->drawItemText(&text, contentsRect(),
                              int(QStyle::visualAlignment(layoutDirection(), alignment())),
                              palette(), isEnabled(), this->text(), foregroundRole());
    });
}
