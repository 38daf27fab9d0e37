#include "StatusLine.h"

#include "DialGeometry.h"
#include "Preferences.h"
#include "Property.h"

#include <cstdio>

namespace {
constexpr int kPrintIntervalMs = 2000;
const char* const kSpeedNames[] = {"km/h", "mph", "kn"};
const char* const kDistanceNames[] = {"km", "mi", "nmi"};
} // namespace

StatusLine::StatusLine(std::function<Reading()> read, QObject* parent)
    : QObject(parent), m_read(std::move(read))
{
    connect(&m_timer, &QTimer::timeout, this, &StatusLine::print);
}

void StatusLine::start()
{
    m_timer.start(kPrintIntervalMs);
}

QString StatusLine::format(const Reading& reading, int unit, double tripMeters,
                           const QString& settingsError)
{
    const int u = unit >= 0 && unit <= 2 ? unit : 0;
    const double perUnit = DialGeometry::metersPerUnit(u);
    const double speed = std::max(0.0f, reading.speedMetersPerSecond) * 3600.0 / perUnit;
    const QString accuracy =
        reading.accuracyMeters < 0
            ? QStringLiteral("unknown")
            : QStringLiteral("%1 m").arg(double(reading.accuracyMeters), 0, 'f', 0);
    QString line = QStringLiteral("speed %1 %2  accuracy %3  trip %4 %5")
                       .arg(speed, 0, 'f', 1)
                       .arg(QLatin1String(kSpeedNames[u]), accuracy)
                       .arg(tripMeters / perUnit, 0, 'f', 3)
                       .arg(QLatin1String(kDistanceNames[u]));
    if (!settingsError.isEmpty())
        line += QStringLiteral("  settings not saved (%1)").arg(settingsError);
    return line;
}

void StatusLine::print()
{
    const Property* prop = Property::instance();
    std::printf("%s\n",
                qPrintable(format(m_read(), prop->m_speedUnit, prop->m_distanceTraveled_Meter,
                                  Preferences::shared().writeError())));
    std::fflush(stdout);
}
