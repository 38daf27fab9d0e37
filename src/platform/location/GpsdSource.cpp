#include "GpsdSource.h"

#include "Clock.h"
#include "GpsdReport.h"
#include "LocationManager.h"
#include "RepeatingTimer.h"

#include <QPointer>
#include <QSignalBlocker>
#include <QSocketNotifier>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

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
        takeOver();
    });
    connect(&m_socket, &QTcpSocket::readyRead, this, [this] {
        m_lines += m_socket.readAll();
        readLines();
    });
    connect(&m_socket, &QTcpSocket::errorOccurred, this, [this] { lost(m_socket.errorString()); });
    connect(&m_socket, &QTcpSocket::disconnected, this, [this] { lost(m_socket.errorString()); });
}

GpsdSource::~GpsdSource()
{
    // The socket signals as it closes; nothing may be handled by then.
    m_running = false;
    m_socket.disconnect(this);
    closeReader();
}

void GpsdSource::takeOver()
{
    // The connection is read here, not by the socket, so that while an
    // animation runs its reads wait for the animation's wake-up instead of
    // waking the loop between frames (a 10 Hz receiver: ten wake-ups a
    // second fewer). The socket keeps connecting, and reading should the
    // descriptor not be had.
    if (!m_socket.flush() && m_socket.bytesToWrite() > 0)
        return;
    const int fd = ::fcntl(int(m_socket.socketDescriptor()), F_DUPFD_CLOEXEC, 0);
    if (fd < 0)
        return;
    m_lines += m_socket.readAll();
    {
        const QSignalBlocker quiet(m_socket);
        m_socket.abort();
    }
    m_fd = fd;
    m_reader = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    connect(m_reader.get(), &QSocketNotifier::activated, this, &GpsdSource::readNow);
}

void GpsdSource::closeReader()
{
    ++m_connection;
    m_reader.reset();
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_lines.clear();
}

void GpsdSource::readNow()
{
    char buffer[16384];
    for (;;) {
        const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
        if (n > 0) {
            m_lines.append(buffer, qsizetype(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            break;
        const QString reason = n == 0 ? QStringLiteral("The remote host closed the connection")
                                      : QString::fromLocal8Bit(std::strerror(errno));
        closeReader(); // an ended connection stays readable
        lost(reason);
        return;
    }
    const int connection = m_connection;
    readLines();
    if (connection != m_connection || !m_reader)
        return; // the lines ended the connection
    const QPointer<GpsdSource> self(this);
    const bool waits = RepeatingTimer::atNextBeat([self, connection] {
        if (self && self->m_connection == connection && self->m_reader)
            self->readNow();
    });
    m_reader->setEnabled(!waits);
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
    closeReader();
}

void GpsdSource::connectNow()
{
    if (!m_running)
        return;
    m_socket.abort();
    closeReader();
    ++m_attempts;
    m_socket.connectToHost(m_host, m_port);
}

void GpsdSource::lost(const QString& reason)
{
    if (!m_running || m_retry.isActive())
        return; // stopped, or this outage is handled already
    // Armed first: abort() below and the failure's receivers may re-enter.
    m_retry.start(m_backoff.next());
    QString text = QStringLiteral("gpsd at %1:%2 is not answering").arg(m_host).arg(m_port);
    // "error 1" would read as refused access.
    if (!reason.isEmpty() && !reason.contains(QLatin1String("error 1")))
        text += QStringLiteral(" (%1)").arg(reason);
    m_socket.abort();
    closeReader();
    if (!m_outageReported) {
        m_outageReported = true;
        emit failed({LocationManager::kErrorLocationUnknown, text + QStringLiteral("; retrying.")});
    }
}

void GpsdSource::readLines()
{
    QList<Fix> fixes;
    qsizetype start = 0;
    for (qsizetype end; (end = m_lines.indexOf('\n', start)) >= 0; start = end + 1) {
        const QByteArray line = m_lines.sliced(start, end + 1 - start);
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
    m_lines.remove(0, start);
    if (m_lines.size() > kMaxLine) {
        lost(QStringLiteral("a line longer than gpsd writes")); // not gpsd; the back-off takes over
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
