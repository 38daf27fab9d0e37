#pragma once

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>

class QFileSystemWatcher;
class QProcess;

// Which URL schemes the desktop has a handler for (mailto:, appstream:).
// Asking xdg-mime takes from a fifth of a second to its time-out, so it is
// asked in the background, at start and whenever the desktop's choices may
// have changed, and callers are answered from the last reply.
class SchemeHandlers : public QObject {
    Q_OBJECT
public:
    static SchemeHandlers& shared();

    // Asks again for every scheme in the background (the environment as it
    // is now: tests point XDG folders elsewhere and call this).
    void refresh();
    // From the last reply; a question still on its way is waited for (at
    // most its time-out), so the first answer after start is not a guess.
    bool hasHandler(const QString& scheme);

signals:
    void changed();

private:
    SchemeHandlers();
    void ask(const QString& scheme);
    void watchChoices();

    QHash<QString, bool> m_known;
    QHash<QString, QPointer<QProcess>> m_asking;
    QFileSystemWatcher* m_watcher = nullptr;
    QDateTime m_configListStamp; // of the config folder's mimeapps.list
};
