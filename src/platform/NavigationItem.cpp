#include "NavigationItem.h"

#include "Button.h"
#include "Localization.h"

#include <QEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <algorithm>

namespace {
constexpr int kDoneWidth = 64;
constexpr int kDoneHeight = 30;
constexpr int kMargin = 6;
constexpr int kTitlePixelSize = 18;
constexpr int kDonePixelSize = 14;
constexpr int kTitleMinPixelSize = 12;
} // namespace

NavigationItem::NavigationItem(QWidget* parent) : QWidget(parent)
{
    m_title = new QLabel(this);
    m_title->setAlignment(Qt::AlignCenter);
    QFont titleFont = font();
    titleFont.setPixelSize(kTitlePixelSize);
    titleFont.setBold(true);
    m_title->setFont(titleFont);
    m_title->setStyleSheet(QStringLiteral("color: white; background: transparent;"));

    m_done = new Button(this);
    m_done->setObjectName(QStringLiteral("doneButton"));
    m_done->setText(
        Localization::translate("NavigationItem", "Done").orDefault(QStringLiteral("Done")));
    QFont doneFont = font();
    doneFont.setPixelSize(kDonePixelSize);
    doneFont.setBold(true);
    m_done->setFont(doneFont);
}

void NavigationItem::showEvent(QShowEvent*)
{
    if (QWidget* page = parentWidget()) {
        page->installEventFilter(this);
        setGeometry(0, y(), page->width(), kHeight);
    }
}

bool NavigationItem::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(0, y(), parentWidget()->width(), kHeight);
    return QWidget::eventFilter(watched, event);
}

void NavigationItem::setTitle(const QString& title)
{
    m_title->setText(title);
    setAccessibleName(title);
    fitTitle();
}

void NavigationItem::fitTitle()
{
    // A long title (a translation, a share page's) shrinks to fit beside
    // the Done button, then elides.
    QFont f = m_title->font();
    int size = kTitlePixelSize;
    f.setPixelSize(size);
    while (size > kTitleMinPixelSize &&
           QFontMetrics(f).horizontalAdvance(m_title->text()) > m_title->width()) {
        f.setPixelSize(--size);
    }
    m_title->setFont(f);
}

QString NavigationItem::title() const
{
    return m_title->text();
}

void NavigationItem::resizeEvent(QResizeEvent*)
{
    m_done->setGeometry(width() - kDoneWidth - kMargin, (height() - kDoneHeight) / 2, kDoneWidth,
                        kDoneHeight);
    const int side = kDoneWidth + 2 * kMargin;
    m_title->setGeometry(side, 0, std::max(0, width() - 2 * side), height());
    fitTitle();
}

void NavigationItem::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // A black, slightly see-through bar with a faint sheen, like the tab bar.
    QLinearGradient sheen(0, 0, 0, height());
    sheen.setColorAt(0.0, QColor(58, 60, 66, 235));
    sheen.setColorAt(0.5, QColor(24, 25, 28, 235));
    sheen.setColorAt(1.0, QColor(8, 8, 10, 235));
    p.fillRect(rect(), sheen);
    p.setPen(QColor(255, 255, 255, 40));
    p.drawLine(QPointF(0, 0.5), QPointF(width(), 0.5));
    p.setPen(QColor(0, 0, 0, 200));
    p.drawLine(QPointF(0, height() - 0.5), QPointF(width(), height() - 0.5));

    // The Done button: a rounded key in the tint colour.
    const QRectF key = QRectF(m_done->geometry()).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient keyFill(key.topLeft(), key.bottomLeft());
    keyFill.setColorAt(0.0, QColor(104, 166, 232));
    keyFill.setColorAt(1.0, QColor(38, 98, 180));
    p.setPen(QPen(QColor(10, 30, 70), 1.0));
    p.setBrush(keyFill);
    p.drawRoundedRect(key, 6, 6);
}
