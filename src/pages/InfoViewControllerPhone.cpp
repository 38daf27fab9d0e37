#include "InfoViewControllerPhone.h"

#include "Application.h"
#include "Bundle.h"
#include "Button.h"
#include "InfoViewPad.h"
#include "Localization.h"
#include "MailComposer.h"
#include "NavigationItem.h"
#include "PageOwner.h"
#include "PageStyle.h"
#include "StoreLinks.h"
#include "StretchableImageView.h"
#include "ui_InfoViewControllerPad.h"
#include "ui_InfoViewControllerPhone.h"

#include <QLabel>

namespace {
constexpr int kProductPage = 2;
constexpr int kBackgroundCap = 99;
} // namespace

QString InfoViewControllerPhone::versionLine(const QString& bundleVersion)
{
    // The word size of this very build; a fixed "32-Bit" would be wrong on
    // the 64-bit builds that almost every Linux device runs.
    return bundleVersion + QStringLiteral("  %1-Bit").arg(QT_POINTER_SIZE * 8);
}

QString InfoViewControllerPhone::reviewInvitation()
{
    QString text = Localization::translate("moreApps", "AppRecomendText")
                       .orDefault(QStringLiteral(
                           "If you like Korvane Vandel don't forget to write a review ☺ ➟"));
    return text.replace(QStringLiteral("_AppName_"),
                        Localization::translate("Localizable", "KorvaneFree").text());
}

QWidget* InfoViewControllerPhone::createView()
{
    auto* view = new InfoViewPhone;
    Ui::InfoViewControllerPhone ui;
    ui.setupUi(view);
    return view;
}

QWidget* InfoViewControllerPhone::loadView()
{
    QWidget* view = createView();
    m_naviItm = view->findChild<NavigationItem*>(QStringLiteral("m_naviItm"));
    titleLabel = view->findChild<QLabel*>(QStringLiteral("titleLabel"));
    versionLabel = view->findChild<QLabel*>(QStringLiteral("versionLabel"));
    eRecommendButton = view->findChild<Button*>(QStringLiteral("eRecommendButton"));
    reviewAnimationButton = view->findChild<Button*>(QStringLiteral("reviewAnimationButton"));
    const auto wire = [&](const char* name, void (InfoViewControllerPhone::*action)()) {
        if (auto* b = view->findChild<QAbstractButton*>(QLatin1String(name)))
            connect(b, &QAbstractButton::clicked, this, action);
    };
    wire("eRecommendButton", &InfoViewControllerPhone::showEmailFriendShare);
    wire("m_facebookButton", &InfoViewControllerPhone::shwoWebFriendShareFacebook);
    wire("m_twitterButton", &InfoViewControllerPhone::shwoWebFriendShareTwitter);
    wire("m_wwwButton", &InfoViewControllerPhone::www);
    wire("m_zentrikAppsButton", &InfoViewControllerPhone::appStoreZentrik);
    wire("m_appIconButton", &InfoViewControllerPhone::appStoreKorvaneFree);
    // Writing a review happens on the app's store page.
    wire("reviewAnimationButton", &InfoViewControllerPhone::appStoreKorvaneFree);
    connect(m_naviItm->doneButton(), &QAbstractButton::clicked, this,
            &InfoViewControllerPhone::done);

    PageStyle::styleLabel(titleLabel, 24, true);
    PageStyle::styleLabel(versionLabel, 13, false, PageStyle::kSecondaryText);
    if (auto* heading = view->findChild<QLabel*>(QStringLiteral("m_share_Title_Lable"))) {
        heading->setText(Localization::translate("Localizable", "Recommend").text());
        PageStyle::styleHeading(heading);
    }
    for (const char* name : {"m_wwwButton", "m_zentrikAppsButton", "eRecommendButton",
                             "m_facebookButton", "m_twitterButton"})
        if (auto* b = view->findChild<Button*>(QLatin1String(name)))
            PageStyle::styleKey(b, false);
    // The share keys' pictures are generic shapes: each key names its
    // network (or e-mail) under the picture, and says what it does.
    const auto shareKey = [view](const char* name, const QString& caption,
                                 const QString& action) {
        auto* b = view->findChild<Button*>(QLatin1String(name));
        if (!b)
            return;
        b->setText(caption);
        b->setFont(PageStyle::font(11, true));
        b->setAccessibleName(action);
        b->setToolTip(action);
    };
    shareKey("eRecommendButton",
             Localization::translate("Localizable", "Email").orDefault(QStringLiteral("E-mail")),
             Localization::translate("Localizable", "RecommendByEmail")
                 .orDefault(QStringLiteral("Recommend by e-mail")));
    shareKey("m_facebookButton", QStringLiteral("Facebook"),
             Localization::translate("Localizable", "ShareOnFacebook")
                 .orDefault(QStringLiteral("Share on Facebook")));
    shareKey("m_twitterButton", QStringLiteral("Twitter"),
             Localization::translate("Localizable", "ShareOnTwitter")
                 .orDefault(QStringLiteral("Share on Twitter")));
    if (auto* b = view->findChild<Button*>(QStringLiteral("m_wwwButton")))
        b->setText(Localization::translate("Localizable", "KorvaneOnTheWeb")
                       .orDefault(QStringLiteral("Korvane Vandel on the web")));
    if (auto* b = view->findChild<Button*>(QStringLiteral("m_zentrikAppsButton")))
        b->setText(Localization::translate("Localizable", "MoreAppsFromZentrik").text());
    return view;
}

void InfoViewControllerPhone::viewDidLoad()
{
    m_naviItm->setTitle(Localization::translate("Localizable", "Info").text());
    view()->setAccessibleName(m_naviItm->title());
    titleLabel->setText(Localization::translate("Localizable", "KorvaneFree").text());
    const QString invitation = reviewInvitation();
    reviewAnimationButton->setText(invitation);
    reviewAnimationButton->setAccessibleName(invitation);
    versionLabel->setText(versionLine(Bundle::version()));
    if (!MailComposer::canSendMail())
        eRecommendButton->setHidden(true);
    reviewAnimationButton->setBackgroundImage(
        QStringLiteral("button_standard_blue_background_img.png"), 15, 10);
    reviewAnimationButton->setFont(PageStyle::font(14, true));
}

void InfoViewControllerPhone::showEmailFriendShare()
{
    if (m_MainViewController)
        m_MainViewController->showEmailFriendShare(this);
}

void InfoViewControllerPhone::shwoWebFriendShareTwitter()
{
    if (m_MainViewController)
        m_MainViewController->shwoWebFriendShareTwitter(this);
}

void InfoViewControllerPhone::shwoWebFriendShareFacebook()
{
    if (m_MainViewController)
        m_MainViewController->shwoWebFriendShareFacebook(this);
}

void InfoViewControllerPhone::www()
{
    if (m_MainViewController)
        m_MainViewController->showWebFriendShare(kProductPage, this);
}

void InfoViewControllerPhone::appStoreZentrik()
{
    Application::shared().openURL(StoreLinks::makerAppsPageURL());
}

void InfoViewControllerPhone::appStoreKorvaneFree()
{
    Application::shared().openURL(StoreLinks::storePageURL(StoreLinks::kKorvaneFreeStoreId));
}

// ---------------------------------------------------------------------------

QWidget* InfoViewControllerPad::createView()
{
    auto* view = new InfoViewPad;
    Ui::InfoViewControllerPad ui;
    ui.setupUi(view);
    view->m_info_View = ui.m_info_View;
    m_info_image = ui.m_info_image;
    return view;
}

void InfoViewControllerPad::viewDidLoad()
{
    InfoViewControllerPhone::viewDidLoad();
    m_info_image->setImage(QStringLiteral("FLIPSIDEBACKGROUND.png"), kBackgroundCap,
                           kBackgroundCap);
    // Flexible in all six respects: the page follows the container's size.
    view()->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}
