#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

// Points XDG_CONFIG_HOME and XDG_CACHE_HOME at a fresh temporary folder for
// the lifetime of the object, so tests never see the user's files.
class TestEnvironment {
public:
    TestEnvironment();
    ~TestEnvironment();
    QString path() const { return m_dir.path(); }
    QString configHome() const { return m_dir.path() + QStringLiteral("/config"); }
    QString cacheHome() const { return m_dir.path() + QStringLiteral("/cache"); }
    QString settingsFile() const { return configHome() + QStringLiteral("/Zentrik/KorvaneVandel.conf"); }
    // For a child process of the app: this environment's folders, the
    // offscreen platform, no display, and a runtime folder of its own.
    QProcessEnvironment appEnvironment() const;

    // Registers a desktop handler for these URL schemes (mimeapps.list in
    // this environment's config folder) that appends each URL it is given,
    // one a line, to openedFile(). Returns the XDG_DATA_HOME it lives in.
    QString registerRecordingHandler(const QStringList& schemes) const;
    QString openedFile() const { return m_dir.path() + QStringLiteral("/opened.txt"); }

    // Path of a file in the source tree (test data, shared logs).
    static QString sourcePath(const QString& relative);
    // Path of a built file (the korvane binary, …).
    static QString binaryPath(const QString& relative);

private:
    QTemporaryDir m_dir;
    QByteArray m_oldConfig, m_oldCache;
};
