#pragma once

#include "Fix.h"
#include "LocationManager.h"

#include <QPointer>
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
    // Listens to the given source (not owned); without one it makes its own.
    explicit GPSLocation(LocationManager* source = nullptr);
    ~GPSLocation() override;

    GPSLocationDelegate* delegate = nullptr; // not owned
    // Empty while not known yet: a fix on the prime meridian is a position
    // like any other.
    std::optional<Coordinate> coordinate_last;
    bool is_on_speed = false;
    std::optional<Fix> m_oldLocation; // the last fix that was not a jump

    LocationManager* m_LocationManager();
    void setM_LocationManager(std::unique_ptr<LocationManager> manager);
    GPSLocationDelegate* getDelegate() const { return delegate; }
    void setDelegate(GPSLocationDelegate* d) { delegate = d; }

    // The per-fix step. A fix that lies further from the previous one than
    // the time between them allows (Fix::isPlausibleMove) is reported at rest
    // and answers false: it must not become the previous fix, so the next
    // plausible one counts from the last good one. Two such fixes in a row
    // that agree with each other mean the receiver really is elsewhere (or
    // the last good one was the jump): counting starts afresh from there.
    bool locationManager_resolveLocations(LocationManager* manager, const Fix& newLocation,
                                          const std::optional<Fix>& oldLocation);

    // The source's time of the fix being reported (invalid for a fix without
    // one), so that what the delegate does per fix can go by the source's
    // clock rather than the wall's.
    QDateTime reportedFixTime() const { return m_reportedFixTime; }

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
    void report(float speed, const Fix& fix, double distance);
    void adopt(LocationManager* source);

    std::unique_ptr<LocationManager> m_manager; // only when none was handed in
    QPointer<LocationManager> m_source;
    std::optional<Fix> m_implausible; // the last fix refused as a jump
    QDateTime m_reportedFixTime;
};
