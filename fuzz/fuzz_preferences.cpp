// A settings file of arbitrary bytes, read through every getter: each gives
// a value of its type or the caller's default, and numbers stay finite.
#include "Preferences.h"
#include "SettingsText.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {
QTemporaryDir* scratch = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    scratch = new QTemporaryDir;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // A folder per input: QSettings keeps files it has read and trusts their
    // size and time, which two inputs in one millisecond may share.
    static quint64 run = 0;
    const QString home = scratch->path() + u'/' + QString::number(run++);
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home));
    const QString path = Preferences::filePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            std::abort();
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    Preferences& prefs = Preferences::shared();
    prefs.reload();
    QStringList keys = QSettings(path, SettingsText::format()).allKeys().mid(0, 32);
    keys << QStringLiteral("distanceTraveled_Meter") << QStringLiteral("RatePromptUseCount");
    for (const QString& key : keys) {
        prefs.contains(key);
        prefs.getInt(key, 7);
        prefs.getBool(key, true);
        if (!std::isfinite(prefs.getDouble(key, 0.5)))
            std::abort();
        prefs.getString(key, QStringLiteral("default"));
        const QDateTime date = prefs.getDate(key);
        if (date.isValid() && !date.toString(Qt::ISODateWithMs).size())
            std::abort();
    }
    prefs.reload();
    QDir(home).removeRecursively();
    return 0;
}
