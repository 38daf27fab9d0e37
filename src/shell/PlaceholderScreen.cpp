#include "PlaceholderScreen.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

PlaceholderScreen::PlaceholderScreen(const QString& title, std::function<void(QObject*)> done)
    : m_title(title), m_done(std::move(done))
{
}

void PlaceholderScreen::done()
{
    if (m_done)
        m_done(this);
}

QWidget* PlaceholderScreen::loadView()
{
    auto* view = new QWidget;
    view->setObjectName(QStringLiteral("placeholderScreen"));
    view->setStyleSheet(
        QStringLiteral("#placeholderScreen { background: #1c1d21; } QLabel { color: #ddd; }"
                       "QPushButton { color: white; background: #c8461e; border-radius: 6px;"
                       " padding: 8px 24px; font-weight: bold; }"));
    auto* layout = new QVBoxLayout(view);
    auto* label = new QLabel(m_title, view);
    label->setAlignment(Qt::AlignCenter);
    QFont f = label->font();
    f.setPointSizeF(f.pointSizeF() * 1.5);
    f.setBold(true);
    label->setFont(f);
    auto* button = new QPushButton(QStringLiteral("Done"), view);
    button->setObjectName(QStringLiteral("doneButton"));
    QObject::connect(button, &QPushButton::clicked, this, &PlaceholderScreen::done);
    layout->addStretch();
    layout->addWidget(label);
    layout->addSpacing(20);
    layout->addWidget(button, 0, Qt::AlignHCenter);
    layout->addStretch();
    return view;
}
