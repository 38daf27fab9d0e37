#include "SchemeHandlers.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

namespace {
constexpr int kQueryTimeoutMs = 2000;
const char* const kSchemes[] = {"mailto", "appstream"};
} // namespace

SchemeHandlers& SchemeHandlers::shared()
{
    static SchemeHandlers* handlers = new SchemeHandlers; // lives until exit
    return *handlers;
}

SchemeHandlers::SchemeHandlers()
{
    if (QCoreApplication::instance())
        moveToThread(QCoreApplication::instance()->thread());
}

void SchemeHandlers::refresh()
{
    watchChoices();
    for (const char* scheme : kSchemes)
        ask(QLatin1String(scheme));
}

void SchemeHandlers::ask(const QString& scheme)
{
    if (QProcess* previous = m_asking.value(scheme)) {
        previous->disconnect(this);
        previous->kill();
    }
    auto* query = new QProcess(this);
    m_asking.insert(scheme, query);
    auto answer = [this, scheme, query](bool has) {
        if (m_asking.value(scheme) != query)
            return;
        m_asking.remove(scheme);
        const bool was = m_known.value(scheme, false), knew = m_known.contains(scheme);
        m_known.insert(scheme, has);
        query->deleteLater();
        if (!knew || was != has)
            emit changed();
    };
    connect(query, &QProcess::finished, this, [query, answer](int code, QProcess::ExitStatus st) {
        answer(st == QProcess::NormalExit && code == 0 &&
               !query->readAllStandardOutput().trimmed().isEmpty());
    });
    connect(query, &QProcess::errorOccurred, this, [answer](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart)
            answer(false);
    });
    QTimer::singleShot(kQueryTimeoutMs, query, [query] { query->kill(); });
    query->start(QStringLiteral("xdg-mime"),
                 {QStringLiteral("query"), QStringLiteral("default"),
                  QStringLiteral("x-scheme-handler/") + scheme});
}

bool SchemeHandlers::hasHandler(const QString& scheme)
{
    if (!m_known.contains(scheme) && !m_asking.contains(scheme))
        ask(scheme);
    // The reply is read inside waitForFinished, which emits finished.
    if (QPointer<QProcess> query = m_asking.value(scheme); query && !query->waitForFinished(kQueryTimeoutMs))
        query->kill();
    return m_known.value(scheme, false);
}

// The desktop keeps its choices in mimeapps.list files and the handlers in
// applications folders; a change to either may change the answer.
void SchemeHandlers::watchChoices()
{
    if (m_watcher)
        delete m_watcher;
    m_watcher = new QFileSystemWatcher(this);
    QStringList paths{QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
                      QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation)};
    for (const QString& dir : std::as_const(paths)) {
        if (QDir(dir).exists())
            m_watcher->addPath(dir);
        const QString list = QDir(dir).filePath(QStringLiteral("mimeapps.list"));
        if (QFile::exists(list))
            m_watcher->addPath(list);
    }
    auto again = [this] {
        for (const char* scheme : kSchemes)
            ask(QLatin1String(scheme));
    };
    // The config folder changes for everything kept there (the app's own
    // settings folder, made at the first save, among them): only a changed
    // mimeapps.list is worth asking again, as xdg-mime is a dozen processes.
    const QString configList = QDir(paths.first()).filePath(QStringLiteral("mimeapps.list"));
    m_configListStamp = QFileInfo(configList).lastModified();
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this,
            [this, again, configDir = paths.first(), configList](const QString& dir) {
                if (dir == configDir) {
                    const QDateTime stamp = QFileInfo(configList).lastModified();
                    if (stamp == m_configListStamp)
                        return;
                    m_configListStamp = stamp;
                }
                again();
            });
    connect(m_watcher, &QFileSystemWatcher::fileChanged, this, again);
}
