#include "Property.h"

#include "Clock.h"
#include "Preferences.h"

#include <cmath>
#include <limits>
#include <mutex>
#include <type_traits>

namespace {
constexpr double kInitialDistance = 1.0;
// Beyond any odometer (25,000 times round the earth): a stored trip past
// this is damage, not driving.
constexpr double kMaxStoredDistance = 1.0e12;
constexpr qint64 kTripSaveSeconds = 60;
constexpr float kFloatFixedPoint = 1000000.0f;

std::mutex instanceLock;
Property* sharedInstance = nullptr;

// Toward zero, saturating: a float past the 32-bit range must not wrap.
int32_t truncateToInt32(float value)
{
    if (std::isnan(value))
        return 0;
    if (value >= 2147483647.0f)
        return std::numeric_limits<int32_t>::max();
    if (value <= -2147483648.0f)
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

// Each operation writes its key at once and reads after a sync, whatever
// the type.
template <typename T>
void saveTyped(const QString& key, T value)
{
    Preferences& prefs = Preferences::shared();
    if constexpr (std::is_same_v<T, bool>)
        prefs.setBool(key, value);
    else if constexpr (std::is_same_v<T, double>)
        prefs.setDouble(key, value);
    else
        prefs.setInt(key, value);
    prefs.synchronize();
}

template <typename T>
T loadTyped(const QString& key, T defaultValue)
{
    Preferences& prefs = Preferences::shared();
    prefs.synchronize();
    if constexpr (std::is_same_v<T, bool>)
        return prefs.getBool(key, defaultValue);
    else if constexpr (std::is_same_v<T, double>)
        return prefs.getDouble(key, defaultValue);
    else
        return prefs.getInt(key, defaultValue);
}
} // namespace

Property* Property::instance()
{
    std::lock_guard lock(instanceLock);
    if (!sharedInstance)
        sharedInstance = new Property;
    return sharedInstance;
}

Property* Property::reloadForTesting()
{
    std::lock_guard lock(instanceLock);
    delete sharedInstance;
    Preferences::shared().reload();
    sharedInstance = new Property;
    return sharedInstance;
}

Property::Property()
{
    load();
}

void Property::load()
{
    m_speedUnit = loadIntegerProperty(QStringLiteral("speedUnit"), 0);
    m_isfirstInit = loadBoolProperty(QStringLiteral("firstInit"), true);
    m_didPressProAd = loadBoolProperty(QStringLiteral("didPressProAd"), false);
    m_didShowStartUpReviewAnimation =
        loadBoolProperty(QStringLiteral("didShowStartUpReviewAnimation"), false);
    m_distanceTraveled_Meter =
        loadDoubleProperty(QStringLiteral("distanceTraveled_Meter"), kInitialDistance);
    // A damaged value would otherwise stay for good: every fix adds to it.
    if (!std::isfinite(m_distanceTraveled_Meter) || m_distanceTraveled_Meter < 0.0 ||
        m_distanceTraveled_Meter > kMaxStoredDistance)
        m_distanceTraveled_Meter = kInitialDistance;
    m_tripClockIsSource = false;
    m_tripSavedAt = m_tripClock = Clock::now();
}

void Property::saveIntegerProperty(const QString& key, int32_t value)
{
    saveTyped(key, value);
}

int32_t Property::loadIntegerProperty(const QString& key, int32_t defaultValue)
{
    return loadTyped(key, defaultValue);
}

void Property::saveBoolProperty(const QString& key, bool value)
{
    saveTyped(key, value);
}

bool Property::loadBoolProperty(const QString& key, bool defaultValue)
{
    return loadTyped(key, defaultValue);
}

void Property::saveDoubleProperty(const QString& key, double value)
{
    saveTyped(key, value);
}

double Property::loadDoubleProperty(const QString& key, double defaultValue)
{
    return loadTyped(key, defaultValue);
}

void Property::saveFloatProperty(const QString& key, float value)
{
    saveIntegerProperty(key, truncateToInt32(value * kFloatFixedPoint));
}

float Property::loadFloatProperty(const QString& key, float defaultValue)
{
    return float(loadIntegerProperty(key, truncateToInt32(defaultValue))) / kFloatFixedPoint;
}

void Property::setSpeedUnit(int32_t unit)
{
    m_speedUnit = unit;
    saveIntegerProperty(QStringLiteral("speedUnit"), unit);
}

void Property::setDidPressProAd(bool pressed)
{
    m_didPressProAd = pressed;
    saveBoolProperty(QStringLiteral("didPressProAd"), pressed);
}

void Property::setDidShowStartUpReviewAnimation(bool shown)
{
    m_didShowStartUpReviewAnimation = shown;
    saveBoolProperty(QStringLiteral("didShowStartUpReviewAnimation"), shown);
}

void Property::add_DistanceTraveled_Meter(double meters)
{
    add_DistanceTraveled_Meter(meters, QDateTime());
}

void Property::add_DistanceTraveled_Meter(double meters, const QDateTime& sourceTime)
{
    // One bad fix must not turn the whole stored trip into NaN.
    if (!std::isfinite(meters))
        return;
    m_distanceTraveled_Meter += meters;
    // Besides the writes on leaving and ending, a trip that grows is written
    // once a minute, so a crash, a kill or a cut power loses a minute at most.
    const QDateTime now = sourceTime.isValid() ? sourceTime : Clock::now();
    if (sourceTime.isValid() != m_tripClockIsSource) {
        // The two clocks do not compare: the minute starts again.
        m_tripClockIsSource = sourceTime.isValid();
        m_tripSavedAt = now;
    }
    m_tripClock = now;
    if (meters != 0.0 && (m_tripSavedAt.secsTo(now) >= kTripSaveSeconds || now < m_tripSavedAt))
        save_on_leave_close_DistanceTraveled_Meter();
}

void Property::save_on_leave_close_DistanceTraveled_Meter()
{
    saveDoubleProperty(QStringLiteral("distanceTraveled_Meter"), m_distanceTraveled_Meter);
    m_tripSavedAt = m_tripClockIsSource ? m_tripClock : Clock::now();
}

void Property::reset_DistanceTraveled()
{
    m_distanceTraveled_Meter = kInitialDistance;
    saveDoubleProperty(QStringLiteral("distanceTraveled_Meter"), m_distanceTraveled_Meter);
}

void Property::save_temp_values()
{
    save_on_leave_close_DistanceTraveled_Meter();
}
