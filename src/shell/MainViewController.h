#pragma once

#include "BannerAdPresentation.h"
#include "KorvaneProAbout.h"
#include "MainViewOwner.h"
#include "PageOwner.h"
#include "ShareComposers.h"
#include "ViewController.h"

#include <QPointer>
#include <QUrl>
#include <memory>
#include <optional>

class LocationManager;
class MainView;
class Property;
class TabBarController;

// Owns the main screen: the gauge and the banner area. Opens and closes the
// secondary pages and the paid-edition tour, and opens store pages.
class MainViewController : public ViewController,
                           public MainViewOwner,
                           public PageOwner,
                           public KorvaneProAboutDelegate {
    Q_OBJECT
public:
    explicit MainViewController(QObject* parent = nullptr);
    ~MainViewController() override;

    MainView* mainView = nullptr;
    Property* m_prop = nullptr;

    // The one source of fixes: the gauge listens to it, the banner asks it
    // where the device is, the launcher watches it end.
    LocationManager* locationManager() const { return m_locationManager.get(); }
    QPointer<ViewController> m_SettingsViewContorller;

    void addProperty(Property* store);

    void showInfo() { showIDSView(0, true); }
    void showSettings() { showIDSView(1, true); }
    void showZentrikApps() { showIDSView(2, true); }
    virtual void showIDSView(int page, bool animated);
    void dismissISDView(QObject* sender) override;

    // Sharing; the composers and the web page are the share's (see ShareComposers).
    ShareComposers* share();
    void showWebFriendShare(int serviceCode, ViewController* from) override
    {
        share()->showWebFriendShare(serviceCode, from);
    }
    void showEmailFriendShare(ViewController* from) override { share()->showEmailFriendShare(from); }
    void shwoWebFriendShareTwitter(ViewController* from) override
    {
        share()->shwoWebFriendShareTwitter(from);
    }
    void shwoWebFriendShareFacebook(ViewController* from) override
    {
        share()->shwoWebFriendShareFacebook(from);
    }
    void showTwitter_MainWindow() { share()->showTwitter_MainWindow(); }
    void showFacebook_MainWindow() { share()->showFacebook_MainWindow(); }
    void didFinishShowWebFriendShare(QObject* sender) { share()->didFinishShowWebFriendShare(sender); }
    virtual void showKorvaneProAbout();
    void KorvaneProAboutDidFinish(QObject* sender) override;

    void appStoreKorvanePro();
    void appStoreKorvaneFree();
    void appStoreZentrikApp1();
    void appStoreZentrikApp2();
    void appStoreZentrikApp3();
    void appStoreZentrikApp4();

    // Another screen covers the gauge (pages, tour, share page).
    bool isPresentingScreen() const { return presentedViewController() != nullptr; }
    // The page index shown by the open container, -1 without one.
    int presentedPageIndex() const { return m_presentedPage; }
    // The open page container, or none.
    TabBarController* pageContainer() const;

    // The banner area; its presentation holds the banner fields, including
    // m_dateAddRecieved, which addProperty sets.
    BannerAdPresentation* bannerAds();
    void initAds() { bannerAds()->initAds(); }
    void startAds() { bannerAds()->startAds(); }
    void stopAds() { bannerAds()->stopAds(); }
    void requestNewAd() override { bannerAds()->requestNewAd(); }
    void requestFreshAd() { bannerAds()->requestFreshAd(); }
    void animateShowAdsView() override { bannerAds()->animateShowAdsView(); }
    void animateDismissAdsView() { bannerAds()->animateDismissAdsView(); }
    void updateAdDismissButton(float speed) override { bannerAds()->updateAdDismissButton(speed); }
    bool hasAdBannerView() const override { return m_bannerAds && m_bannerAds->hasAdBannerView(); }

    // The gauge's last fix for an ad request: nothing without a location
    // source or while its manager has no fix yet.
    std::optional<BannerAdLocation> adRequestLocation() const;

protected:
    // The container and its three pages for this device family.
    virtual TabBarController* createPageContainer();
    // Presents the tour with this controller as its delegate.
    KorvaneProAbout* presentKorvaneProAbout(KorvaneProAbout* tour);
    virtual ViewController* createInfoPage();
    virtual std::unique_ptr<ShareComposers> createShareComposers();
    // The three pages in tab order, with their tab items.
    static QList<ViewController*> pages(ViewController* info, ViewController* settings,
                                        ViewController* apps);
    QWidget* loadView() override;
    void viewDidLoad() override;
    virtual MainView* createMainView();
    virtual std::unique_ptr<BannerAdPresentation> createBannerAdPresentation();

private:
    std::unique_ptr<LocationManager> m_locationManager;
    void wireButtons();
    int m_presentedPage = -1;
    std::unique_ptr<BannerAdPresentation> m_bannerAds;
    std::unique_ptr<ShareComposers> m_share;
};
