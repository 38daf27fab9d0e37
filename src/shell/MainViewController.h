#pragma once

#include "MainViewOwner.h"
#include "ViewController.h"

#include <QDateTime>
#include <QPointer>
#include <QUrl>

class MainView;
class Property;

// Owns the main screen: the gauge and the banner area. Opens and closes the
// secondary pages and the paid-edition tour, and opens store pages.
class MainViewController : public ViewController, public MainViewOwner {
    Q_OBJECT
public:
    explicit MainViewController(QObject* parent = nullptr);
    ~MainViewController() override;

    MainView* mainView = nullptr;
    Property* m_prop = nullptr;
    QDateTime m_dateAddRecieved;
    QPointer<ViewController> m_SettingsViewContorller;

    void addProperty(Property* store);

    void showInfo() { showIDSView(0, true); }
    void showSettings() { showIDSView(1, true); }
    void showZentrikApps() { showIDSView(2, true); }
    virtual void showIDSView(int page, bool animated);
    virtual void dismissISDView(QObject* sender);
    virtual void showKorvaneProAbout();
    virtual void KorvaneProAboutDidFinish(QObject* sender);

    void appStoreKorvanePro();
    void appStoreKorvaneFree();
    void appStoreZentrikApp1();
    void appStoreZentrikApp2();
    void appStoreZentrikApp3();
    void appStoreZentrikApp4();
    static QUrl storePageURL(const char* storeId);

    // Another screen covers the gauge (pages, tour, share page).
    bool isPresentingScreen() const { return presentedViewController() != nullptr; }
    // The page index shown by the open container, -1 without one.
    int presentedPageIndex() const { return m_presentedPage; }

    // Banner seams; the banner presentation fills them.
    virtual void initAds() {}
    virtual void startAds() {}
    virtual void stopAds() {}
    void requestNewAd() override {}
    bool hasAdBannerView() const override { return false; }
    void updateAdDismissButton(float) override {}

protected:
    QWidget* loadView() override;
    void viewDidLoad() override;
    virtual MainView* createMainView();

private:
    void wireButtons();
    int m_presentedPage = -1;
};

// The tablet controller. The tablet gauge subclass comes with the tablet
// layout; until then it shows the phone gauge in the larger window.
class MainViewControllerPad : public MainViewController {
    Q_OBJECT
public:
    using MainViewController::MainViewController;
    void showIDSView(int page, bool animated) override { MainViewController::showIDSView(page, animated); }
    void dismissISDView(QObject* sender) override { MainViewController::dismissISDView(sender); }
    void showKorvaneProAbout() override { MainViewController::showKorvaneProAbout(); }
    void KorvaneProAboutDidFinish(QObject* sender) override { MainViewController::KorvaneProAboutDidFinish(sender); }
};
