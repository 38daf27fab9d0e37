#include "MainViewController.h"

#include "Application.h"
#include "Clock.h"
#include "GPSLocation.h"
#include "Localization.h"
#include "MainView.h"
#include "PlaceholderScreen.h"
#include "Property.h"
#include "RotatingButton.h"
#include "StoreLinks.h"

#include <QPushButton>

namespace {
constexpr const char* kPageTitles[] = {"Info", "Settings", "More apps"};
} // namespace

MainViewController::MainViewController(QObject* parent) : ViewController(parent) {}
MainViewController::~MainViewController()
{
    // The banner must not call back into a controller that is going away.
    m_bannerAds.reset();
}

MainView* MainViewController::createMainView()
{
    return new MainView;
}

QWidget* MainViewController::loadView()
{
    mainView = createMainView();
    wireButtons();
    m_bannerAds = createBannerAdPresentation();
    if (QAbstractButton* next = m_bannerAds->m_adsNextButton)
        connect(next, &QAbstractButton::clicked, this, &MainViewController::requestFreshAd);
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
    const std::optional<Fix> fix = mainView->m_GPSLocation->m_LocationManager()->location();
    if (!fix)
        return BannerAdLocation{};
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
        connect(mainView->m_settingsButton, &QPushButton::clicked, this, &MainViewController::showSettings);
    if (mainView->m_zentrikAppsButton)
        connect(mainView->m_zentrikAppsButton, &QPushButton::clicked, this,
                &MainViewController::showZentrikApps);
    if (mainView->adProButton)
        connect(mainView->adProButton, &QAbstractButton::clicked, this,
                &MainViewController::showKorvaneProAbout);
}

void MainViewController::addProperty(Property* store)
{
    m_prop = store;
    bannerAds()->m_dateAddRecieved = Clock::now();
    mainView->m_MainViewController = this;
    mainView->addProperty(store);
}

void MainViewController::showIDSView(int page, bool animated)
{
    stopAds();
    mainView->m_onFlipView = true;
    mainView->releaseForFlipviewNProAd();
    const int index = page >= 0 && page <= 2 ? page : 0;
    auto* container = new PlaceholderScreen(
        Localization::string(kPageTitles[index], nullptr, QString()),
        [this](QObject* sender) { dismissISDView(sender); });
    container->modalTransitionStyle = ViewController::Transition::FlipHorizontal;
    m_SettingsViewContorller = index == 1 ? container : nullptr;
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
    stopAds();
    m_prop->setDidPressProAd(true);
    mainView->stopAdProEffectAnimation();
    auto* tour = new PlaceholderScreen(QStringLiteral("Korvane Vandel Pro"),
                                       [this](QObject* sender) { KorvaneProAboutDidFinish(sender); });
    tour->modalTransitionStyle = ViewController::Transition::CoverVertical;
    presentViewController(tour, true);
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
