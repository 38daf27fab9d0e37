#include "GADRequest.h"

#include <cmath>

namespace {
// Two decimals (about a kilometre) are enough for local ads; more would hand
// the networks a track of the drive.
float coarse(float degrees)
{
    return float(std::round(double(degrees) * 100.0) / 100.0);
}
} // namespace

void GADRequest::setLocationWithLatitude(float latitude, float longitude, float accuracy)
{
    const bool valid = std::isfinite(latitude) && std::isfinite(longitude) &&
                       std::isfinite(accuracy) && std::fabs(latitude) <= 90.0f &&
                       std::fabs(longitude) <= 180.0f && accuracy >= 0.0f;
    m_hasLocation = valid;
    m_latitude = valid ? coarse(latitude) : 0.0f;
    m_longitude = valid ? coarse(longitude) : 0.0f;
    m_accuracy = valid ? accuracy : 0.0f;
}
