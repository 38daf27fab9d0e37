#include "GpsdReport.h"

#include <QJsonDocument>
#include <QJsonValue>

#include <cmath>

namespace {
std::optional<double> finiteNumber(const QJsonObject& o, QLatin1StringView key)
{
    const QJsonValue v = o.value(key);
    if (!v.isDouble() || !std::isfinite(v.toDouble()))
        return std::nullopt;
    return v.toDouble();
}
} // namespace

std::optional<Fix> GpsdReport::fix(const QJsonObject& report)
{
    const auto mode = finiteNumber(report, QLatin1String("mode"));
    const auto lat = finiteNumber(report, QLatin1String("lat"));
    const auto lon = finiteNumber(report, QLatin1String("lon"));
    if (!mode || *mode < 2.0 || !lat || !lon || std::abs(*lat) > 90.0 || std::abs(*lon) > 180.0)
        return std::nullopt;
    Fix fix;
    fix.latitude = *lat;
    fix.longitude = *lon;
    if (const auto speed = finiteNumber(report, QLatin1String("speed")); speed && *speed >= 0.0)
        fix.speed = *speed;
    const auto eph = finiteNumber(report, QLatin1String("eph"));
    const auto epx = finiteNumber(report, QLatin1String("epx"));
    const auto epy = finiteNumber(report, QLatin1String("epy"));
    if (eph && *eph >= 0.0)
        fix.horizontalAccuracy = *eph;
    else if (epx && epy && *epx >= 0.0 && *epy >= 0.0)
        // The per-axis errors combine into the radius that covers both; the
        // larger alone would understate an error off the axes.
        fix.horizontalAccuracy = std::hypot(*epx, *epy);
    const QString time = report.value(QLatin1String("time")).toString();
    if (!time.isEmpty())
        fix.timestamp = QDateTime::fromString(time, Qt::ISODateWithMs);
    return fix;
}

GpsdReport::Line GpsdReport::readLine(const QByteArray& line)
{
    // gpsd names a report's class first. Only position reports are read
    // whole: sky views come as often and are many times longer.
    static constexpr QByteArrayView kClassPrefix = R"({"class":")";
    if (line.startsWith(kClassPrefix) && !line.startsWith(R"({"class":"TPV")") &&
        line.trimmed().endsWith('}'))
        return {true, std::nullopt};
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(line, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return {};
    const QJsonObject report = doc.object();
    const QString reportClass = report.value(QLatin1String("class")).toString();
    if (reportClass != QLatin1String("TPV"))
        return {!reportClass.isEmpty(), std::nullopt};
    return {true, fix(report)};
}
