#pragma once

#include "MainViewController.h"

class BannerAdPresentationPad;

// The tablet controller: the tablet gauge, and a banner that follows the
// screen's width through rotations.
class MainViewControllerPad : public MainViewController {
    Q_OBJECT
public:
    using MainViewController::MainViewController;

    void showKorvaneProAbout() override;
    void KorvaneProAboutDidFinish(QObject* sender) override;

    // Called when the window turns between portrait and landscape.
    void willRotateToInterfaceOrientation(int orientation);
    int interfaceOrientation() const { return m_interfaceOrientation; }

    BannerAdPresentationPad* bannerAdsPad();

protected:
    QWidget* loadView() override;
    MainView* createMainView() override;
    // The tablet's container and pages; opening and closing are the phone's.
    TabBarController* createPageContainer() override;
    ViewController* createInfoPage() override;
    // The tablet's web page.
    std::unique_ptr<ShareComposers> createShareComposers() override;
    std::unique_ptr<BannerAdPresentation> createBannerAdPresentation() override;

private:
    int m_interfaceOrientation = 0;
};
