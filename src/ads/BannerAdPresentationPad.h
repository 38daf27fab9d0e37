#pragma once

#include "BannerAdPresentation.h"

// Interface orientations as the window's aspect gives them.
enum InterfaceOrientation : int {
    InterfaceOrientationPortrait = 1,
    InterfaceOrientationPortraitUpsideDown = 2,
    InterfaceOrientationLandscapeRight = 3,
    InterfaceOrientationLandscapeLeft = 4,
};
inline bool isLandscape(int orientation)
{
    return orientation == InterfaceOrientationLandscapeRight ||
           orientation == InterfaceOrientationLandscapeLeft;
}

// The tablet banner: as wide as the screen in either orientation, sliding
// between 60 (in) and −40 (out).
class BannerAdPresentationPad : public BannerAdPresentation {
    Q_OBJECT
public:
    static constexpr char kTabletAdUnitID[] = "ca-app-pub-4822715703915590/2730164859";
    static constexpr double kLandscapeAdWidth = 1024.0;
    static constexpr double kPortraitAdWidth = 768.0;
    static constexpr double kAdHeight = 90.0;
    static constexpr float kTabletShownPosition = 60.0f;
    static constexpr float kTabletDismissedPosition = -40.0f;
    static constexpr qreal kTabletEntryY = -80.0;
    // The container holds the banner and, below it, the next-ad button.
    static constexpr int kContainerHeight = 120;

    using BannerAdPresentation::BannerAdPresentation;

    static GADAdSize adSizeForOrientation(int orientation);
    // The orientation new banners are sized for: the main window's at
    // creation, then the last one rotated to.
    int interfaceOrientation() const { return m_interfaceOrientation; }

    void startAds() override;
    void animateShowAdsView() override;
    void animateDismissAdsView() override;
    void adViewDidReceiveAd(GADBannerView* bannerView) override;

    // Resizes a running banner for the coming orientation and keeps the
    // container as wide as the banner, centred on its parent (also when the
    // parent is laid out to another size later).
    void rotateToInterfaceOrientation(int orientation);

    // The banner area for a tablet layout that has none: a hidden container
    // above the top edge of root, raised over its siblings.
    static BannerAdViews createViews(QWidget* root, int orientation);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static int currentInterfaceOrientation();
    void fitContainer(int orientation);

    int m_interfaceOrientation = currentInterfaceOrientation();
};
