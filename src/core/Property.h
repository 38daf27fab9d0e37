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
    void save_on_leave_close_DistanceTraveled_Meter();
    void reset_DistanceTraveled();
    void save_temp_values();

    // A fresh store over the same file, as a new process would load it
    // (tests only; the shared instance is otherwise never released).
    static Property* reloadForTesting();

private:
    Property();
    QDateTime m_tripSavedAt; // when the trip distance was last written
    void load();
};
