#pragma once

#include "Fix.h"
#include "LocationManager.h"

#include <memory>
#include <optional>

class GPSLocationDelegate {
public:
    virtual ~GPSLocationDelegate() = default;
    // Once per fix: speed m/s (0 or below while standing), accuracy m,
    // distance since the previous fix m.
    virtual void speedDidUpate(float speed, float accuracy, double distance) = 0;
};

struct Coordinate {
    double latitude = 0.0;
    double longitude = 0.0;
};

// Turns the stream of fixes into speed updates. The device counts as
// travelling only once two successive movements point roughly the same way,
// so a resting receiver's jitter neither moves the needle nor adds distance.
class GPSLocation : public LocationManagerDelegate {
public:
    GPSLocation();
    ~GPSLocation() override;

    GPSLocationDelegate* delegate = nullptr; // not owned
    Coordinate coordinate_last;              // longitude 0.0: not known yet
    bool is_on_speed = false;
    std::optional<Fix> m_oldLocation;

    LocationManager* m_LocationManager();
    void setM_LocationManager(std::unique_ptr<LocationManager> manager);
    GPSLocationDelegate* getDelegate() const { return delegate; }
    void setDelegate(GPSLocationDelegate* d) { delegate = d; }

    // The per-fix step.
    void locationManager_resolveLocations(LocationManager* manager, const Fix& newLocation,
                                          const std::optional<Fix>& oldLocation);

    void locationManager_didUpdateLocations(LocationManager* manager,
                                            const QList<Fix>& locations) override;
    void locationManager_didFailWithError(LocationManager* manager,
                                          const LocationError& error) override;

    // The gauge falls back to rest and the accuracy needle to its worst; the
    // travelling state is kept, so a trip across a gap counts as before.
    void locationManagerDidLoseSource(LocationManager* manager) override;
    static constexpr float kLostAccuracy = float(Fix::kMaxAccuracy);

    void showEnableGPS_AlertView();

private:
    std::unique_ptr<LocationManager> m_manager;
};
