#pragma once

#include "GADRequestError.h"

class GADBannerView;

// What a banner tells its owner; every call arrives on the main thread.
class GADBannerViewDelegate {
public:
    virtual ~GADBannerViewDelegate() = default;
    // A new ad is on show; a running banner reports this again after each refresh.
    virtual void adViewDidReceiveAd(GADBannerView*) {}
    // A load ended without an ad; the ad on show, if any, stays.
    virtual void adView_didFailToReceiveAdWithError(GADBannerView*, const GADRequestError&) {}
    virtual void adViewWillPresentScreen(GADBannerView*) {}
    virtual void adViewWillDismissScreen(GADBannerView*) {}
    virtual void adViewDidDismissScreen(GADBannerView*) {}
    virtual void adViewWillLeaveApplication(GADBannerView*) {}
};
