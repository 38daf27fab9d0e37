#include "MainViewController.h"

#include "Application.h"
#include "Clock.h"
#include "Localization.h"
#include "MainView.h"
#include "PlaceholderScreen.h"
#include "Property.h"
#include "RotatingButton.h"

#include <QPushButton>

namespace {
constexpr const char* kStoreHost = "itunes.apple.com";
constexpr const char* kKorvaneProStoreId = "431496713";
constexpr const char* kKorvaneFreeStoreId = "436352457";
constexpr const char* kZentrikAppStoreIds[] = {"445062011", "452231730", "468510394", "479103822"};
constexpr const char* kPageTitles[] = {"Info", "Settings", "More apps"};
} // namespace

MainViewController::MainViewController(QObject* parent) : ViewController(parent) {}
MainViewController::~MainViewController() = default;

MainView* MainViewController::createMainView()
{
    return new MainView;
}

QWidget* MainViewController::loadView()
{
    mainView = createMainView();
    wireButtons();
    return mainView;
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
    m_dateAddRecieved = Clock::now();
    view();
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

QUrl MainViewController::storePageURL(const char* storeId)
{
    return QUrl(QStringLiteral("itms-apps://%1/app/id%2?mt=8")
                    .arg(QLatin1String(kStoreHost), QLatin1String(storeId)));
}

void MainViewController::appStoreKorvanePro()
{
    Application::shared().openURL(storePageURL(kKorvaneProStoreId));
}

void MainViewController::appStoreKorvaneFree()
{
    Application::shared().openURL(storePageURL(kKorvaneFreeStoreId));
}

void MainViewController::appStoreZentrikApp1()
{
    Application::shared().openURL(storePageURL(kZentrikAppStoreIds[0]));
}

void MainViewController::appStoreZentrikApp2()
{
    Application::shared().openURL(storePageURL(kZentrikAppStoreIds[1]));
}

void MainViewController::appStoreZentrikApp3()
{
    Application::shared().openURL(storePageURL(kZentrikAppStoreIds[2]));
}

void MainViewController::appStoreZentrikApp4()
{
    Application::shared().openURL(storePageURL(kZentrikAppStoreIds[3]));
}
