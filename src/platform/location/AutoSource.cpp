#include "AutoSource.h"

#include "GeoClueSource.h"
#include "GpsdSource.h"
#include "LocationManager.h"

#include <QTimer>

AutoSource::Probes AutoSource::systemProbes()
{
    return {[] {
                return GpsdSource::probe(QStringLiteral("localhost"), GpsdSource::kDefaultPort,
                                         kProbeMs, nullptr);
            },
            [] { return GeoClueSource::pluginAvailable() && GeoClueSource::serviceAvailable(); }};
}

AutoSource::AutoSource(QObject* parent) : AutoSource(systemProbes(), parent) {}

AutoSource::AutoSource(Probes probes, QObject* parent)
    : LocationSource(parent), m_probes(std::move(probes))
{
}

AutoSource::~AutoSource() = default;

QString AutoSource::description() const
{
    if (m_chosen)
        return QStringLiteral("auto: ") + m_chosen->description();
    return m_decided ? QStringLiteral("auto: no location service") : QStringLiteral("auto");
}

void AutoSource::start()
{
    if (!m_decided) {
        m_decided = true;
        if (m_probes.gpsd && m_probes.gpsd())
            m_chosen =
                std::make_unique<GpsdSource>(QStringLiteral("localhost"), GpsdSource::kDefaultPort);
        else if (m_probes.geoClue && m_probes.geoClue())
            m_chosen = std::make_unique<GeoClueSource>();
        if (m_chosen) {
            connect(m_chosen.get(), &LocationSource::fixesReceived, this,
                    &LocationSource::fixesReceived);
            connect(m_chosen.get(), &LocationSource::failed, this, &LocationSource::failed);
            connect(m_chosen.get(), &LocationSource::ended, this, &LocationSource::ended);
        }
    }
    if (m_chosen) {
        m_chosen->start();
        return;
    }
    // From the event loop, so that a delegate set after start() hears it.
    QTimer::singleShot(0, this, [this] {
        emit failed({LocationManager::kErrorDenied,
                     QStringLiteral("No location service: neither gpsd on localhost nor GeoClue "
                                    "answers (location error 1).")});
    });
}

void AutoSource::stop()
{
    if (m_chosen)
        m_chosen->stop();
}
