#include "AlphaView.h"

#include "BandedPainting.h"

#include <QEvent>
#include <QPainter>
#include <algorithm>

// While the view fades, its controls are drawn into a layer of their own,
// at the pixels the stage gives them, and the layer is laid over the screen
// at the view's opacity; the controls' own paint events are held back
// meanwhile. Qt's opacity effect would do the same, but it clips to the
// view's unscaled rectangle on a scaled stage (cutting the fade off above a
// scale of 1), and clears its layer in fills large enough for the raster
// engine's thread pool, waking two threads for every frame of the fade.
AlphaView::AlphaView(QWidget* parent) : QWidget(parent) {}

void AlphaView::setAlpha(float alpha)
{
    if (alpha == m_alpha)
        return;
    // The controls are watched from the step a fade begins on.
    if (alpha < 1.0f && m_alpha >= 1.0f)
        for (QWidget* control : findChildren<QWidget*>())
            control->installEventFilter(this); // a second install only moves it
    m_alpha = alpha;
    update();
}

bool AlphaView::eventFilter(QObject*, QEvent* event)
{
    return event->type() == QEvent::Paint && m_alpha < 1.0f && !m_composing;
}

void AlphaView::paintEvent(QPaintEvent*)
{
    const qreal shown = std::clamp(qreal(m_alpha), 0.0, 1.0);
    if (m_composing || shown >= 1.0 || shown <= 0.0)
        return;
    QPainter p(this);
    // The layer covers the view's device pixels exactly, so it is copied,
    // not resampled, and the controls' edges fall as they would on screen.
    const QTransform toPixels = p.deviceTransform();
    const QRect pixels = toPixels.mapRect(QRectF(rect())).toAlignedRect();
    if (pixels.isEmpty())
        return;
    QImage layer(pixels.size(), QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    {
        QPainter controls(&layer);
        controls.setTransform(toPixels * QTransform::fromTranslate(-pixels.x(), -pixels.y()));
        m_composing = true;
        // Each control on its own, bottom first: the view cannot render
        // itself from its own paint event.
        for (QObject* child : children())
            if (auto* control = qobject_cast<QWidget*>(child); control && control->isVisible())
                control->render(&controls, control->pos(), QRegion(control->rect()),
                                QWidget::DrawChildren);
        m_composing = false;
    }
    p.setOpacity(shown);
    drawImageInBands(p, toPixels.inverted().mapRect(QRectF(pixels)), layer);
}
