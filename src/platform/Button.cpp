#include "Button.h"

#include "Bundle.h"
#include "DevicePixels.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

namespace {
constexpr qreal kFocusRingWidth = 2.0;
const QColor kFocusRing(127, 190, 255);
} // namespace

Button::Button(QWidget* parent) : QAbstractButton(parent)
{
    // Touch leaves the focus where it was; Tab reaches every button.
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
}

void Button::setBackgroundImage(const QString& name, int leftCapWidth, int topCapHeight,
                                State state)
{
    m_backgrounds.insert(int(state), Background{name, leftCapWidth, topCapHeight});
    update();
}

void Button::setTitleColor(const QColor& color, State state)
{
    m_titleColors.insert(int(state), color);
    update();
}

void Button::setImageName(const QString& name)
{
    m_imageName = name;
    update();
}

void Button::setSelected(bool selected)
{
    if (m_selected == selected)
        return;
    m_selected = selected;
    update();
}

QSize Button::sizeHint() const
{
    const QSize caption = fontMetrics().size(Qt::TextSingleLine, text()) + QSize(24, 12);
    return caption.expandedTo(QSize(44, 30));
}

Button::State Button::currentState() const
{
    if (isDown())
        return State::Highlighted;
    return m_selected ? State::Selected : State::Normal;
}

void Button::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                     QPainter::SmoothPixmapTransform);
    const qreal ratio = DevicePixels::ratio(this);
    const State state = currentState();
    // A state without its own background takes the normal one.
    auto bg = m_backgrounds.constFind(int(state));
    if (bg == m_backgrounds.constEnd() && state == State::Highlighted && m_selected)
        bg = m_backgrounds.constFind(int(State::Selected));
    if (bg == m_backgrounds.constEnd())
        bg = m_backgrounds.constFind(int(State::Normal));
    if (bg != m_backgrounds.constEnd())
        StretchableImage::named(bg->name, ratio, bg->left, bg->top).draw(p, QRectF(rect()));
    if (isDown() && state == State::Highlighted && !m_backgrounds.contains(int(state)))
        p.fillRect(rect(), QColor(0, 0, 0, 70));

    // A picture alone fills the button; with a title both keep a margin.
    QRectF content = text().isEmpty() ? QRectF(rect()) : QRectF(rect()).adjusted(4, 2, -4, -2);
    if (!m_imageName.isEmpty()) {
        const QImage image = Bundle::image(m_imageName, ratio);
        if (!image.isNull()) {
            QSizeF size = image.deviceIndependentSize();
            const QSizeF room =
                text().isEmpty() ? content.size() : QSizeF(content.width(), content.height() * 0.7);
            if (size.width() > room.width() || size.height() > room.height())
                size.scale(room, Qt::KeepAspectRatio);
            QRectF target(QPointF(), size);
            target.moveCenter(QPointF(content.center().x(),
                                      text().isEmpty() ? content.center().y()
                                                       : content.top() + room.height() / 2));
            p.drawImage(target, image);
            if (!text().isEmpty())
                content.setTop(content.top() + room.height());
        }
    }
    if (!text().isEmpty()) {
        QColor color = m_titleColors.value(
            int(state), m_titleColors.value(int(State::Normal), QColor(Qt::white)));
        if (!isEnabled())
            color.setAlphaF(0.4f);
        p.setPen(color);
        p.setFont(font());
        p.drawText(content, Qt::AlignCenter | Qt::TextWordWrap, text());
    }
    if (hasFocus()) {
        QPen ring(kFocusRing, kFocusRingWidth);
        p.setPen(ring);
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 6, 6);
    }
}

void Button::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        animateClick();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}
