#include "SchemeHandlers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace SchemeHandlers {
namespace {

// Lists the desktop keeps are small; anything larger is not one.
constexpr qint64 kMaxListBytes = 1 << 20;

QStringList pathList(const char* variable, const QString& fallback)
{
    const QString value = QFile::decodeName(qgetenv(variable));
    QStringList dirs;
    for (const QString& dir : (value.isEmpty() ? fallback : value).split(QLatin1Char(':')))
        if (QDir::isAbsolutePath(dir))
            dirs << QDir::cleanPath(dir);
    return dirs;
}

QString homeOr(const char* variable, const QString& below)
{
    const QString value = QFile::decodeName(qgetenv(variable));
    return QDir::isAbsolutePath(value) ? QDir::cleanPath(value) : QDir::homePath() + below;
}

QByteArray readSmall(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxListBytes)
        return {};
    return file.read(kMaxListBytes);
}

// The value of `key` in `group` of a desktop-style file (in any group when
// group is empty), trimmed; empty when it is not there.
QByteArray valueIn(const QByteArray& text, const QByteArray& group, const QByteArray& key)
{
    bool inGroup = group.isEmpty();
    for (QByteArray line : text.split('\n')) {
        line = line.trimmed();
        if (line.startsWith('[')) {
            inGroup = group.isEmpty() || line == '[' + group + ']';
            continue;
        }
        if (!inGroup || !line.startsWith(key))
            continue;
        const QByteArray rest = line.mid(key.size()).trimmed();
        if (rest.startsWith('='))
            return rest.mid(1).trimmed();
    }
    return {};
}

// The desktop file ids of "mime=a.desktop;b.desktop;".
QStringList entries(const QByteArray& text, const QByteArray& group, const QByteArray& mimeType)
{
    QStringList found;
    for (const QByteArray& id : valueIn(text, group, mimeType).split(';'))
        if (!id.trimmed().isEmpty())
            found << QString::fromUtf8(id.trimmed());
    return found;
}

QString findDesktopFile(const QString& id, const Folders& folders)
{
    if (!id.endsWith(QLatin1String(".desktop")) || id.contains(QLatin1Char('/')))
        return {};
    // "vendor-app.desktop" may also live as vendor/app.desktop.
    for (const QString& dir : folders.dataDirs) {
        const QString apps = dir + QStringLiteral("/applications/");
        if (QFileInfo(apps + id).isFile())
            return apps + id;
        for (qsizetype dash = id.indexOf(QLatin1Char('-')); dash >= 0;
             dash = id.indexOf(QLatin1Char('-'), dash + 1)) {
            QString candidate = id;
            candidate[dash] = QLatin1Char('/');
            if (QFileInfo(apps + candidate).isFile())
                return apps + candidate;
        }
    }
    return {};
}

// An entry counts when its file is there, is not hidden, and its program
// can be run: a removed application leaves its choice behind in the lists.
bool runnable(const QByteArray& text)
{
    if (text.isEmpty() || valueIn(text, "Desktop Entry", "Hidden") == "true")
        return false;
    QByteArray program = valueIn(text, "Desktop Entry", "TryExec");
    if (program.isEmpty()) {
        const QByteArray exec = valueIn(text, "Desktop Entry", "Exec");
        if (exec.startsWith('"'))
            program = exec.mid(1, exec.indexOf('"', 1) - 1);
        else
            program = exec.left(exec.indexOf(' '));
    }
    if (program.isEmpty())
        return false;
    const QString name = QFile::decodeName(program);
    if (QDir::isAbsolutePath(name))
        return QFileInfo(name).isExecutable() && QFileInfo(name).isFile();
    return !QStandardPaths::findExecutable(name).isEmpty();
}

QString firstRunnable(const QStringList& ids, const Folders& folders)
{
    for (const QString& id : ids)
        if (const QString path = findDesktopFile(id, folders); !path.isEmpty() && runnable(readSmall(path)))
            return id;
    return {};
}

QStringList listFiles(const QString& dir, const Folders& folders, const QString& name)
{
    QStringList files;
    for (const QString& desktop : folders.desktops)
        files << dir + QLatin1Char('/') + desktop + QLatin1Char('-') + name;
    files << dir + QLatin1Char('/') + name;
    return files;
}

} // namespace

Folders foldersFromEnvironment()
{
    Folders f;
    f.configDirs << homeOr("XDG_CONFIG_HOME", QStringLiteral("/.config"))
                 << pathList("XDG_CONFIG_DIRS", QStringLiteral("/etc/xdg"));
    f.dataDirs << homeOr("XDG_DATA_HOME", QStringLiteral("/.local/share"))
               << pathList("XDG_DATA_DIRS", QStringLiteral("/usr/local/share:/usr/share"));
    for (const QString& desktop : QString::fromUtf8(qgetenv("XDG_CURRENT_DESKTOP")).split(QLatin1Char(':')))
        if (!desktop.isEmpty())
            f.desktops << desktop.toLower();
    f.menuPrefix = QFile::decodeName(qgetenv("XDG_MENU_PREFIX"));
    return f;
}

QString defaultHandler(const QString& mimeType, const Folders& folders)
{
    const QByteArray mime = mimeType.toUtf8();
    QStringList lists;
    for (const QString& dir : folders.configDirs)
        lists << listFiles(dir, folders, QStringLiteral("mimeapps.list"));
    for (const QString& dir : folders.dataDirs)
        lists << listFiles(dir + QStringLiteral("/applications"), folders,
                           QStringLiteral("mimeapps.list"));
    // The user's and the system's explicit choices, the current desktop's first.
    QList<QByteArray> texts;
    for (const QString& list : std::as_const(lists))
        texts << readSmall(list);
    for (const QByteArray& text : std::as_const(texts))
        if (QString id = firstRunnable(entries(text, "Default Applications", mime), folders);
            !id.isEmpty())
            return id;
    for (const QByteArray& text : std::as_const(texts))
        if (QString id = firstRunnable(entries(text, "Added Associations", mime), folders);
            !id.isEmpty())
            return id;
    // What the installed applications declare, as their caches sum it up.
    QStringList prefixes{QString()};
    if (!folders.menuPrefix.isEmpty())
        prefixes.prepend(folders.menuPrefix);
    for (const QString& dir : folders.dataDirs)
        for (const QString& prefix : std::as_const(prefixes))
            for (const char* cache : {"defaults.list", "mimeinfo.cache"}) {
                const QString path = dir + QStringLiteral("/applications/") + prefix +
                                     QLatin1String(cache);
                if (QString id = firstRunnable(entries(readSmall(path), {}, mime), folders);
                    !id.isEmpty())
                    return id;
            }
    // A handler installed without a cache update.
    for (const QString& dir : folders.dataDirs) {
        QDir apps(dir + QStringLiteral("/applications"));
        for (const QString& name : apps.entryList({QStringLiteral("*.desktop")}, QDir::Files, QDir::Name)) {
            const QByteArray text = readSmall(apps.filePath(name));
            const QList<QByteArray> types = valueIn(text, "Desktop Entry", "MimeType").split(';');
            if (types.contains(mime) && runnable(text))
                return name;
        }
    }
    return {};
}

QString defaultHandler(const QString& scheme)
{
    return defaultHandler(QStringLiteral("x-scheme-handler/") + scheme, foldersFromEnvironment());
}

} // namespace SchemeHandlers
