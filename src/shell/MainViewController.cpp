#include "MainViewController.h"

#include "Application.h"
#include "Clock.h"
#include "DownloadViewControllerPhone.h"
#include "GPSLocation.h"
#include "IDSControllerPhone.h"
#include "InfoViewControllerPhone.h"
#include "Localization.h"
#include "MainView.h"
#include "Property.h"
#include "RotatingButton.h"
#include "SettingsViewControllerPhone.h"
#include "StoreLinks.h"

#include <QPushButton>

namespace {
constexpr int kPageCount = 3;
constexpr int kSettingsPage = 1;
} // namespace

MainViewController::MainViewController(QObject* parent) : ViewController(parent) {}
MainViewController::~MainViewController()
{
    // The banner must not call back into a controller that is going away.
    m_bannerAds.reset();
    Application::shared().setInAppBrowser({});
}

MainView* MainViewController::createMainView()
{
    return new MainView;
}

QWidget* MainViewController::loadView()
{
    m_locationManager = std::make_unique<LocationManager>();
    mainView = createMainView();
    mainView->m_locationSource = m_locationManager.get();
    wireButtons();
    m_bannerAds = createBannerAdPresentation();
    if (QAbstractButton* next = m_bannerAds->m_adsNextButton)
        connect(next, &QAbstractButton::clicked, this, &MainViewController::requestFreshAd);
    // The store's listing of the maker's apps is the maker's site root,
    // shown over whatever screen asked for it.
    Application::shared().setInAppBrowser([self = QPointer<MainViewController>(this)](const QUrl&) {
        if (!self)
            return false;
        ViewController* top = self;
        while (top->presentedViewController())
            top = top->presentedViewController();
        self->showWebFriendShare(StoreLinks::kMakerSiteService, top == self ? nullptr : top);
        return true;
    });
    return mainView;
}

std::unique_ptr<BannerAdPresentation> MainViewController::createBannerAdPresentation()
{
    return std::make_unique<BannerAdPresentation>(mainView, BannerAdViews::find(mainView),
                                                  [this] { return adRequestLocation(); });
}

BannerAdPresentation* MainViewController::bannerAds()
{
    view();
    return m_bannerAds.get();
}

std::optional<BannerAdLocation> MainViewController::adRequestLocation() const
{
    if (!mainView || !mainView->m_GPSLocation)
        return std::nullopt;
    const std::optional<Fix> fix = m_locationManager->location();
    // Before the first fix there is no position to tell; 0, 0 would be a
    // false one.
    if (!fix)
        return std::nullopt;
    return BannerAdLocation{float(fix->latitude), float(fix->longitude),
                            float(fix->horizontalAccuracy)};
}

void MainViewController::viewDidLoad()
{
    m_SettingsViewContorller = nullptr;
    mainView->loadLocal();
}

void MainViewController::wireButtons()
{
    if (mainView->iButton)
        connect(mainView->iButton, &QPushButton::clicked, this, &MainViewController::showInfo);
    if (mainView->m_settingsButton)
        connect(mainView->m_settingsButton, &QPushButton::clicked, this,
                &MainViewController::showSettings);
    if (mainView->m_zentrikAppsButton)
        connect(mainView->m_zentrikAppsButton, &QPushButton::clicked, this,
                &MainViewController::showZentrikApps);
    if (mainView->adProButton)
        connect(mainView->adProButton, &QAbstractButton::clicked, this,
                &MainViewController::showKorvaneProAbout);
    if (mainView->m_friendShareButton)
        connect(mainView->m_friendShareButton, &QPushButton::clicked, this,
                [this] { showEmailFriendShare(nullptr); });
    if (mainView->m_properties_facebook_Button)
        connect(mainView->m_properties_facebook_Button, &QPushButton::clicked, this,
                &MainViewController::showFacebook_MainWindow);
    if (mainView->m_properties_twitter_webio_Button)
        connect(mainView->m_properties_twitter_webio_Button, &QPushButton::clicked, this,
                &MainViewController::showTwitter_MainWindow);
    // The store links of the overlay (phone) or the apps panel (tablet).
    const std::pair<const char*, void (MainViewController::*)()> storeButtons[] = {
        {"appStoreKorvaneProButton", &MainViewController::appStoreKorvanePro},
        {"appStoreKorvaneFreeButton", &MainViewController::appStoreKorvaneFree},
        {"appStoreZentrikApp1Button", &MainViewController::appStoreZentrikApp1},
        {"appStoreZentrikApp2Button", &MainViewController::appStoreZentrikApp2},
        {"appStoreZentrikApp3Button", &MainViewController::appStoreZentrikApp3},
        {"appStoreZentrikApp4Button", &MainViewController::appStoreZentrikApp4}};
    for (const auto& [name, open] : storeButtons)
        if (auto* button = mainView->findChild<QAbstractButton*>(QLatin1String(name)))
            connect(button, &QAbstractButton::clicked, this, open);
}

void MainViewController::addProperty(Property* store)
{
    m_prop = store;
    bannerAds()->m_dateAddRecieved = Clock::now();
    mainView->m_MainViewController = this;
    mainView->addProperty(store);
}

TabBarController* MainViewController::createPageContainer()
{
    auto* container = new IDSControllerPhone;
    auto* settings = new SettingsViewControllerPhone;
    auto* apps = new DownloadViewControllerPhone;
    settings->m_MainViewController = this;
    apps->m_MainViewController = this;
    container->setViewControllers(pages(createInfoPage(), settings, apps));
    return container;
}

ViewController* MainViewController::createInfoPage()
{
    auto* info = new InfoViewControllerPhone;
    info->m_MainViewController = this;
    return info;
}

std::unique_ptr<ShareComposers> MainViewController::createShareComposers()
{
    return std::make_unique<ShareComposers>(this);
}

ShareComposers* MainViewController::share()
{
    if (!m_share)
        m_share = createShareComposers();
    return m_share.get();
}

QList<ViewController*> MainViewController::pages(ViewController* info, ViewController* settings,
                                                 ViewController* apps)
{
    info->tabBarItem = {Localization::translate("Localizable", "Info").text(),
                        QStringLiteral("info_icon_borederd.png"), QStringLiteral("info_icon.png")};
    settings->tabBarItem = {Localization::translate("Localizable", "Settings").text(),
                            QStringLiteral("settings_icon_bordered.png"),
                            QStringLiteral("settings_icon.png")};
    apps->tabBarItem = TabBarItem::downloads();
    return {info, settings, apps};
}

TabBarController* MainViewController::pageContainer() const
{
    return m_presentedPage >= 0 ? qobject_cast<TabBarController*>(presentedViewController())
                                : nullptr;
}

void MainViewController::showIDSView(int page, bool animated)
{
    stopAds();
    mainView->m_onFlipView = true;
    mainView->releaseForFlipviewNProAd();
    TabBarController* container = createPageContainer();
    m_SettingsViewContorller = container->viewControllers().value(kSettingsPage);
    container->modalTransitionStyle = ViewController::Transition::FlipHorizontal;
    const int index = page >= 0 && page < kPageCount ? page : 0;
    container->setSelectedIndex(index);
    m_presentedPage = index;
    presentViewController(container, animated);
}

void MainViewController::dismissISDView(QObject*)
{
    m_SettingsViewContorller = nullptr;
    mainView->setViewInit();
    if (!hasAdBannerView())
        requestNewAd();
    dismissViewControllerAnimated(true);
    m_presentedPage = -1;
    mainView->m_onFlipView = false;
}

void MainViewController::showKorvaneProAbout()
{
    // The phone's tour opens on its head-up-display page.
    presentKorvaneProAbout(new KorvaneProAbout)->setInitSegment(3);
}

KorvaneProAbout* MainViewController::presentKorvaneProAbout(KorvaneProAbout* tour)
{
    stopAds();
    m_prop->setDidPressProAd(true);
    mainView->stopAdProEffectAnimation();
    tour->delegate = this;
    tour->modalTransitionStyle = ViewController::Transition::CoverVertical;
    presentViewController(tour, true);
    return tour;
}

void MainViewController::KorvaneProAboutDidFinish(QObject*)
{
    mainView->setViewInit();
    dismissViewControllerAnimated(true);
    requestNewAd();
}

void MainViewController::appStoreKorvanePro()
{
    Application::shared().openURL(StoreLinks::storePageURL(StoreLinks::kKorvaneProStoreId));
}

void MainViewController::appStoreKorvaneFree()
{
    Application::shared().openURL(StoreLinks::storePageURL(StoreLinks::kKorvaneFreeStoreId));
}

void MainViewController::appStoreZentrikApp1()
{
    Application::shared().openURL(StoreLinks::storePageURL(StoreLinks::kZentrikAppStoreIds[0]));
}

void MainViewController::appStoreZentrikApp2()
{
    Application::shared().openURL(StoreLinks::storePageURL(StoreLinks::kZentrikAppStoreIds[1]));
}

void MainViewController::appStoreZentrikApp3()
{
    Application::shared().openURL(StoreLinks::storePageURL(StoreLinks::kZentrikAppStoreIds[2]));
}

void MainViewController::appStoreZentrikApp4()
{
    Application::shared().openURL(StoreLinks::storePageURL(StoreLinks::kZentrikAppStoreIds[3]));
}
