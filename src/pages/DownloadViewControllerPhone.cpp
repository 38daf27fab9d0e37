#include "DownloadViewControllerPhone.h"

#include "Application.h"
#include "Button.h"
#include "Device.h"
#include "DownloadViewPad.h"
#include "Localization.h"
#include "NavigationItem.h"
#include "PageOwner.h"
#include "PageStyle.h"
#include "StoreLinks.h"
#include "ui_DownloadViewControllerPad.h"
#include "ui_DownloadViewControllerPhone.h"

#include <QLabel>

namespace {
const StoreLinks::MakerApp& nordweiser()
{
    return StoreLinks::kMakerApps[0];
}
const StoreLinks::MakerApp& pegelwerk()
{
    return StoreLinks::kMakerApps[1];
}
const StoreLinks::MakerApp& tidenhub()
{
    return StoreLinks::kMakerApps[2];
}
const StoreLinks::MakerApp& tidenhubLite()
{
    return StoreLinks::kMakerApps[3];
}

QString text(const char* key, const char* fallback)
{
    return Localization::string(key, "moreApps", QString::fromUtf8(fallback));
}

void openStorePage(const StoreLinks::MakerApp& app)
{
    Application::shared().openURL(StoreLinks::storePageURL(app.storeId));
}
} // namespace

DownloadViewControllerPhone::DownloadViewControllerPhone(QObject* parent)
    : PageViewController(parent)
{
}

DownloadViewControllerPhone::~DownloadViewControllerPhone() = default;

QWidget* DownloadViewControllerPhone::createView()
{
    auto* view = new DownloadViewPhone;
    m_ui = std::make_unique<Ui::DownloadViewControllerPhone>();
    m_ui->setupUi(view);
    bindForm(*m_ui);
    m_button_apps_button_second_button = m_ui->m_button_apps_button_second_button;
    return view;
}

QWidget* DownloadViewControllerPhone::loadView()
{
    return createView();
}

template <class Form> void DownloadViewControllerPhone::bindForm(const Form& form)
{
    m_recomend_title_Label = form.m_recomend_title_Label;
    m_top_apps_top_tittle_Label = form.m_top_apps_top_tittle_Label;
    m_top_apps_top_descrption_Label = form.m_top_apps_top_descrption_Label;
    m_top_apps_button_tittle_Label = form.m_top_apps_button_tittle_Label;
    m_top_apps_button_descrption_Label = form.m_top_apps_button_descrption_Label;
    m_button_apps_top_tittle_Label = form.m_button_apps_top_tittle_Label;
    m_button_apps_top_descrption_Label = form.m_button_apps_top_descrption_Label;
    m_button_apps_button_tittle_Label = form.m_button_apps_button_tittle_Label;
    m_button_apps_button_descrption_Label = form.m_button_apps_button_descrption_Label;
    m_Button_apps_top_button = form.m_Button_apps_top_button;
    m_naviItm = form.m_naviItm;
    m_top_apps_top_button = form.m_top_apps_top_button;
    m_top_apps_button_button = form.m_top_apps_button_button;
    m_button_apps_button_button = form.m_button_apps_button_button;
    m_zentrik_logo_button = form.m_zentrik_logo_button;
    connect(m_naviItm->doneButton(), &QAbstractButton::clicked, this,
            &DownloadViewControllerPhone::done);
}

void DownloadViewControllerPhone::fillEntry(QLabel* title, QLabel* description, Button* icon,
                                            const StoreLinks::MakerApp& app,
                                            void (DownloadViewControllerPhone::*open)())
{
    title->setText(text(app.titleKey, app.title));
    description->setText(text(app.descriptionKey, app.description));
    PageStyle::styleLabel(title, 16, true);
    PageStyle::fitWidth(title, 12);
    PageStyle::styleLabel(description, 12, false, PageStyle::kSecondaryText);
    icon->setImageName(QLatin1String(app.icon));
    icon->setAccessibleName(title->text());
    icon->disconnect(this);
    connect(icon, &QAbstractButton::clicked, this, open);
}

void DownloadViewControllerPhone::viewDidLoad()
{
    m_naviItm->setTitle(TabBarItem::downloads().title);
    m_recomend_title_Label->setText(Localization::translate("moreApps", "RecommendedApps")
                                        .orDefault(QStringLiteral("Recommended Apps")));
    PageStyle::styleLabel(m_recomend_title_Label, 22, true);
    fillEntry(m_top_apps_top_tittle_Label, m_top_apps_top_descrption_Label, m_top_apps_top_button,
              StoreLinks::kKorvanePro, &DownloadViewControllerPhone::appStoreKorvanePro);
    fillEntry(m_top_apps_button_tittle_Label, m_top_apps_button_descrption_Label,
              m_top_apps_button_button, nordweiser(),
              &DownloadViewControllerPhone::appStoreNordweiser);
    fillEntry(m_button_apps_top_tittle_Label, m_button_apps_top_descrption_Label,
              m_Button_apps_top_button, pegelwerk(),
              &DownloadViewControllerPhone::appStorePegelwerk);
    fillEntry(m_button_apps_button_tittle_Label, m_button_apps_button_descrption_Label,
              m_button_apps_button_button, tidenhub(),
              &DownloadViewControllerPhone::appStoreTidenhub);
    if (Button* lite = m_button_apps_button_second_button) {
        lite->setText(text(tidenhubLite().titleKey, tidenhubLite().title));
        lite->setAccessibleName(lite->text());
        PageStyle::styleKey(lite, false, 12);
        connect(lite, &QAbstractButton::clicked, this,
                &DownloadViewControllerPhone::appStoreTidenhubLite);
    }
    Button* logo = m_zentrik_logo_button;
    logo->setText(Localization::translate("moreApps", "AllAppsFromZentrik")
                      .orDefault(QStringLiteral("All apps from Zentrik")));
    logo->setAccessibleName(logo->text());
    PageStyle::styleKey(logo, true);
    connect(logo, &QAbstractButton::clicked, this, &DownloadViewControllerPhone::appStoreZentrik);
}

void DownloadViewControllerPhone::viewWillAppear()
{
    const QSize screen = Application::shared().mainScreenSize();
    const int height = screen.isEmpty() ? Device::kPhoneDesignSize.height() : screen.height();
    const bool hide = hidesEntryThree(height);
    m_button_apps_top_tittle_Label->setHidden(hide);
    m_button_apps_top_descrption_Label->setHidden(hide);
    m_Button_apps_top_button->setHidden(hide);
}

void DownloadViewControllerPhone::appStoreKorvanePro()
{
    openStorePage(StoreLinks::kKorvanePro);
}
void DownloadViewControllerPhone::appStoreNordweiser()
{
    openStorePage(nordweiser());
}
void DownloadViewControllerPhone::appStorePegelwerk()
{
    openStorePage(pegelwerk());
}
void DownloadViewControllerPhone::appStoreTidenhub()
{
    openStorePage(tidenhub());
}
void DownloadViewControllerPhone::appStoreTidenhubLite()
{
    openStorePage(tidenhubLite());
}
void DownloadViewControllerPhone::appStoreZentrik()
{
    Application::shared().openURL(StoreLinks::makerAppsPageURL());
}

// ---------------------------------------------------------------------------

DownloadViewControllerPad::DownloadViewControllerPad(QObject* parent)
    : DownloadViewControllerPhone(parent)
{
}

DownloadViewControllerPad::~DownloadViewControllerPad() = default;

QWidget* DownloadViewControllerPad::createView()
{
    auto* view = new DownloadViewPad;
    m_ui = std::make_unique<Ui::DownloadViewControllerPad>();
    m_ui->setupUi(view);
    view->bindOutlets(*m_ui);
    bindForm(*m_ui);
    return view;
}

void DownloadViewControllerPad::viewDidLoad()
{
    DownloadViewControllerPhone::viewDidLoad();
    auto* pad = static_cast<DownloadViewPad*>(view());
    pad->loadLocal();
    PageStyle::styleLabel(pad->m_top_of_top_apps_top_tittle_Label, 18, true);
    PageStyle::styleLabel(pad->m_top_of_top_apps_top_descrption_Label, 13, false,
                          PageStyle::kSecondaryText);
    Button* proIcon = m_ui->m_top_of_top_apps_button;
    proIcon->setImageName(QLatin1String(StoreLinks::kKorvanePro.icon));
    proIcon->setAccessibleName(pad->m_top_of_top_apps_top_tittle_Label->text());
    connect(proIcon, &QAbstractButton::clicked, this,
            &DownloadViewControllerPhone::appStoreKorvanePro);
    // Entry 1 lists a further app: the paid edition has its own box here.
    fillEntry(m_top_apps_top_tittle_Label, m_top_apps_top_descrption_Label, m_top_apps_top_button,
              tidenhubLite(), &DownloadViewControllerPhone::appStoreTidenhubLite);
    pad->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    pad->layoutSubviews();
}
