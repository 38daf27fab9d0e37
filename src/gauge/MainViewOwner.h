#pragma once

// What the gauge view asks of the main screen controller that owns it.
class MainViewOwner {
public:
    virtual ~MainViewOwner() = default;

    // Every speed update the gauge processes, in m/s; the banner slides out
    // when the user is moving.
    virtual void updateAdDismissButton(float speed) = 0;

    // A tap on the gauge shows the banner if one exists, else asks for one.
    virtual bool hasAdBannerView() const { return false; }
    virtual void animateShowAdsView() {}
    virtual void requestNewAd() {}
};
