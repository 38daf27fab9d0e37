#pragma once

#include <QDateTime>
#include <QString>
#include <memory>

class QSettings;

// The app's one preferences file, $XDG_CONFIG_HOME/Zentrik/KorvaneVandel.conf.
// INI stores everything as text, so each getter parses strictly: a value that
// does not read as the requested type yields the caller's default.
class Preferences {
public:
    static Preferences& shared();

    int getInt(const QString& key, int defaultValue);
    bool getBool(const QString& key, bool defaultValue);
    double getDouble(const QString& key, double defaultValue);
    QString getString(const QString& key, const QString& defaultValue = {});
    QDateTime getDate(const QString& key, const QDateTime& defaultValue = {});
    bool contains(const QString& key);

    void setInt(const QString& key, int value);
    void setBool(const QString& key, bool value);
    void setDouble(const QString& key, double value);
    void setString(const QString& key, const QString& value);
    void setDate(const QString& key, const QDateTime& value);
    void remove(const QString& key);

    // Flushes pending writes and picks up what another process wrote. A
    // write that fails, or that would go through a link to something other
    // than a regular file, is said once on stderr and remembered: the values
    // stay in memory and the next synchronisation writes all of them again.
    // So does one after the file or its folder vanished.
    void synchronize();
    // While one lives, synchronize() waits: the writes asked for meanwhile
    // are made at once when the outermost ends. For steps that change
    // several keys together (each write locks, flushes and renames a file).
    class Batch {
    public:
        Batch();
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;
    };
    // Why the last write did not reach the file; empty when it did.
    QString writeError() const { return m_writeError; }

    static QString filePath();
    // Drops the in-memory state so the next access reads the file as a new
    // process would (tests only).
    void reload();

private:
    Preferences();
    ~Preferences();
    QSettings& settings();
    QVariant raw(const QString& key);
    void rewriteWhole();
    void writeFailed(const QString& reason);

    std::unique_ptr<QSettings> m_settings;
    QString m_settingsPath;
    QString m_writeError;
    bool m_rewrite = false; // the file may lack what memory holds
    bool m_fileSeen = false;
    int m_batches = 0;
    bool m_batchWrites = false;
};
