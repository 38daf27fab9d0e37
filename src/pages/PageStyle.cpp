#include "PageStyle.h"

#include "Bundle.h"
#include "Button.h"
#include "DevicePixels.h"
#include "GaugeResources.h"

#include <QLabel>
#include <QPainter>
#include <QWidget>

namespace PageStyle {

QFont font(int pixelSize, bool bold)
{
    QFont f;
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

QFont digitFont(int pixelSize)
{
    GaugeResources::ensureLoaded();
    QFont f(QStringLiteral("iSDigitIta_AndSymb"));
    f.setPixelSize(pixelSize);
    return f;
}

void paintBackground(QPainter& p, const QWidget* page)
{
    GaugeResources::ensureLoaded();
    QImage tile =
        Bundle::image(QStringLiteral("grip_mosaik_background.jpg"), DevicePixels::ratio(page));
    const QRectF area(page->rect());
    if (tile.isNull()) {
        p.fillRect(area, QColor(20, 21, 24));
    } else {
        const qreal scale = 1.0 / tile.devicePixelRatio();
        tile.setDevicePixelRatio(1.0);
        QBrush pattern(tile);
        pattern.setTransform(QTransform::fromScale(scale, scale));
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.fillRect(area, pattern);
    }
    // Darker towards the edges, like the dial behind its bezel.
    QRadialGradient veil(area.center(), std::max(area.width(), area.height()) * 0.75);
    veil.setColorAt(0.0, QColor(0, 0, 0, 90));
    veil.setColorAt(1.0, QColor(0, 0, 0, 190));
    p.fillRect(area, veil);
}

void styleLabel(QLabel* label, int pixelSize, bool bold, const QColor& color)
{
    label->setFont(font(pixelSize, bold));
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, color);
    label->setPalette(pal);
}

void fitWidth(QLabel* label, int minPixelSize)
{
    QFont f = label->font();
    while (f.pixelSize() > minPixelSize &&
           QFontMetrics(f).horizontalAdvance(label->text()) > label->width())
        f.setPixelSize(f.pixelSize() - 1);
    label->setFont(f);
}

void styleHeading(QLabel* label)
{
    QFont f = font(12, true);
    f.setCapitalization(QFont::AllUppercase);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 1.2);
    label->setFont(f);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, kTint);
    label->setPalette(pal);
}

void styleKey(Button* button, bool blue, int pixelSize)
{
    if (blue)
        button->setBackgroundImage(QStringLiteral("button_standard_blue_background_img.png"), 15,
                                   10);
    else
        button->setBackgroundImage(QStringLiteral("button_standard_background_img.png"), 10, 10);
    button->setFont(font(pixelSize, true));
}

} // namespace PageStyle
