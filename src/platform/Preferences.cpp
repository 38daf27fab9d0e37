#include "Preferences.h"

#include "SettingsText.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <cmath>
#include <cstdio>
#include <sys/stat.h>

namespace {
// What stands in the way of writing the file, before trying: the file is
// replaced by a new one, which must not happen to a device node, a pipe or
// a folder, whether it sits at the path or a link leads there.
QString refusal(const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat link {};
    if (::lstat(native.constData(), &link) != 0)
        return {};
    struct stat target {};
    if (::stat(native.constData(), &target) != 0 || S_ISREG(target.st_mode))
        return {}; // a dangling link makes a new regular file
    if (S_ISLNK(link.st_mode))
        return QStringLiteral("it is a link to %1, which is not a regular file; writing "
                              "through it is refused")
            .arg(QFileInfo(path).canonicalFilePath());
    return S_ISDIR(target.st_mode) ? QStringLiteral("a folder stands in its place")
                                   : QStringLiteral("it is not a regular file");
}

// Why a write failed, as far as the file system tells.
QString failureReason(const QString& path)
{
    const QFileInfo file(path);
    const QFileInfo folder(file.absolutePath());
    if (!folder.exists())
        return QStringLiteral("its folder cannot be created");
    if (!folder.isDir())
        return QStringLiteral("%1 is not a folder").arg(folder.filePath());
    if (file.exists() && !file.isWritable())
        return QStringLiteral("the file is read-only");
    if (!folder.isWritable())
        return QStringLiteral("its folder is read-only");
    return QStringLiteral("the write failed (is the disk full?)");
}
} // namespace

Preferences& Preferences::shared()
{
    static Preferences instance;
    return instance;
}

Preferences::Preferences() = default;
Preferences::~Preferences() = default;

QString Preferences::filePath()
{
    // The path QSettings("Zentrik", "KorvaneVandel") uses natively on Linux,
    // computed per call so a changed XDG_CONFIG_HOME is honoured.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Zentrik/KorvaneVandel.conf");
}

QSettings& Preferences::settings()
{
    const QString path = filePath();
    if (!m_settings || m_settingsPath != path) {
        m_settingsPath = path;
        // Nothing is read from a device, a pipe or a folder: the values then
        // live in memory only, until the file can be written.
        m_settings = std::make_unique<QSettings>(refusal(path).isEmpty() ? path : QString(),
                                                 SettingsText::format());
    }
    return *m_settings;
}

void Preferences::reload()
{
    if (m_settings)
        m_settings->sync();
    m_settings.reset();
    m_writeError.clear();
    m_rewrite = m_fileSeen = false;
}

QVariant Preferences::raw(const QString& key)
{
    return settings().value(key);
}

bool Preferences::contains(const QString& key)
{
    return settings().contains(key);
}

int Preferences::getInt(const QString& key, int defaultValue)
{
    const QVariant v = raw(key);
    if (v.typeId() == QMetaType::Int)
        return v.toInt();
    if (v.typeId() != QMetaType::QString)
        return defaultValue;
    bool ok = false;
    const int value = v.toString().trimmed().toInt(&ok);
    return ok ? value : defaultValue;
}

bool Preferences::getBool(const QString& key, bool defaultValue)
{
    const QVariant v = raw(key);
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    if (v.typeId() != QMetaType::QString)
        return defaultValue;
    const QString s = v.toString().trimmed().toLower();
    if (s == u"true")
        return true;
    if (s == u"false")
        return false;
    // A number reads as a boolean too: non-zero is true.
    bool ok = false;
    const long long n = s.toLongLong(&ok);
    return ok ? n != 0 : defaultValue;
}

double Preferences::getDouble(const QString& key, double defaultValue)
{
    const QVariant v = raw(key);
    if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Int ||
        v.typeId() == QMetaType::LongLong)
        return v.toDouble();
    if (v.typeId() != QMetaType::QString)
        return defaultValue;
    bool ok = false;
    const double value = v.toString().trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? value : defaultValue;
}

QString Preferences::getString(const QString& key, const QString& defaultValue)
{
    const QVariant v = raw(key);
    return v.typeId() == QMetaType::QString ? v.toString() : defaultValue;
}

QDateTime Preferences::getDate(const QString& key, const QDateTime& defaultValue)
{
    const QVariant v = raw(key);
    QDateTime d;
    if (v.typeId() == QMetaType::QDateTime)
        d = v.toDateTime();
    else if (v.typeId() == QMetaType::QString)
        d = QDateTime::fromString(v.toString().trimmed(), Qt::ISODateWithMs);
    // Only what setDate could have written: a year outside ISO text's 0 to
    // 9999 would be lost at the next write.
    const int year = d.isValid() ? d.toUTC().date().year() : -1;
    return year >= 0 && year <= 9999 ? d : defaultValue;
}

void Preferences::setInt(const QString& key, int value)
{
    settings().setValue(key, value);
}

void Preferences::setBool(const QString& key, bool value)
{
    settings().setValue(key, value);
}

void Preferences::setDouble(const QString& key, double value)
{
    // Shortest round-trip text, so the value reads back bit for bit.
    settings().setValue(key, QString::number(value, 'g', 17));
}

void Preferences::setString(const QString& key, const QString& value)
{
    settings().setValue(key, value);
}

void Preferences::setDate(const QString& key, const QDateTime& value)
{
    settings().setValue(key, value.toUTC().toString(Qt::ISODateWithMs));
}

void Preferences::remove(const QString& key)
{
    settings().remove(key);
}

Preferences::Batch::Batch()
{
    ++shared().m_batches;
}

Preferences::Batch::~Batch()
{
    Preferences& prefs = shared();
    if (--prefs.m_batches == 0 && prefs.m_batchWrites) {
        prefs.m_batchWrites = false;
        prefs.synchronize();
    }
}

void Preferences::synchronize()
{
    if (m_batches > 0) {
        m_batchWrites = true;
        return;
    }
    const QString path = filePath();
    if (const QString why = refusal(path); !why.isEmpty()) {
        m_rewrite = true;
        writeFailed(why);
        return;
    }
    if (m_rewrite || (m_fileSeen && !QFileInfo::exists(path)))
        rewriteWhole();
    else
        settings().sync();
    // Only the write is judged: a damaged file reads as defaults.
    if (settings().status() == QSettings::AccessError) {
        m_rewrite = true;
        writeFailed(failureReason(path));
        return;
    }
    if (!m_writeError.isEmpty())
        std::fprintf(stderr, "korvane: settings written to %s again\n", qPrintable(path));
    m_writeError.clear();
    m_rewrite = false;
    m_fileSeen = QFileInfo::exists(path);
}

void Preferences::rewriteWhole()
{
    // A fresh object, as a failed one keeps reporting its failure; it gets
    // every value the old one held, so a vanished file comes back whole.
    QSettings& old = settings();
    QList<std::pair<QString, QVariant>> values;
    for (const QString& key : old.allKeys())
        values.append({key, old.value(key)});
    m_settingsPath = filePath();
    m_settings = std::make_unique<QSettings>(m_settingsPath, SettingsText::format());
    for (const auto& [key, value] : values)
        m_settings->setValue(key, value);
    m_settings->sync();
}

void Preferences::writeFailed(const QString& reason)
{
    if (m_writeError.isEmpty())
        std::fprintf(stderr,
                     "korvane: settings not written to %s: %s; they are kept in memory and "
                     "written at the next save\n",
                     qPrintable(filePath()), qPrintable(reason));
    m_writeError = reason;
}
