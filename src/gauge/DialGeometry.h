#pragma once

#include <QPointF>
#include <cstdint>

// The one dial geometry every gauge piece shares. Angles are radians, y down,
// 0 pointing right and growing clockwise. The gauge view calls these with the
// store's current unit.
namespace DialGeometry {

constexpr float kStartAngle = 2.349f;
constexpr float kSweep = 4.722185f;
constexpr float kEndAngle = 7.071185f;
// Touch angles never exceed 2π + start angle.
constexpr double kWrapLimit = 8.632185307179586;

constexpr QPointF kPhoneWheelCenter{130.0, 130.0};
constexpr QPointF kTabletWheelCenter{244.0, 251.0};

// Metres per distance unit of each speed unit (the mile is 1609 m here).
double metersPerUnit(int32_t unit);
// Full scale in m/s as the dial stores it.
float maxSpeedMetersPerSecond(int32_t unit);

float speedToAngle(float metersPerSecond, int32_t unit);
float speedInUniteToAngle(float speedInUnit, int32_t unit);
// 220, 180 or 60; 0 for an unknown unit.
float getSkinMaxSpeedRangeInUnit(int32_t unit);

// Angle of p around centre in (start, 2π + start]. At the centre itself the
// direction is undefined and the answer is NaN, which every grab comparison
// rejects.
float touchAngleOnWheel(QPointF p, QPointF centre);
float touchRadiusOnWheel(QPointF p, QPointF centre);

} // namespace DialGeometry
