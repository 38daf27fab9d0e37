#include "ShareComposers.h"

#include "Bundle.h"
#include "GaugeResources.h"
#include "Localization.h"
#include "ShareWithWebViewController.h"
#include "SocialComposer.h"
#include "StoreLinks.h"

#include <QFile>

namespace {
constexpr const char* kProductSuffix = " Vandel";
constexpr const char* kIcon = "moreApps_icon_KorvaneVandel";
constexpr int kFacebookPage = 0;
constexpr int kTwitterPage = 1;

QString greeting()
{
    return Localization::translate("EmailRecommend", "hello").orDefault(QStringLiteral("Hello"));
}
QString invitation()
{
    return Localization::translate("EmailRecommend", "look")
        .orDefault(QStringLiteral("Take a look at "));
}
QString productName()
{
    return Bundle::localizedDisplayName() + QLatin1String(kProductSuffix);
}
QString iconPath()
{
    GaugeResources::ensureLoaded();
    return QStringLiteral(":/images/%1.png").arg(QLatin1String(kIcon));
}
QImage icon()
{
    return QImage(iconPath());
}
} // namespace

ShareComposers::ShareComposers(ViewController* mainScreen) : m_mainScreen(mainScreen) {}

ViewController* ShareComposers::presenterOr(ViewController* presenter) const
{
    return presenter ? presenter : m_mainScreen;
}

QString ShareComposers::emailSubject()
{
    return Bundle::localizedDisplayName();
}

QString ShareComposers::emailBody()
{
    const QString link = StoreLinks::storeWebLink();
    const QString anchor = QStringLiteral("<a href=\"") + link + QStringLiteral("\">");
    return greeting() + QStringLiteral("<br>") + invitation() + anchor + productName() +
           QStringLiteral("</a>") + QStringLiteral(" iPhone App ") + QStringLiteral("<br><br>") +
           anchor + link + QStringLiteral("</a>");
}

void ShareComposers::showEmailFriendShare(ViewController* presenter)
{
    auto* composer = new MailComposer;
    composer->mailComposeDelegate = this;
    composer->setSubject(emailSubject());
    QFile file(iconPath());
    if (file.open(QIODevice::ReadOnly))
        composer->addAttachmentData(file.readAll(), QStringLiteral("image/png"),
                                    QLatin1String(kIcon));
    composer->setMessageBody(emailBody(), true);
    presenterOr(presenter)->presentViewController(composer, true);
}

void ShareComposers::mailComposeController_didFinishWithResult(MailComposer* controller,
                                                               MailComposeResult, const QString&)
{
    controller->dismissViewControllerAnimated(true);
}

QString ShareComposers::shareBody(bool withoutLink)
{
    QString text = greeting() + QStringLiteral(" ") + invitation() + productName();
    if (!withoutLink)
        text += QStringLiteral("\n") + StoreLinks::storeWebLink();
    return text + QStringLiteral(" iOS App. ");
}

void ShareComposers::shwoWebFriendShareFacebook(ViewController* presenter)
{
    if (SocialComposer::isAvailableForServiceType(SocialComposer::ServiceType::Facebook))
        showFacebookFriendShare(presenter);
    else
        showWebFriendShare(kFacebookPage, presenter);
}

void ShareComposers::shwoWebFriendShareTwitter(ViewController* presenter)
{
    if (Localization::localeIdentifier().contains(QLatin1String("zh_CN")) &&
        SocialComposer::isAvailableForServiceType(SocialComposer::ServiceType::SinaWeibo))
        showWebioFriendShare(presenter);
    else if (SocialComposer::isAvailableForServiceType(SocialComposer::ServiceType::Twitter))
        showTwitterFriendShare(presenter);
    else
        showWebFriendShare(kTwitterPage, presenter);
}

void ShareComposers::showFacebookFriendShare(ViewController* presenter)
{
    SocialComposer* composer =
        SocialComposer::composeViewControllerForServiceType(SocialComposer::ServiceType::Facebook);
    if (!composer)
        return;
    composer->setInitialText(shareBody(presenter == nullptr));
    if (presenter)
        composer->addImage(icon());
    else
        composer->addURL(QUrl(StoreLinks::storeWebLink()));
    presenterOr(presenter)->presentViewController(composer, true);
}

void ShareComposers::showSocial(int service, ViewController* presenter)
{
    SocialComposer* composer =
        SocialComposer::composeViewControllerForServiceType(SocialComposer::ServiceType(service));
    if (!composer)
        return;
    composer->addImage(icon());
    composer->setInitialText(shareBody(presenter == nullptr));
    if (!presenter)
        composer->addURL(QUrl(StoreLinks::storeWebLink()));
    presenterOr(presenter)->presentViewController(composer, true);
}

void ShareComposers::showTwitterFriendShare(ViewController* presenter)
{
    showSocial(int(SocialComposer::ServiceType::Twitter), presenter);
}

void ShareComposers::showWebioFriendShare(ViewController* presenter)
{
    showSocial(int(SocialComposer::ServiceType::SinaWeibo), presenter);
}

ShareWithWebViewController* ShareComposers::createWebPage()
{
    return new ShareWithWebViewController;
}

ShareWithWebViewController* ShareComposersPad::createWebPage()
{
    return new ShareWithWebViewControllerPad;
}

void ShareComposers::showWebFriendShare(int serviceCode, ViewController* presenter)
{
    ShareWithWebViewController* page = createWebPage();
    page->delegate = m_mainScreen;
    page->m_shareService = uint8_t(serviceCode);
    page->modalTransitionStyle = ViewController::Transition::CoverVertical;
    presenterOr(presenter)->presentViewController(page, true);
}
