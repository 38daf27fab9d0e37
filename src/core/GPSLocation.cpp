#include "GPSLocation.h"

#include "AlertView.h"
#include "Localization.h"

#include <cmath>

namespace {
// cos of about 84.26°: successive movements closer in direction than this
// count as travelling.
constexpr double kSameDirectionCosine = 0.1;
// Accuracies further apart than this make the distance between two fixes
// meaningless.
constexpr float kMaxAccuracyJump = 90.0f;
} // namespace

GPSLocation::GPSLocation(LocationManager* source)
{
    if (source)
        adopt(source);
    m_LocationManager()->startUpdatingLocation();
}

GPSLocation::~GPSLocation()
{
    if (m_source)
        m_source->setDelegate(nullptr);
}

LocationManager* GPSLocation::m_LocationManager()
{
    if (!m_source) {
        m_manager = std::make_unique<LocationManager>();
        adopt(m_manager.get());
    }
    return m_source;
}

void GPSLocation::adopt(LocationManager* source)
{
    m_source = source;
    source->setDesiredAccuracy(LocationManager::kLocationAccuracyBest);
    source->setDelegate(this);
    if (source->respondsToSetPausesLocationUpdatesAutomatically())
        source->setPausesLocationUpdatesAutomatically(false);
    coordinate_last.reset();
    is_on_speed = false;
}

void GPSLocation::setM_LocationManager(std::unique_ptr<LocationManager> manager)
{
    m_manager = std::move(manager);
    m_source = m_manager.get();
}

bool GPSLocation::locationManager_resolveLocations(LocationManager*, const Fix& newLocation,
                                                   const std::optional<Fix>& oldLocation)
{
    std::optional<Fix> previous = oldLocation;
    if (previous && !Fix::isPlausibleMove(*previous, newLocation)) {
        if (!m_implausible || !Fix::isPlausibleMove(*m_implausible, newLocation)) {
            m_implausible = newLocation;
            report(0.0f, newLocation, 0.0);
            return false;
        }
        previous = m_implausible;
        coordinate_last.reset();
        is_on_speed = false;
    }
    m_implausible.reset();

    if (!is_on_speed && coordinate_last && previous) {
        const double ax = previous->longitude - coordinate_last->longitude;
        const double ay = previous->latitude - coordinate_last->latitude;
        const double bx = newLocation.longitude - previous->longitude;
        const double by = newLocation.latitude - previous->latitude;
        // A zero-length movement gives NaN, which fails the comparison.
        const double c =
            (ax * bx + ay * by) / (std::sqrt(ax * ax + ay * ay) * std::sqrt(bx * bx + by * by));
        if (c > kSameDirectionCosine)
            is_on_speed = true;
    }

    float speed = 0.0f;
    double distance = 0.0;
    if (is_on_speed) {
        if (previous && float(std::fabs(previous->horizontalAccuracy -
                                        newLocation.horizontalAccuracy)) < kMaxAccuracyJump)
            distance = newLocation.distanceTo(*previous);
        speed = float(newLocation.speed);
    }

    report(speed, newLocation, distance);

    if (!(newLocation.speed > 0))
        is_on_speed = false;
    if (previous)
        coordinate_last = Coordinate{previous->latitude, previous->longitude};
    return true;
}

void GPSLocation::report(float speed, const Fix& fix, double distance)
{
    m_reportedFixTime = fix.timestamp;
    if (delegate)
        delegate->speedDidUpate(speed, float(fix.horizontalAccuracy), distance);
}

void GPSLocation::locationManager_didUpdateLocations(LocationManager* manager,
                                                     const QList<Fix>& locations)
{
    for (const Fix& fix : locations)
        if (locationManager_resolveLocations(manager, fix, m_oldLocation))
            m_oldLocation = fix;
}

void GPSLocation::locationManager_didFailWithError(LocationManager*, const LocationError& error)
{
    // Only a refused authorisation is worth telling the user about.
    if (!error.localizedDescription.contains(QLatin1String("error 1")))
        return;
    showEnableGPS_AlertView();
}

void GPSLocation::showEnableGPS_AlertView()
{
    auto* alert =
        new AlertView(QStringLiteral("GPS is OFF"),
                      Localization::translate("Localizable", "gps_off").orDefault(QString()),
                      nullptr, QStringLiteral("OK"));
    alert->show();
}

void GPSLocation::locationManagerDidLoseSource(LocationManager*)
{
    if (delegate)
        delegate->speedDidUpate(0.0f, kLostAccuracy, 0.0);
}
