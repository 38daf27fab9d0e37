#pragma once

#include "BandedPainting.h"

#include <QLabel>

// A plain-text label that keeps its rendered text. Needles sweep over the
// trip read-out thirty times a second; laying its glyphs out again for every
// frame would cost more than the needle itself.
class CachedLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool textIsCurrent() const;

    KeptPicture m_picture; // its size and density are the picture's own
    QString m_cachedText;
    QFont m_cachedFont;
    qint64 m_cachedPalette = 0;
    Qt::Alignment m_cachedAlignment;
    bool m_cachedEnabled = true;
};
