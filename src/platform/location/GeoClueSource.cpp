#include "GeoClueSource.h"

#include "LocationManager.h"

#include <QDBusConnection>
#include <QDBusMessage>
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
    if (!bus.isConnected())
        return false;
    // The bus's own calls, with a short wait: a bus that does not answer
    // must not hold the start for the default 25 s.
    const auto ask = [&bus](const char* method, const QVariantList& args) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
            QStringLiteral("org.freedesktop.DBus"), QLatin1String(method));
        call.setArguments(args);
        const QDBusMessage reply = bus.call(call, QDBus::Block, kProbeMs);
        return reply.type() == QDBusMessage::ReplyMessage ? reply.arguments().value(0)
                                                          : QVariant();
    };
    const QString name = QLatin1String(kService);
    if (ask("NameHasOwner", {name}).toBool())
        return true;
    return ask("ListActivatableNames", {}).toStringList().contains(name);
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
    if (!m_source && !serviceAvailable()) {
        // Nobody to ask for the position: the same path as a refusal.
        QTimer::singleShot(0, this, [this] {
            if (m_running)
                emit failed({LocationManager::kErrorDenied,
                             QStringLiteral("The GeoClue location service does not answer "
                                            "(location error 1).")});
        });
        return;
    }
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
