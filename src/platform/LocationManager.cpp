#include "LocationManager.h"

#include <cstdio>

#include <algorithm>
#include <limits>

namespace {
// A source time in wall-clock milliseconds, within what a timer holds.
int wallMs(int sourceMs, double timeScale)
{
    const double ms = timeScale > 0.0 ? sourceMs / timeScale : double(sourceMs);
    return int(std::clamp(ms, 1.0, double(std::numeric_limits<int>::max())));
}

LocationManager::SourceFactory& sourceFactory()
{
    static LocationManager::SourceFactory factory;
    return factory;
}
} // namespace

void LocationManager::setSourceFactory(SourceFactory factory)
{
    sourceFactory() = std::move(factory);
}

LocationManager::LocationManager(QObject* parent) : QObject(parent)
{
    qRegisterMetaType<Fix>();
    qRegisterMetaType<LocationError>();
    if (sourceFactory())
        m_source = sourceFactory()();
    if (!m_source)
        return;
    m_source->setParent(nullptr);
    connect(m_source.get(), &LocationSource::fixesReceived, this, &LocationManager::deliver);
    connect(m_source.get(), &LocationSource::failed, this, [this](const LocationError& error) {
        if (m_delegate)
            m_delegate->locationManager_didFailWithError(this, error);
        if (error.code != kErrorDenied)
            loseSource();
    });
    m_silence.setSingleShot(true);
    m_silence.setInterval(wallMs(kLostAfterMs, m_source->timeScale()));
    connect(&m_silence, &QTimer::timeout, this, &LocationManager::loseSource);
    m_firstFix.setSingleShot(true);
    m_firstFix.setInterval(wallMs(kNoFixNoteAfterMs, m_source->timeScale()));
    connect(&m_firstFix, &QTimer::timeout, this, [this] {
        // Said once; the source keeps running and a later fix is used.
        std::fprintf(stderr, "korvane: no position fix from %s within a minute; still waiting\n",
                     qPrintable(m_source->description()));
    });
    connect(m_source.get(), &LocationSource::ended, this, &LocationManager::updatesEnded);
}

LocationManager::~LocationManager() = default;

void LocationManager::startUpdatingLocation()
{
    if (m_updating)
        return;
    m_updating = true;
    if (m_source) {
        if (!m_location)
            m_firstFix.start();
        m_source->start();
    }
}

void LocationManager::stopUpdatingLocation()
{
    if (!m_updating)
        return;
    m_updating = false;
    m_silence.stop();
    m_firstFix.stop();
    if (m_source)
        m_source->stop();
}

void LocationManager::deliver(const QList<Fix>& received)
{
    if (!m_updating)
        return;
    QList<Fix> fixes;
    for (const Fix& fix : received)
        if (const std::optional<Fix> sane = Fix::sanitized(fix))
            fixes << *sane;
    if (fixes.isEmpty())
        return;
    m_location = fixes.last();
    m_lost = false;
    m_firstFix.stop();
    m_silence.start();
    if (m_delegate)
        m_delegate->locationManager_didUpdateLocations(this, fixes);
}

void LocationManager::loseSource()
{
    m_silence.stop();
    if (m_lost || !m_updating || !m_location)
        return;
    m_lost = true;
    if (m_delegate)
        m_delegate->locationManagerDidLoseSource(this);
}
