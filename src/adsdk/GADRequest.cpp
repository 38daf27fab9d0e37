#include "GADRequest.h"

#include <cmath>

void GADRequest::setLocationWithLatitude(float latitude, float longitude, float accuracy)
{
    const bool valid = std::isfinite(latitude) && std::isfinite(longitude) &&
                       std::isfinite(accuracy) && std::fabs(latitude) <= 90.0f &&
                       std::fabs(longitude) <= 180.0f && accuracy >= 0.0f;
    m_hasLocation = valid;
    m_latitude = valid ? latitude : 0.0f;
    m_longitude = valid ? longitude : 0.0f;
    m_accuracy = valid ? accuracy : 0.0f;
}
