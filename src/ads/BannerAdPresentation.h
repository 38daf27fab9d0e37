#pragma once

#include "GADAdSize.h"
#include "GADBannerView.h"
#include "GADBannerViewDelegate.h"
#include "RepeatingTimer.h"

#include <QDateTime>
#include <QObject>
#include <QPointF>
#include <QPointer>
#include <atomic>
#include <functional>
#include <optional>

class ActivityIndicatorView;
class QAbstractButton;
class QWidget;

// The banner area of the main screen as laid out by its interface file.
struct BannerAdViews {
    QWidget* m_adsShowDismissView = nullptr;
    QAbstractButton* m_adsNextButton = nullptr;
    ActivityIndicatorView* m_nextAdActivitiIndicatorView = nullptr;

    // Looks the three up by their object names anywhere under root.
    static BannerAdViews find(QWidget* root);
    bool isComplete() const
    {
        return m_adsShowDismissView && m_adsNextButton && m_nextAdActivitiIndicatorView;
    }
};

// Where the device is, for the ad request.
struct BannerAdLocation {
    float latitude = 0.0f;
    float longitude = 0.0f;
    float accuracy = 0.0f;
};

// The banner that slides in at the top of the main screen when an ad arrives
// and slides out again once the user is moving and has seen it long enough.
// The container slides by whole points under a 1/30 s timer, so it lands
// exactly on its targets; show and dismiss share the one timer.
class BannerAdPresentation : public QObject, public GADBannerViewDelegate {
    Q_OBJECT
public:
    static constexpr char kPhoneAdUnitID[] = "ca-app-pub-4822715703915590/1938475620";
    static constexpr GADAdSize kPhoneAdSize{QSizeF(320.0, 50.0), 0};
    static constexpr float kShownPosition = 50.0f;
    static constexpr float kDismissedPosition = 0.0f;
    static constexpr QPointF kEntryCenter{160.0, -50.0};

    static constexpr double kSlideInterval = 1.0 / 30.0;
    static constexpr double kSlideStepDown = 3.0;
    static constexpr double kSlideStepUp = 1.0;
    // Targets below this mean the banner is on its way out.
    static constexpr float kRemoveBelowTarget = 1.0f;
    // An arriving ad starts the slide only while the target is below this.
    static constexpr float kShowBelowTarget = 10.0f;
    static constexpr float kDismissAboveSpeed = 3.0f;  // m/s
    static constexpr qint64 kDismissAfterMs = 10000;   // since the last ad event
    static constexpr float kFullyInAbove = 49.0f;      // target and centre y
    static constexpr qint64 kFreshAdThrottleMs = 5000; // since the last ad event

    // Nothing when the gauge has no location source or no fix yet: the
    // request then goes without a position.
    using LocationProvider = std::function<std::optional<BannerAdLocation>()>;

    // rootViewController: the view full-screen ad content covers.
    BannerAdPresentation(QWidget* rootViewController, const BannerAdViews& views,
                         LocationProvider location, QObject* parent = nullptr);
    // Clears the banner's delegate before the banner goes.
    ~BannerAdPresentation() override;

    QPointer<GADBannerView> m_adBannerView; // owned while set; a child of the container
    QPointer<QWidget> m_adsShowDismissView;
    float m_posYAdsShowDismiss = 0.0f;
    QDateTime m_dateAddRecieved;
    QPointer<QAbstractButton> m_adsNextButton;
    QPointer<ActivityIndicatorView> m_nextAdActivitiIndicatorView;
    RepeatingTimer adsShowDismissAnimationTimer;
    std::atomic<double> adsShowDismissAnimationInterval{0.0};

    bool hasAdBannerView() const { return m_adBannerView != nullptr; }
    QWidget* rootViewController() const { return m_root; }

    void initAds();
    void requestNewAd();
    virtual void startAds();
    void stopAds();
    void requestFreshAd();
    virtual void animateShowAdsView();
    virtual void animateDismissAdsView();
    void updateAdDismissButton(float speed);
    void startAdsShowDismissEffectAnimation();
    bool stopAdsShowDismissEffectAnimation();
    void drawAdsShowDismissEffectAnimationControllFunc();

    void adViewDidReceiveAd(GADBannerView* bannerView) override;
    void adView_didFailToReceiveAdWithError(GADBannerView* bannerView,
                                            const GADRequestError& error) override;

    // The container's centre in its parent's coordinates.
    static QPointF center(const QWidget* view);
    static void setCenter(QWidget* view, QPointF center);

protected:
    void createBanner(GADAdSize adSize, const QString& adUnitID);
    void showAdsView(float shownPosition);
    void dismissAdsView(float dismissedPosition);
    // Places a hidden container at its entry point above the screen.
    void receiveAd(std::optional<qreal> entryX, qreal entryY);
    // A received or failed ad answers a press of the next-ad button.
    void restoreNextAdButton();

private:
    QPointer<QWidget> m_root;
    LocationProvider m_location;
};
