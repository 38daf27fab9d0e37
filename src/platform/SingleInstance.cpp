#include "SingleInstance.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace {
QString runtimeDir()
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return dir.isEmpty() ? QDir::tempPath() : dir;
}
constexpr int kAnswerMs = 2000;
} // namespace

SingleInstance::SingleInstance(const QString& id, QObject* parent)
    : QObject(parent),
      m_lockPath(runtimeDir() + QLatin1Char('/') + id + QStringLiteral(".lock")),
      m_socketPath(runtimeDir() + QLatin1Char('/') + id + QStringLiteral(".socket")),
      m_lock(m_lockPath)
{
    // A lock is stale only when its process is gone, however old it is: a
    // drive lasts hours.
    m_lock.setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

SingleInstance::Acquired SingleInstance::acquire()
{
    if (!m_lock.tryLock(0)) {
        // Only a lock that names a live process is another copy; a folder
        // that refuses the file, or a lock file that cannot be read, is not.
        switch (m_lock.error()) {
        case QLockFile::LockFailedError:
            if (runningPid() > 0)
                return Acquired::OtherRuns;
            m_failure = QFileInfo(m_lockPath).isDir()
                            ? QStringLiteral("a folder stands at %1").arg(m_lockPath)
                            : QStringLiteral("%1 exists but names no process").arg(m_lockPath);
            break;
        case QLockFile::PermissionError:
            m_failure = QStringLiteral("%1 cannot be created: its folder is read-only or not ours")
                            .arg(m_lockPath);
            break;
        default:
            m_failure = QStringLiteral("%1 cannot be created").arg(m_lockPath);
            break;
        }
        return Acquired::Unavailable;
    }
    m_server = std::make_unique<QLocalServer>();
    QLocalServer::removeServer(m_socketPath); // left behind by a killed instance
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (m_server->listen(m_socketPath)) {
        connect(m_server.get(), &QLocalServer::newConnection, this, [this] {
            while (QLocalSocket* peer = m_server->nextPendingConnection()) {
                connect(peer, &QLocalSocket::readyRead, peer, [this, peer] {
                    if (peer->readAll().startsWith("raise") && m_raise)
                        m_raise();
                    peer->write("ok\n");
                    peer->disconnectFromServer();
                });
                connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
            }
        });
    }
    return Acquired::Yes;
}

qint64 SingleInstance::runningPid() const
{
    qint64 pid = 0;
    return m_lock.getLockInfo(&pid, nullptr, nullptr) ? pid : 0;
}

bool SingleInstance::raiseRunning()
{
    QLocalSocket socket;
    socket.connectToServer(m_socketPath);
    if (!socket.waitForConnected(kAnswerMs))
        return false;
    socket.write("raise\n");
    socket.flush();
    return socket.waitForReadyRead(kAnswerMs) && socket.readAll().startsWith("ok");
}
