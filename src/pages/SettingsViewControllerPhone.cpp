#include "SettingsViewControllerPhone.h"

#include "Button.h"
#include "Localization.h"
#include "NavigationItem.h"
#include "PageOwner.h"
#include "Property.h"
#include "SettingsViewPhone.h"
#include "StretchableImageView.h"
#include "ui_SettingsViewControllerPad.h"
#include "ui_SettingsViewControllerPhone.h"

namespace {
// Share service codes of the web pages this page opens.
constexpr int kFeedbackPage = 3;
constexpr int kFAQPage = 4;
constexpr int kBackgroundCap = 99;
} // namespace

SettingsViewControllerPhone::SettingsViewControllerPhone(QObject* parent)
    : PageViewController(parent)
{
}

SettingsViewControllerPhone::~SettingsViewControllerPhone() = default;

SettingsViewPhone* SettingsViewControllerPhone::createView()
{
    auto* view = new SettingsViewPhone;
    m_ui = std::make_unique<Ui::SettingsViewControllerPhone>();
    m_ui->setupUi(view);
    view->bindOutlets(*m_ui);
    m_naviItm = m_ui->m_naviItm;
    return view;
}

QWidget* SettingsViewControllerPhone::loadView()
{
    m_settingsView = createView();
    connect(m_naviItm->doneButton(), &QAbstractButton::clicked, this,
            &SettingsViewControllerPhone::done);
    connect(m_settingsView->m_FAQ_button, &QAbstractButton::clicked, this,
            &SettingsViewControllerPhone::wwwFAQ);
    connect(m_settingsView->m_Feedback_button, &QAbstractButton::clicked, this,
            &SettingsViewControllerPhone::wwwFeedbackAction);
    return m_settingsView;
}

void SettingsViewControllerPhone::viewDidLoad()
{
    m_naviItm->setTitle(Localization::translate("Localizable", "Settings").text());
    m_settingsView->setProperty(Property::instance());
}

void SettingsViewControllerPhone::wwwFAQ()
{
    if (m_MainViewController)
        m_MainViewController->showWebFriendShare(kFAQPage, this);
}

void SettingsViewControllerPhone::wwwFeedbackAction()
{
    if (m_MainViewController)
        m_MainViewController->showWebFriendShare(kFeedbackPage, this);
}

// ---------------------------------------------------------------------------

SettingsViewControllerPad::SettingsViewControllerPad(QObject* parent)
    : SettingsViewControllerPhone(parent)
{
}

SettingsViewControllerPad::~SettingsViewControllerPad() = default;

SettingsViewPhone* SettingsViewControllerPad::createView()
{
    auto* view = new SettingsViewPad;
    m_ui = std::make_unique<Ui::SettingsViewControllerPad>();
    m_ui->setupUi(view);
    view->m_ViewTop_Left = m_ui->m_ViewTop_Left;
    m_info_image = m_ui->m_info_image;
    view->bindOutlets(*m_ui);
    m_naviItm = m_ui->m_naviItm;
    return view;
}

void SettingsViewControllerPad::viewDidLoad()
{
    SettingsViewControllerPhone::viewDidLoad();
    m_info_image->setImage(QStringLiteral("FLIPSIDEBACKGROUND.png"), kBackgroundCap,
                           kBackgroundCap);
    // Flexible in all six respects: the page follows the container's size.
    m_settingsView->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}
