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

QString TestEnvironment::registerRecordingHandler(const QStringList& schemes) const
{
    const QString data = path() + QStringLiteral("/data");
    QDir().mkpath(data + QStringLiteral("/applications"));
    const QString script = path() + QStringLiteral("/recorder.sh");
    QFile s(script);
    if (!s.open(QIODevice::WriteOnly))
        return {};
    s.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$1\" >> '%1'\n").arg(openedFile()).toUtf8());
    s.close();
    s.setPermissions(s.permissions() | QFile::ExeOwner);
    QStringList mime, defaults;
    for (const QString& scheme : schemes) {
        mime << QStringLiteral("x-scheme-handler/") + scheme;
        defaults << QStringLiteral("x-scheme-handler/%1=test-recorder.desktop").arg(scheme);
    }
    QFile desktop(data + QStringLiteral("/applications/test-recorder.desktop"));
    if (!desktop.open(QIODevice::WriteOnly))
        return {};
    desktop.write(QStringLiteral("[Desktop Entry]\nType=Application\nName=Test recorder\n"
                                 "Exec=%1 %u\nMimeType=%2;\n")
                      .arg(script, mime.join(QLatin1Char(';')))
                      .toUtf8());
    desktop.close();
    QFile list(configHome() + QStringLiteral("/mimeapps.list"));
    if (!list.open(QIODevice::WriteOnly))
        return {};
    list.write(("[Default Applications]\n" + defaults.join(QLatin1Char('\n')) + "\n").toUtf8());
    return data;
}
