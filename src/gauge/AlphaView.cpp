#include "AlphaView.h"

#include <QGraphicsOpacityEffect>
#include <algorithm>

AlphaView::AlphaView(QWidget* parent) : QWidget(parent), m_effect(new QGraphicsOpacityEffect(this))
{
    // The effect draws through an off-screen copy; fully opaque needs none.
    m_effect->setEnabled(false);
    setGraphicsEffect(m_effect);
}

void AlphaView::setAlpha(float alpha)
{
    if (alpha == m_alpha)
        return;
    m_alpha = alpha;
    const qreal shown = std::clamp(qreal(alpha), 0.0, 1.0);
    m_effect->setOpacity(shown);
    m_effect->setEnabled(shown < 1.0);
}
