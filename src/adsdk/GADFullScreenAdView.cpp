#include "GADFullScreenAdView.h"

#include <QEvent>
#include <QPainter>
#include <QPushButton>

GADFullScreenAdView::GADFullScreenAdView(const GADCreative& creative, QWidget* root)
    : QWidget(root), m_creative(creative), m_artwork(creative),
      m_close(new QPushButton(QStringLiteral("\u2715"), this)),
      m_open(new QPushButton(tr("Learn more"), this))
{
    setObjectName(QStringLiteral("GADFullScreenAdView"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_close->setObjectName(QStringLiteral("closeButton"));
    m_close->setAccessibleName(tr("Close"));
    m_close->setFlat(true);
    m_open->setObjectName(QStringLiteral("openButton"));
    connect(m_close, &QPushButton::clicked, this, &GADFullScreenAdView::closeRequested);
    connect(m_open, &QPushButton::clicked, this, &GADFullScreenAdView::openRequested);
    root->installEventFilter(this);
    setGeometry(root->rect());
    raise();
}

bool GADFullScreenAdView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parent() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

void GADFullScreenAdView::resizeEvent(QResizeEvent*)
{
    const int unit = std::max(1, std::min(width(), height()) / 12);
    m_close->setGeometry(width() - unit * 2, unit / 2, unit * 3 / 2, unit * 3 / 2);
    const int buttonWidth = std::min(width() - 2 * unit, unit * 8);
    m_open->setGeometry((width() - buttonWidth) / 2, height() - unit * 3, buttonWidth,
                        unit * 3 / 2);
}

void GADFullScreenAdView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QColor background = GADCreativeLayout::backgroundColor(m_creative);
    painter.fillRect(rect(), background);

    const qreal side = std::min(width(), height()) * 0.4;
    const QRectF art((width() - side) / 2.0, height() * 0.12, side, side);
    m_artwork.paint(painter, art);

    const qreal unit = std::max<qreal>(1.0, std::min(width(), height()) / 12.0);
    QFont titleFont = font();
    titleFont.setPixelSize(std::max(1, int(unit * 0.9)));
    titleFont.setBold(true);
    painter.setFont(titleFont);
    painter.setPen(GADCreativeLayout::textColor(background));
    const QRectF titleRect(unit, art.bottom() + unit * 0.6, width() - 2 * unit, unit * 1.5);
    painter.drawText(titleRect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                     m_creative.title);

    QFont bodyFont = font();
    bodyFont.setPixelSize(std::max(1, int(unit * 0.6)));
    painter.setFont(bodyFont);
    const QRectF textRect(unit, titleRect.bottom() + unit * 0.3, width() - 2 * unit,
                          height() - titleRect.bottom() - unit * 4);
    painter.drawText(textRect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, m_creative.text);
}
