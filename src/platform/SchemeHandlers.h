#pragma once

#include <QString>
#include <QStringList>

// Which application the desktop opens a URL scheme with (mailto:,
// appstream:), found the way xdg-mime finds it: the mimeapps.list choices of
// the current desktop and then the general ones, the applications' own
// caches, and last any application that names the scheme. Read from the
// files each time (a handful of small files, well under a millisecond), so a
// choice made while the app runs counts at once and no process is started.
namespace SchemeHandlers {

// The desktop file id of the handler, or empty when there is none.
QString defaultHandler(const QString& scheme);
inline bool hasHandler(const QString& scheme) { return !defaultHandler(scheme).isEmpty(); }

// Where the lookup reads, from the XDG variables (with their defaults).
struct Folders {
    QStringList configDirs;  // config home first, then the system's
    QStringList dataDirs;    // data home first, then the system's
    QStringList desktops;    // XDG_CURRENT_DESKTOP, lower case
    QString menuPrefix;      // XDG_MENU_PREFIX
};
Folders foldersFromEnvironment();
QString defaultHandler(const QString& mimeType, const Folders& folders);

} // namespace SchemeHandlers
