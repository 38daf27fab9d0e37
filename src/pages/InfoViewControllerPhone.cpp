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

InfoViewControllerPhone::InfoViewControllerPhone(QObject* parent) : PageViewController(parent) {}

InfoViewControllerPhone::~InfoViewControllerPhone() = default;

QWidget* InfoViewControllerPhone::createView()
{
    auto* view = new InfoViewPhone;
    m_ui = std::make_unique<Ui::InfoViewControllerPhone>();
    m_ui->setupUi(view);
    bindForm(*m_ui);
    return view;
}

QWidget* InfoViewControllerPhone::loadView()
{
    return createView();
}

template <class Form> void InfoViewControllerPhone::bindForm(const Form& form)
{
    m_naviItm = form.m_naviItm;
    titleLabel = form.titleLabel;
    versionLabel = form.versionLabel;
    eRecommendButton = form.eRecommendButton;
    reviewAnimationButton = form.reviewAnimationButton;
    const auto wire = [this](QAbstractButton* b, void (InfoViewControllerPhone::*action)()) {
        connect(b, &QAbstractButton::clicked, this, action);
    };
    wire(eRecommendButton, &InfoViewControllerPhone::showEmailFriendShare);
    wire(form.m_facebookButton, &InfoViewControllerPhone::shwoWebFriendShareFacebook);
    wire(form.m_twitterButton, &InfoViewControllerPhone::shwoWebFriendShareTwitter);
    wire(form.m_wwwButton, &InfoViewControllerPhone::www);
    wire(form.m_zentrikAppsButton, &InfoViewControllerPhone::appStoreZentrik);
    wire(form.m_appIconButton, &InfoViewControllerPhone::appStoreKorvaneFree);
    // Writing a review happens on the app's store page.
    wire(reviewAnimationButton, &InfoViewControllerPhone::appStoreKorvaneFree);
    connect(m_naviItm->doneButton(), &QAbstractButton::clicked, this,
            &InfoViewControllerPhone::done);

    PageStyle::styleLabel(titleLabel, 24, true);
    PageStyle::styleLabel(versionLabel, 13, false, PageStyle::kSecondaryText);
    form.m_share_Title_Lable->setText(Localization::translate("Localizable", "Recommend").text());
    PageStyle::styleHeading(form.m_share_Title_Lable);
    for (Button* b : {form.m_wwwButton, form.m_zentrikAppsButton, eRecommendButton,
                      form.m_facebookButton, form.m_twitterButton})
        PageStyle::styleKey(b, false);
    // The share keys' pictures are generic shapes: each key names its
    // network (or e-mail) under the picture, and says what it does.
    const auto shareKey = [](Button* b, const QString& caption, const QString& action) {
        b->setText(caption);
        b->setFont(PageStyle::font(11, true));
        b->setAccessibleName(action);
        b->setToolTip(action);
    };
    shareKey(eRecommendButton,
             Localization::translate("Localizable", "Email").orDefault(QStringLiteral("E-mail")),
             Localization::translate("Localizable", "RecommendByEmail")
                 .orDefault(QStringLiteral("Recommend by e-mail")));
    shareKey(form.m_facebookButton, QStringLiteral("Facebook"),
             Localization::translate("Localizable", "ShareOnFacebook")
                 .orDefault(QStringLiteral("Share on Facebook")));
    shareKey(form.m_twitterButton, QStringLiteral("Twitter"),
             Localization::translate("Localizable", "ShareOnTwitter")
                 .orDefault(QStringLiteral("Share on Twitter")));
    form.m_wwwButton->setText(Localization::translate("Localizable", "KorvaneOnTheWeb")
                                  .orDefault(QStringLiteral("Korvane Vandel on the web")));
    form.m_zentrikAppsButton->setText(
        Localization::translate("Localizable", "MoreAppsFromZentrik").text());
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

InfoViewControllerPad::InfoViewControllerPad(QObject* parent) : InfoViewControllerPhone(parent) {}

InfoViewControllerPad::~InfoViewControllerPad() = default;

QWidget* InfoViewControllerPad::createView()
{
    auto* view = new InfoViewPad;
    m_ui = std::make_unique<Ui::InfoViewControllerPad>();
    m_ui->setupUi(view);
    view->m_info_View = m_ui->m_info_View;
    m_info_image = m_ui->m_info_image;
    bindForm(*m_ui);
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
