#pragma once

#include "GADAdSize.h"
#include "GADRequestError.h"

#include <QString>
#include <functional>
#include <memory>

class QWidget;
class GADCustomEventBanner;

// What a custom event learns of the app's request.
struct GADCustomEventRequest {
    bool userHasLocation = false;
    float userLatitude = 0.0f;
    float userLongitude = 0.0f;
    float userLocationAccuracyInMeters = 0.0f;
};

// The mediation's side of a custom event. Calls may come from any thread; the
// banner acts on them on the main thread.
class GADCustomEventBannerDelegate {
public:
    virtual ~GADCustomEventBannerDelegate() = default;
    // The view stays owned by the custom event; the banner only shows it.
    virtual void customEventBanner_didReceiveAd(GADCustomEventBanner*, QWidget*) {}
    virtual void customEventBanner_didFailAd(GADCustomEventBanner*, const GADRequestError&) {}
    virtual void customEventBannerWillPresentModal(GADCustomEventBanner*) {}
    virtual void customEventBannerDidDismissModal(GADCustomEventBanner*) {}
    virtual void customEventBannerWillLeaveApplication(GADCustomEventBanner*) {}
};

// A banner of another network, created by name when the mediation of an ad
// unit names its class. The mediation keeps it alive while its ad is on show
// and destroys it when the next ad replaces it.
class GADCustomEventBanner {
public:
    virtual ~GADCustomEventBanner() = default;
    virtual void requestBannerAd(GADAdSize adSize, const QString& serverParameter,
                                 const QString& serverLabel,
                                 const GADCustomEventRequest& request) = 0;
    virtual GADCustomEventBannerDelegate* delegate() const = 0;
    virtual void setDelegate(GADCustomEventBannerDelegate* delegate) = 0;
};

// Custom-event classes by name, so the mediation configuration (data on the
// network's side) can name a class the app compiled in.
class GADCustomEventRegistry {
public:
    using Factory = std::function<std::unique_ptr<GADCustomEventBanner>()>;

    // Answers true so that a registration can initialise a static; a later
    // registration under the same name replaces the earlier one.
    static bool registerClass(const QString& className, Factory factory);
    static void unregisterClass(const QString& className);
    static bool isRegistered(const QString& className);
    // Nothing when no class of that name is registered.
    static std::unique_ptr<GADCustomEventBanner> create(const QString& className);
};
