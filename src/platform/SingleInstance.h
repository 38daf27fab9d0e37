#pragma once

#include <QLockFile>
#include <QObject>
#include <functional>
#include <memory>

class QLocalServer;

// One running app per user: a lock in the runtime folder. A second launch
// finds the first one and asks it, over a local socket beside the lock, to
// show its window.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& id, QObject* parent = nullptr);
    ~SingleInstance() override;

    enum class Acquired {
        Yes,         // this process is the one instance; it keeps the lock for life
        OtherRuns,   // another copy holds the lock: runningPid()
        Unavailable, // the lock cannot be taken at all: failureReason()
    };
    Acquired acquire();
    // The running instance's process id (after OtherRuns).
    qint64 runningPid() const;
    // Why the lock could not be taken (after Unavailable).
    QString failureReason() const { return m_failure; }
    QString lockPath() const { return m_lockPath; }
    // Asks the running instance to show itself; true when it answered.
    bool raiseRunning();
    // Called in the running instance when another launch asks.
    void onRaiseRequest(std::function<void()> raise) { m_raise = std::move(raise); }

private:
    QString m_lockPath;
    QString m_socketPath;
    QString m_failure;
    QLockFile m_lock;
    std::unique_ptr<QLocalServer> m_server;
    std::function<void()> m_raise;
};
