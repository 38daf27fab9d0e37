#include "Fix.h"

#include <algorithm>
#include <cmath>
#include <numbers>

double Fix::distanceTo(const Fix& other) const
{
    // Haversine on the mean earth radius, as Qt Positioning measures.
    constexpr double kEarthMeanRadius = 6371007.2;
    constexpr double kDeg = std::numbers::pi / 180.0;
    const double dLat = (other.latitude - latitude) * kDeg;
    const double dLon = (other.longitude - longitude) * kDeg;
    const double s1 = std::sin(dLat / 2);
    const double s2 = std::sin(dLon / 2);
    const double h =
        s1 * s1 + std::cos(latitude * kDeg) * std::cos(other.latitude * kDeg) * s2 * s2;
    return 2.0 * kEarthMeanRadius * std::asin(std::sqrt(std::min(1.0, h)));
}

std::optional<Fix> Fix::sanitized(Fix fix)
{
    if (!std::isfinite(fix.latitude) || !std::isfinite(fix.longitude) ||
        std::fabs(fix.latitude) > 90.0 || std::fabs(fix.longitude) > 180.0)
        return std::nullopt;
    if (!std::isfinite(fix.speed) || fix.speed > kMaxSpeed)
        fix.speed = -1.0;
    if (!std::isfinite(fix.horizontalAccuracy) || fix.horizontalAccuracy > kMaxAccuracy)
        fix.horizontalAccuracy = -1.0;
    return fix;
}

bool Fix::isPlausibleMove(const Fix& from, const Fix& to)
{
    if (!from.timestamp.isValid() || !to.timestamp.isValid())
        return true;
    // Either order: a log may repeat or reorder an epoch.
    const double seconds = std::fabs(double(from.timestamp.msecsTo(to.timestamp))) / 1000.0;
    const double speed = std::max({from.speed, to.speed, kPlausibleTopSpeed});
    const auto radius = [](const Fix& f) {
        return f.horizontalAccuracy >= 0.0 ? f.horizontalAccuracy : kUnknownAccuracy;
    };
    const double reach =
        kPlausibleMargin * (speed * seconds + radius(from) + radius(to)) + kPlausibleSlack;
    return from.distanceTo(to) <= reach;
}
