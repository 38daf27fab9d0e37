#pragma once

#include <QDateTime>
#include <QString>
#include <cstdint>

// The process-wide store of the user's settings and the running trip
// distance. Fields are read directly; they change only through the
// operations below, each of which writes its key at once. The trip distance
// grows in memory and is written by save_temp_values.
class Property {
public:
    static Property* instance();

    int32_t m_speedUnit = 0;
    bool m_isfirstInit = true;
    bool m_didPressProAd = false;
    bool m_didShowStartUpReviewAnimation = false;
    double m_distanceTraveled_Meter = 1.0;

    void saveIntegerProperty(const QString& key, int32_t value);
    int32_t loadIntegerProperty(const QString& key, int32_t defaultValue);
    void saveBoolProperty(const QString& key, bool value);
    bool loadBoolProperty(const QString& key, bool defaultValue);
    void saveDoubleProperty(const QString& key, double value);
    double loadDoubleProperty(const QString& key, double defaultValue);
    // Floats are kept as integers of value × 1,000,000.
    void saveFloatProperty(const QString& key, float value);
    // The default is given in stored form (d × 1,000,000).
    float loadFloatProperty(const QString& key, float defaultValue);

    void setSpeedUnit(int32_t unit);
    void setDidPressProAd(bool pressed);
    void setDidShowStartUpReviewAnimation(bool shown);

    void add_DistanceTraveled_Meter(double meters);
    // The same, for a fix of the given time in the source's own clock: the
    // once-a-minute checkpoint counts the drive's minutes, so a replay at 50x
    // is written as often per minute driven as a live drive. Without a valid
    // time the wall clock counts.
    void add_DistanceTraveled_Meter(double meters, const QDateTime& sourceTime);
    void save_on_leave_close_DistanceTraveled_Meter();
    void reset_DistanceTraveled();
    void save_temp_values();

    // A fresh store over the same file, as a new process would load it
    // (tests only; the shared instance is otherwise never released).
    static Property* reloadForTesting();

private:
    Property();
    // The checkpoint's clock (the source's or the wall's): the time of the
    // newest distance added, and what it read when the trip was last written.
    bool m_tripClockIsSource = false;
    QDateTime m_tripClock;
    QDateTime m_tripSavedAt;
    void load();
};
