#include "GADCustomEventBanner.h"

#include <QHash>
#include <QMutex>

namespace {
// Registrations run during static initialisation, possibly before main().
struct Registry {
    QMutex mutex;
    QHash<QString, GADCustomEventRegistry::Factory> factories;
};
Registry& registry()
{
    static Registry r;
    return r;
}
} // namespace

bool GADCustomEventRegistry::registerClass(const QString& className, Factory factory)
{
    QMutexLocker lock(&registry().mutex);
    registry().factories.insert(className, std::move(factory));
    return true;
}

void GADCustomEventRegistry::unregisterClass(const QString& className)
{
    QMutexLocker lock(&registry().mutex);
    registry().factories.remove(className);
}

bool GADCustomEventRegistry::isRegistered(const QString& className)
{
    QMutexLocker lock(&registry().mutex);
    return registry().factories.contains(className);
}

std::unique_ptr<GADCustomEventBanner> GADCustomEventRegistry::create(const QString& className)
{
    Factory factory;
    {
        QMutexLocker lock(&registry().mutex);
        factory = registry().factories.value(className);
    }
    return factory ? factory() : nullptr;
}
