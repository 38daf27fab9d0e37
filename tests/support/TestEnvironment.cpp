#include "TestEnvironment.h"

#include <QDir>

TestEnvironment::TestEnvironment()
    : m_oldConfig(qgetenv("XDG_CONFIG_HOME")), m_oldCache(qgetenv("XDG_CACHE_HOME"))
{
    QDir().mkpath(configHome());
    QDir().mkpath(cacheHome());
    qputenv("XDG_CONFIG_HOME", configHome().toLocal8Bit());
    qputenv("XDG_CACHE_HOME", cacheHome().toLocal8Bit());
}

TestEnvironment::~TestEnvironment()
{
    qputenv("XDG_CONFIG_HOME", m_oldConfig);
    qputenv("XDG_CACHE_HOME", m_oldCache);
}

QString TestEnvironment::sourcePath(const QString& relative)
{
    return QString::fromLocal8Bit(qgetenv("KORVANE_SOURCE_DIR")) + u'/' + relative;
}

QString TestEnvironment::binaryPath(const QString& relative)
{
    return QString::fromLocal8Bit(qgetenv("KORVANE_BINARY_DIR")) + u'/' + relative;
}
