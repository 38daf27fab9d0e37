#include "GpsdSource.h"

#include "Clock.h"
#include "GpsdReport.h"
#include "LocationManager.h"

#include <cmath>

namespace {
// A report line is a few hundred bytes (SKY with many satellites a few
// kilobytes); more than this without a newline is not gpsd.
constexpr qint64 kMaxLine = 256 * 1024;
} // namespace

GpsdSource::GpsdSource(QString host, quint16 port, QObject* parent)
    : LocationSource(parent), m_host(std::move(host)), m_port(port)
{
    m_retry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, &GpsdSource::connectNow);
    // A connection counts as working once gpsd has said something (the
    // back-off and the outage report reset in readLines): a peer that takes
    // the connection and drops it keeps backing off.
    connect(&m_socket, &QTcpSocket::connected, this, [this] {
        m_socket.write(R"(?WATCH={"enable":true,"json":true})"
                       "\n");
    });
    connect(&m_socket, &QTcpSocket::readyRead, this, &GpsdSource::readLines);
    connect(&m_socket, &QTcpSocket::errorOccurred, this, &GpsdSource::lost);
    connect(&m_socket, &QTcpSocket::disconnected, this, &GpsdSource::lost);
}

GpsdSource::~GpsdSource()
{
    // The socket signals as it closes; nothing may be handled by then.
    m_running = false;
    m_socket.disconnect(this);
}

QString GpsdSource::description() const
{
    return QStringLiteral("gpsd %1:%2").arg(m_host).arg(m_port);
}

void GpsdSource::start()
{
    if (m_running)
        return;
    m_running = true;
    m_backoff.reset();
    // From the event loop, so that a failure reaches a delegate set after
    // start().
    m_retry.start(0);
}

void GpsdSource::stop()
{
    m_running = false;
    m_retry.stop();
    m_socket.abort();
}

void GpsdSource::connectNow()
{
    if (!m_running)
        return;
    m_socket.abort();
    ++m_attempts;
    m_socket.connectToHost(m_host, m_port);
}

void GpsdSource::lost()
{
    if (!m_running || m_retry.isActive())
        return; // stopped, or this outage is handled already
    // Armed first: abort() below and the failure's receivers may re-enter.
    m_retry.start(m_backoff.next());
    QString text = QStringLiteral("gpsd at %1:%2 is not answering").arg(m_host).arg(m_port);
    const QString reason = m_socket.errorString();
    // "error 1" would read as refused access.
    if (!reason.isEmpty() && !reason.contains(QLatin1String("error 1")))
        text += QStringLiteral(" (%1)").arg(reason);
    m_socket.abort();
    if (!m_outageReported) {
        m_outageReported = true;
        emit failed({LocationManager::kErrorLocationUnknown, text + QStringLiteral("; retrying.")});
    }
}

void GpsdSource::readLines()
{
    QList<Fix> fixes;
    while (m_socket.canReadLine()) {
        // The whole line is buffered (at most kMaxLine, see below); a limit
        // here would allocate that much for every line.
        const QByteArray line = m_socket.readLine();
        GpsdReport::Line report = GpsdReport::readLine(line);
        if (report.fromGpsd) {
            m_backoff.reset();
            m_outageReported = false;
        }
        std::optional<Fix>& fix = report.fix;
        if (!fix)
            continue;
        const bool timed = fix->timestamp.isValid();
        // gpsd may report an epoch more than once while it learns the
        // receiver's cycle; the first report is the fix.
        if (timed && fix->timestamp == m_lastTime)
            continue;
        if (timed)
            m_lastTime = fix->timestamp;
        else
            fix->timestamp = Clock::now();
        fixes.append(*fix);
    }
    if (m_socket.bytesAvailable() > kMaxLine) {
        m_socket.abort(); // not gpsd; the back-off takes over
        return;
    }
    if (!fixes.isEmpty())
        emit fixesReceived(fixes);
}

std::optional<Fix> GpsdSource::fixFromReport(const QJsonObject& report)
{
    return GpsdReport::fix(report);
}

bool GpsdSource::probe(const QString& host, quint16 port, int timeoutMs, QString* errorMessage)
{
    QTcpSocket socket;
    socket.connectToHost(host, port);
    if (socket.waitForConnected(timeoutMs)) {
        socket.abort();
        return true;
    }
    if (errorMessage)
        *errorMessage = QStringLiteral("cannot reach gpsd at %1:%2: %3")
                            .arg(host)
                            .arg(port)
                            .arg(socket.error() == QAbstractSocket::SocketTimeoutError
                                     ? QStringLiteral("no answer")
                                     : socket.errorString());
    return false;
}
