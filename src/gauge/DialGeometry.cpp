#include "DialGeometry.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace DialGeometry {

namespace {
constexpr float kFullScaleKmh = 61.11111f;
constexpr float kFullScaleMph = 80.45f;
constexpr float kFullScaleKnots = 30.866667f;
} // namespace

double metersPerUnit(int32_t unit)
{
    switch (unit) {
    case 0:
        return 1000.0;
    case 1:
        return 1609.0;
    case 2:
        return 1852.0;
    default:
        return 0.0;
    }
}

float maxSpeedMetersPerSecond(int32_t unit)
{
    switch (unit) {
    case 2:
        return kFullScaleKnots;
    case 1:
        return kFullScaleMph;
    default:
        return kFullScaleKmh;
    }
}

float speedToAngle(float v, int32_t unit)
{
    if (v < 0)
        return kStartAngle;
    const float k = kSweep / maxSpeedMetersPerSecond(unit);
    const float p = v * k;
    return float(double(p) + double(kStartAngle));
}

float speedInUniteToAngle(float x, int32_t unit)
{
    const double m = metersPerUnit(unit);
    const float v = m > 0 ? float(double(x) * m / 3600.0) : 0.0f;
    return speedToAngle(v, unit);
}

float getSkinMaxSpeedRangeInUnit(int32_t unit)
{
    switch (unit) {
    case 0:
        return 220.0f;
    case 1:
        return 180.0f;
    case 2:
        return 60.0f;
    default:
        return 0.0f;
    }
}

float touchRadiusOnWheel(QPointF p, QPointF centre)
{
    const float dx = float(p.x()) - float(centre.x());
    const float dy = float(p.y()) - float(centre.y());
    return std::sqrt(dx * dx + dy * dy);
}

float touchAngleOnWheel(QPointF p, QPointF centre)
{
    const float dx = float(p.x()) - float(centre.x());
    const float dy = float(p.y()) - float(centre.y());
    const float r = std::sqrt(dx * dx + dy * dy);
    if (r == 0.0f)
        return std::numeric_limits<float>::quiet_NaN();
    constexpr double pi = std::numbers::pi;
    const double a = std::acos(double(dx / r));
    if (dy >= 0) {
        const float lifted = float(a + 2.0 * pi);
        return double(lifted) > kWrapLimit ? float(a) : lifted;
    }
    return float((pi - a) + pi);
}

} // namespace DialGeometry
