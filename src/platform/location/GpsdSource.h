#pragma once

#include "Backoff.h"
#include "LocationSource.h"

#include <QJsonObject>
#include <QTcpSocket>
#include <QTimer>
#include <memory>
#include <optional>

class QSocketNotifier;

// Fixes from a gpsd daemon over its JSON protocol: TPV reports with a 2D or
// 3D fix become fixes. A connection that fails or drops is reported once per
// outage (code kErrorLocationUnknown) and retried with back-off, for as long
// as the source runs.
class GpsdSource : public LocationSource {
    Q_OBJECT
public:
    static constexpr quint16 kDefaultPort = 2947;

    GpsdSource(QString host, quint16 port, QObject* parent = nullptr);
    ~GpsdSource() override;

    void start() override;
    void stop() override;
    QString description() const override;

    // The fix a TPV report carries, if it has one: mode 2 or 3 and a finite
    // in-range position. Speed absent → -1; accuracy from eph, else from
    // epx/epy, else -1.
    static std::optional<Fix> fixFromReport(const QJsonObject& report);

    // Connects once, waiting at most timeoutMs, and tells whether gpsd
    // accepts connections there; otherwise a one-line reason.
    static bool probe(const QString& host, quint16 port, int timeoutMs, QString* errorMessage);

    // Attempts to connect so far (status output; tests).
    int connectionAttempts() const { return m_attempts; }
    // The wait before the pending reconnection (tests).
    int retryDelayMs() const { return m_retry.interval(); }
    // Replaces the 1 s … 30 s back-off (tests shorten it).
    void setRetryDelays(int firstMs, int maxMs) { m_backoff = Backoff(firstMs, maxMs); }

private:
    void connectNow();
    void takeOver();
    void closeReader();
    void readNow();
    void readLines();
    void lost(const QString& reason);

    QString m_host;
    quint16 m_port;
    QTcpSocket m_socket;
    std::unique_ptr<QSocketNotifier> m_reader; // reads m_fd once connected
    int m_fd = -1;
    int m_connection = 0;                      // which connection m_fd is
    QByteArray m_lines;                        // read, not yet a whole line
    QTimer m_retry;
    Backoff m_backoff;
    QDateTime m_lastTime; // time of the last fix delivered
    int m_attempts = 0;
    bool m_running = false;
    bool m_outageReported = false;
};
