#include "MainViewControllerPad.h"

#include "Application.h"
#include "BannerAdPresentationPad.h"
#include "DownloadViewControllerPhone.h"
#include "IDSControllerPhone.h"
#include "InfoViewControllerPhone.h"
#include "KorvaneProAboutPad.h"
#include "MainViewPad.h"
#include "SettingsViewControllerPhone.h"


TabBarController* MainViewControllerPad::createPageContainer()
{
    auto* container = new IDSControllerPad;
    auto* settings = new SettingsViewControllerPad;
    auto* apps = new DownloadViewControllerPad;
    settings->m_MainViewController = this;
    apps->m_MainViewController = this;
    container->setViewControllers(pages(createInfoPage(), settings, apps));
    return container;
}

ViewController* MainViewControllerPad::createInfoPage()
{
    auto* info = new InfoViewControllerPad;
    info->m_MainViewController = this;
    return info;
}

std::unique_ptr<ShareComposers> MainViewControllerPad::createShareComposers()
{
    return std::make_unique<ShareComposersPad>(this);
}

void MainViewControllerPad::showKorvaneProAbout()
{
    presentKorvaneProAbout(new KorvaneProAboutPad);
}

void MainViewControllerPad::KorvaneProAboutDidFinish(QObject* sender)
{
    MainViewController::KorvaneProAboutDidFinish(sender);
}

QWidget* MainViewControllerPad::loadView()
{
    QWidget* view = MainViewController::loadView();
    Application& app = Application::shared();
    m_interfaceOrientation = app.statusBarOrientation();
    connect(&app, &Application::statusBarOrientationDidChange, this, [this](int orientation) {
        if (isLandscape(orientation) != isLandscape(m_interfaceOrientation))
            willRotateToInterfaceOrientation(orientation);
    });
    return view;
}

MainView* MainViewControllerPad::createMainView()
{
    return new MainViewPad;
}

std::unique_ptr<BannerAdPresentation> MainViewControllerPad::createBannerAdPresentation()
{
    const int orientation = Application::shared().statusBarOrientation();
    BannerAdViews views = BannerAdViews::find(mainView);
    // A tablet layout without a banner area gets one of the tablet's size.
    if (!views.m_adsShowDismissView)
        views = BannerAdPresentationPad::createViews(mainView, orientation);
    auto ads = std::make_unique<BannerAdPresentationPad>(mainView, views,
                                                         [this] { return adRequestLocation(); });
    ads->rotateToInterfaceOrientation(orientation);
    if (auto* gauge = qobject_cast<MainViewPad*>(mainView))
        gauge->m_adsShowDismissViewMainRef = views.m_adsShowDismissView;
    return ads;
}

BannerAdPresentationPad* MainViewControllerPad::bannerAdsPad()
{
    return static_cast<BannerAdPresentationPad*>(bannerAds());
}

void MainViewControllerPad::willRotateToInterfaceOrientation(int orientation)
{
    m_interfaceOrientation = orientation;
    bannerAdsPad()->rotateToInterfaceOrientation(orientation);
}
