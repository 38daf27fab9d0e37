#include "SocialComposer.h"

#include "NavigationItem.h"
#include "Button.h"

#include <QLabel>
#include <QVBoxLayout>

namespace {
bool s_available[3] = {false, false, false};

QString serviceName(SocialComposer::ServiceType type)
{
    switch (type) {
    case SocialComposer::ServiceType::Facebook:
        return QStringLiteral("Facebook");
    case SocialComposer::ServiceType::Twitter:
        return QStringLiteral("Twitter");
    case SocialComposer::ServiceType::SinaWeibo:
        return QStringLiteral("Sina Weibo");
    }
    return {};
}
} // namespace

bool SocialComposer::isAvailableForServiceType(ServiceType type)
{
    return s_available[int(type)];
}

void SocialComposer::setAvailableForTesting(ServiceType type, bool available)
{
    s_available[int(type)] = available;
}

SocialComposer* SocialComposer::composeViewControllerForServiceType(ServiceType type)
{
    return isAvailableForServiceType(type) ? new SocialComposer(type) : nullptr;
}

QWidget* SocialComposer::loadView()
{
    auto* view = new QWidget;
    view->setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(view);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* bar = new NavigationItem(view);
    bar->setTitle(serviceName(m_type));
    connect(bar->doneButton(), &QAbstractButton::clicked, this,
            [this] { dismissViewControllerAnimated(true); });
    layout->addWidget(bar);
    QStringList lines{m_text};
    for (const QUrl& url : m_urls)
        lines << url.toString();
    auto* text = new QLabel(lines.join(QLatin1Char('\n')));
    text->setWordWrap(true);
    text->setMargin(12);
    layout->addWidget(text, 1, Qt::AlignTop);
    return view;
}

bool SocialComposer::escapePressed()
{
    dismissViewControllerAnimated(true);
    return true;
}
