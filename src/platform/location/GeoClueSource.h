#pragma once

#include "Bundle.h"
#include "LocationSource.h"

#include <QGeoPositionInfoSource>

class QGeoPositionInfo;

// Fixes from the desktop's location service, GeoClue2, through Qt's plugin,
// asking for satellite positioning. A refusal by GeoClue's agent is the
// refused-access error (code 1, "error 1" in its text), and so is a system
// without the service: nobody can give a position.
class GeoClueSource : public LocationSource {
    Q_OBJECT
public:
    static constexpr const char* kPluginName = "geoclue2";
    // The desktop file GeoClue's agent and permission store know us by.
    static constexpr const char* kDesktopId = Bundle::kApplicationId;

    explicit GeoClueSource(QObject* parent = nullptr);
    ~GeoClueSource() override;

    void start() override;
    void stop() override;
    QString description() const override { return QStringLiteral("GeoClue"); }

    static bool pluginAvailable();
    // Whether the system bus offers the GeoClue2 service, running or
    // activatable; each question waits at most kProbeMs.
    static bool serviceAvailable();
    static constexpr int kProbeMs = 2000;

    static Fix fixFromPosition(const QGeoPositionInfo& info);
    static LocationError errorFor(QGeoPositionInfoSource::Error error);

private:
    QGeoPositionInfoSource* m_source = nullptr; // child
    bool m_running = false;
};
