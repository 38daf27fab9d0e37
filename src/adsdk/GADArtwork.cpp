#include "GADArtwork.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

GADArtwork::GADArtwork(const GADCreative& creative)
{
    if (creative.imageFormat == GADCreative::ImageFormat::Svg) {
        auto svg = std::make_unique<QSvgRenderer>(creative.imageData);
        if (svg->isValid() && !svg->viewBoxF().isEmpty()) {
            svg->setAspectRatioMode(Qt::KeepAspectRatio);
            m_svg = std::move(svg);
        }
        return;
    }
    // Refuse anything else before the decoder sees it.
    if (!creative.imageData.startsWith(QByteArrayLiteral("\x89PNG\r\n\x1a\n")))
        return;
    QByteArray data = creative.imageData;
    QBuffer buffer(&data);
    QImageReader reader(&buffer, "png");
    reader.setDecideFormatFromContent(false);
    // Read the header first, so a hostile size is refused before decoding.
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty() || size.width() > GADProtocol::kMaxImageSide ||
        size.height() > GADProtocol::kMaxImageSide)
        return;
    m_image = reader.read();
}

GADArtwork::~GADArtwork() = default;

bool GADArtwork::isValid() const
{
    return m_svg != nullptr || !m_image.isNull();
}

void GADArtwork::paint(QPainter& painter, const QRectF& target) const
{
    if (m_svg) {
        m_svg->render(&painter, target);
        return;
    }
    if (m_image.isNull())
        return;
    QSizeF size = QSizeF(m_image.size()).scaled(target.size(), Qt::KeepAspectRatio);
    QRectF r(QPointF(), size);
    r.moveCenter(target.center());
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(r, m_image);
    painter.restore();
}

namespace GADCreativeLayout {

QColor backgroundColor(const GADCreative& creative)
{
    return creative.background.isValid() ? creative.background : QColor(0x1d, 0x27, 0x33);
}

QColor textColor(const QColor& background)
{
    return background.lightnessF() > 0.6 ? QColor(0x14, 0x14, 0x14) : QColor(0xf4, 0xf4, 0xf4);
}

void paintBanner(QPainter& painter, const QRectF& rect, const GADCreative& creative,
                 const GADArtwork& artwork)
{
    const QColor background = backgroundColor(creative);
    const QColor ink = textColor(background);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(rect, background);

    const qreal h = rect.height();
    const qreal margin = h * 0.1;
    const QRectF art(rect.left() + margin, rect.top() + margin, h - 2 * margin, h - 2 * margin);
    artwork.paint(painter, art);

    const qreal textLeft = art.right() + margin * 1.5;
    const qreal textWidth = rect.right() - textLeft - margin * 3.5;
    QFont titleFont = painter.font();
    titleFont.setPixelSize(std::max(1, int(h * 0.3)));
    titleFont.setBold(true);
    QFont bodyFont = painter.font();
    bodyFont.setPixelSize(std::max(1, int(h * 0.22)));

    painter.setPen(ink);
    painter.setFont(titleFont);
    const QFontMetricsF titleMetrics(titleFont);
    painter.drawText(QPointF(textLeft, rect.top() + h * 0.42),
                     titleMetrics.elidedText(creative.title, Qt::ElideRight, textWidth));
    if (!creative.text.isEmpty()) {
        painter.setFont(bodyFont);
        QColor soft = ink;
        soft.setAlphaF(0.8f);
        painter.setPen(soft);
        const QFontMetricsF bodyMetrics(bodyFont);
        painter.drawText(QPointF(textLeft, rect.top() + h * 0.78),
                         bodyMetrics.elidedText(creative.text, Qt::ElideRight, textWidth));
    }

    // Ads are marked as such.
    QFont badgeFont = painter.font();
    badgeFont.setPixelSize(std::max(1, int(h * 0.2)));
    badgeFont.setBold(true);
    const QRectF badge(rect.right() - margin - h * 0.45, rect.top() + margin, h * 0.45, h * 0.28);
    painter.setPen(Qt::NoPen);
    QColor badgeFill = ink;
    badgeFill.setAlphaF(0.85f);
    painter.setBrush(badgeFill);
    painter.drawRoundedRect(badge, h * 0.05, h * 0.05);
    painter.setPen(background);
    painter.setFont(badgeFont);
    painter.drawText(badge, Qt::AlignCenter, QStringLiteral("Ad"));
    painter.restore();
}

} // namespace GADCreativeLayout
