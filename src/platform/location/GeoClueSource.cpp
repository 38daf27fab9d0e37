#include "GeoClueSource.h"

#include "LocationManager.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QGeoPositionInfo>
#include <QGuiApplication>
#include <QTimer>

#include <cmath>

namespace {
constexpr auto kService = "org.freedesktop.GeoClue2";

double attributeOr(const QGeoPositionInfo& info, QGeoPositionInfo::Attribute attribute)
{
    if (!info.hasAttribute(attribute))
        return -1.0;
    const double v = info.attribute(attribute);
    return std::isfinite(v) && v >= 0.0 ? v : -1.0;
}
} // namespace

GeoClueSource::GeoClueSource(QObject* parent) : LocationSource(parent) {}

GeoClueSource::~GeoClueSource()
{
    m_running = false;
    delete m_source; // before our members go, in case it signals as it closes
}

bool GeoClueSource::pluginAvailable()
{
    return QGeoPositionInfoSource::availableSources().contains(QLatin1String(kPluginName));
}

bool GeoClueSource::serviceAvailable()
{
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected() || !bus.interface())
        return false;
    QDBusConnectionInterface* iface = bus.interface();
    const QString name = QLatin1String(kService);
    if (iface->isServiceRegistered(name).value())
        return true;
    return iface->activatableServiceNames().value().contains(name);
}

Fix GeoClueSource::fixFromPosition(const QGeoPositionInfo& info)
{
    Fix fix;
    fix.latitude = info.coordinate().latitude();
    fix.longitude = info.coordinate().longitude();
    fix.speed = attributeOr(info, QGeoPositionInfo::GroundSpeed);
    fix.horizontalAccuracy = attributeOr(info, QGeoPositionInfo::HorizontalAccuracy);
    fix.timestamp = info.timestamp();
    return fix;
}

LocationError GeoClueSource::errorFor(QGeoPositionInfoSource::Error error)
{
    switch (error) {
    case QGeoPositionInfoSource::AccessError:
        return {LocationManager::kErrorDenied,
                QStringLiteral("Location access was refused (location error 1).")};
    case QGeoPositionInfoSource::ClosedError:
        return {LocationManager::kErrorLocationUnknown,
                QStringLiteral("The GeoClue location service closed.")};
    case QGeoPositionInfoSource::UpdateTimeoutError:
        return {LocationManager::kErrorLocationUnknown,
                QStringLiteral("GeoClue has no position yet.")};
    case QGeoPositionInfoSource::NoError:
    case QGeoPositionInfoSource::UnknownSourceError:
        break;
    }
    return {LocationManager::kErrorLocationUnknown,
            QStringLiteral("The GeoClue location service failed.")};
}

void GeoClueSource::start()
{
    if (m_running)
        return;
    m_running = true;
    if (!m_source) {
        QVariantMap parameters;
        const QString desktopId = QGuiApplication::desktopFileName();
        parameters.insert(QStringLiteral("desktopId"),
                          desktopId.isEmpty() ? QString::fromLatin1(kDesktopId) : desktopId);
        m_source =
            QGeoPositionInfoSource::createSource(QLatin1String(kPluginName), parameters, this);
        if (!m_source) {
            // Reported from the event loop, so that a delegate set after
            // start() hears it.
            QTimer::singleShot(0, this, [this] {
                if (m_running)
                    emit failed({LocationManager::kErrorLocationUnknown,
                                 QStringLiteral("Qt's GeoClue plugin is not installed.")});
            });
            return;
        }
        m_source->setPreferredPositioningMethods(
            QGeoPositionInfoSource::SatellitePositioningMethods);
        connect(m_source, &QGeoPositionInfoSource::positionUpdated, this,
                [this](const QGeoPositionInfo& info) {
                    if (!info.isValid() || !info.coordinate().isValid())
                        return;
                    emit fixesReceived({fixFromPosition(info)});
                });
        connect(m_source, &QGeoPositionInfoSource::errorOccurred, this,
                [this](QGeoPositionInfoSource::Error error) {
                    if (m_running && error != QGeoPositionInfoSource::NoError)
                        emit failed(errorFor(error));
                });
    }
    // The plugin may report a failure inside startUpdates(); deferred for the
    // same reason.
    QTimer::singleShot(0, this, [this] {
        if (m_running && m_source)
            m_source->startUpdates();
    });
}

void GeoClueSource::stop()
{
    m_running = false;
    if (m_source)
        m_source->stopUpdates();
}
