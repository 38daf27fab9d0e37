#include "AlertView.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdio>

namespace {
QPointer<QWidget>& hostWindow()
{
    static QPointer<QWidget> w;
    return w;
}
QList<AlertView*>& shownAlerts()
{
    static QList<AlertView*> list;
    return list;
}
std::function<void(const AlertView&)>& showObserver()
{
    static std::function<void(const AlertView&)> observer;
    return observer;
}
} // namespace

AlertView::AlertView(const QString& title, const QString& message, AlertViewDelegate* delegate,
                     const QString& cancelButtonTitle, const QStringList& otherButtonTitles)
    : QWidget(hostWindow().data()), m_title(title), m_message(message), m_delegate(delegate)
{
    if (!cancelButtonTitle.isEmpty()) {
        m_cancelIndex = 0;
        m_buttons << cancelButtonTitle;
    }
    m_buttons << otherButtonTitles;
    setAttribute(Qt::WA_DeleteOnClose);
    QWidget::hide();
}

AlertView::~AlertView()
{
    shownAlerts().removeAll(this);
    if (parentWidget())
        parentWidget()->removeEventFilter(this);
}

void AlertView::setHostWindow(QWidget* window)
{
    hostWindow() = window;
}

void AlertView::setShowObserver(std::function<void(const AlertView&)> observer)
{
    showObserver() = std::move(observer);
}

QList<AlertView*> AlertView::visibleAlerts()
{
    return shownAlerts();
}

void AlertView::show()
{
    if (m_shown)
        return;
    m_shown = true;
    shownAlerts().append(this);
    if (m_delegate)
        m_delegate->willPresentAlertView(this);
    if (!parentWidget()) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(m_title), qPrintable(m_message));
        if (showObserver())
            showObserver()(*this);
        return;
    }

    m_panel = new QWidget(this);
    m_panel->setObjectName(QStringLiteral("alertPanel"));
    m_panel->setStyleSheet(QStringLiteral(
        "#alertPanel { background: rgba(40,40,44,240); border-radius: 14px; }"
        "QLabel { color: white; } QPushButton { color: #6cb4ff; background: transparent;"
        " border: none; border-top: 1px solid rgba(255,255,255,40); padding: 10px; font-size: "
        "15px; }"
        "QPushButton:pressed { background: rgba(255,255,255,30); }"));
    auto* layout = new QVBoxLayout(m_panel);
    layout->setContentsMargins(0, 16, 0, 0);
    layout->setSpacing(6);
    auto* titleLabel = new QLabel(m_title, m_panel);
    titleLabel->setAlignment(Qt::AlignCenter);
    titleLabel->setWordWrap(true);
    QFont f = titleLabel->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.15);
    titleLabel->setFont(f);
    auto* messageLabel = new QLabel(m_message, m_panel);
    messageLabel->setAlignment(Qt::AlignCenter);
    messageLabel->setWordWrap(true);
    messageLabel->setContentsMargins(14, 0, 14, 8);
    layout->addWidget(titleLabel);
    layout->addWidget(messageLabel);
    for (int i = 0; i < m_buttons.size(); ++i) {
        auto* button = new QPushButton(m_buttons[i], m_panel);
        button->setObjectName(QStringLiteral("alertButton%1").arg(i));
        if (i == m_cancelIndex) {
            QFont bf = button->font();
            bf.setBold(true);
            button->setFont(bf);
        }
        connect(button, &QPushButton::clicked, this,
                [this, i] { dismissWithClickedButtonIndex(i); });
        layout->addWidget(button);
    }
    parentWidget()->installEventFilter(this);
    layoutInHost();
    QWidget::show();
    raise();
    if (showObserver())
        showObserver()(*this);
}

void AlertView::dismissWithClickedButtonIndex(int index, bool)
{
    if (!m_shown)
        return;
    m_shown = false;
    shownAlerts().removeAll(this);
    // Held weakly: the delegate may go away while we call it.
    if (m_delegate)
        m_delegate->alertView_clickedButtonAtIndex(this, index);
    if (m_delegate)
        m_delegate->alertView_didDismissWithButtonIndex(this, index);
    QWidget::hide();
    deleteLater();
}

void AlertView::layoutInHost()
{
    if (!parentWidget())
        return;
    setGeometry(parentWidget()->rect());
    const int width = std::min(270, parentWidget()->width() - 20);
    m_panel->setFixedWidth(width);
    m_panel->adjustSize();
    m_panel->move((this->width() - width) / 2, (height() - m_panel->height()) / 2);
}

bool AlertView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        layoutInHost();
    return QWidget::eventFilter(watched, event);
}

void AlertView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(0, 0, 0, 110));
}
