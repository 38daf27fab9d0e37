#pragma once

#include "ADBannerView.h"
#include "GADCustomEventBanner.h"

#include <memory>

// Serves the platform's own banner ads through the ad network's mediation,
// which creates it by the class name "adPad".
class adPad : public GADCustomEventBanner, public ADBannerViewDelegate {
public:
    static constexpr char kClassName[] = "adPad";

    adPad() = default;
    ~adPad() override;

    void requestBannerAd(GADAdSize adSize, const QString& serverParameter,
                         const QString& serverLabel, const GADCustomEventRequest& request) override;
    GADCustomEventBannerDelegate* delegate() const override { return m_delegate; }
    void setDelegate(GADCustomEventBannerDelegate* delegate) override { m_delegate = delegate; }

    void bannerViewDidLoadAd(ADBannerView* banner) override;
    void bannerView_didFailToReceiveAdWithError(ADBannerView* banner,
                                                const ADError& error) override;
    bool bannerViewActionShouldBegin(ADBannerView* banner, bool willLeaveApplication) override;
    void bannerViewActionDidFinish(ADBannerView* banner) override;

    ADBannerView* adBannerView() const { return m_AdBannerView.get(); }

private:
    // Keeps the platform banner from becoming a window of its own when it is
    // unhidden before the ad SDK adopts it. Declared first, so it goes last.
    std::unique_ptr<QWidget> m_holder;
    std::unique_ptr<ADBannerView> m_AdBannerView;
    GADCustomEventBannerDelegate* m_delegate = nullptr; // the mediation object that created it
};
