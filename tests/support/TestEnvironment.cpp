#include "TestEnvironment.h"

#include <QDir>
#include <QFile>

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

QProcessEnvironment TestEnvironment::appEnvironment() const
{
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome());
    e.insert(QStringLiteral("XDG_CACHE_HOME"), cacheHome());
    e.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    e.remove(QStringLiteral("DISPLAY"));
    e.remove(QStringLiteral("WAYLAND_DISPLAY"));
    // Without a runtime dir Qt warns on stderr, which would blur checks of
    // what the app itself writes there.
    const QString runtime = path() + QStringLiteral("/runtime");
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                       QFileDevice::ExeOwner);
    e.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    return e;
}
