#include "LocationManager.h"

namespace {
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
    });
    connect(m_source.get(), &LocationSource::ended, this, &LocationManager::updatesEnded);
}

LocationManager::~LocationManager() = default;

void LocationManager::startUpdatingLocation()
{
    if (m_updating)
        return;
    m_updating = true;
    if (m_source)
        m_source->start();
}

void LocationManager::stopUpdatingLocation()
{
    if (!m_updating)
        return;
    m_updating = false;
    if (m_source)
        m_source->stop();
}

void LocationManager::deliver(const QList<Fix>& fixes)
{
    if (!m_updating || fixes.isEmpty())
        return;
    m_location = fixes.last();
    if (m_delegate)
        m_delegate->locationManager_didUpdateLocations(this, fixes);
}
