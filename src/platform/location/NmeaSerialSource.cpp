#include "NmeaSerialSource.h"

#include "LocationManager.h"

#include <QDateTime>
#include <QFileInfo>
#include <QSerialPort>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

NmeaSerialSource::NmeaSerialSource(QString path, QObject* parent)
    : LocationSource(parent), m_path(std::move(path))
{
    m_retry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, [this] {
        QString reason;
        if (m_running && !open(&reason))
            lost(reason);
    });
    m_quiet.setSingleShot(true);
    connect(&m_quiet, &QTimer::timeout, this, [this] {
        if (const QList<Fix> fixes = m_parser.flush(); !fixes.isEmpty())
            emit fixesReceived(fixes);
    });
}

NmeaSerialSource::~NmeaSerialSource()
{
    close(false);
}

QString NmeaSerialSource::description() const
{
    return QStringLiteral("NMEA receiver %1").arg(m_path);
}

bool NmeaSerialSource::isLiveDevice(const QString& path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return false;
    return S_ISCHR(st.st_mode) || S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode);
}

bool NmeaSerialSource::canOpen(const QString& path, QString* errorMessage)
{
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errorMessage)
            *errorMessage = QStringLiteral("cannot open NMEA device %1: %2")
                                .arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    ::close(fd);
    return true;
}

void NmeaSerialSource::start()
{
    if (m_running)
        return;
    m_running = true;
    // Receivers rarely name the date before their first RMC.
    m_parser.setFallbackDate(QDateTime::currentDateTimeUtc().date());
    m_backoff.reset();
    // Opened from the event loop, so that a failure reaches a delegate set
    // after start().
    m_retry.start(0);
}

void NmeaSerialSource::stop()
{
    m_running = false;
    m_retry.stop();
    m_quiet.stop();
    close();
}

bool NmeaSerialSource::open(QString* reason)
{
    close();
    const QByteArray name = QFile::encodeName(m_path);
    const int fd = ::open(name.constData(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        *reason = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    if (::isatty(fd)) {
        ::close(fd);
        auto port = std::make_unique<QSerialPort>(m_path);
        port->setBaudRate(kBaudRate);
        if (port->open(QIODevice::ReadOnly)) {
            connect(port.get(), &QSerialPort::readyRead, this,
                    [this] { readBytes(m_port->readAll()); });
            connect(port.get(), &QSerialPort::errorOccurred, this,
                    [this](QSerialPort::SerialPortError error) {
                        if (error == QSerialPort::ResourceError || error == QSerialPort::ReadError)
                            QTimer::singleShot(
                                0, this, [this, text = m_port->errorString()] { lost(text); });
                    });
            m_port = std::move(port);
            m_backoff.reset();
            m_outageReported = false;
            return true;
        }
        // A terminal that refuses QSerialPort's settings can still be read.
        const int again = ::open(name.constData(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (again < 0) {
            *reason = QString::fromLocal8Bit(std::strerror(errno));
            return false;
        }
        m_fd = again;
    } else {
        m_fd = fd;
    }
    m_notifier = std::make_unique<QSocketNotifier>(m_fd, QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &NmeaSerialSource::readFromFd);
    m_backoff.reset();
    m_outageReported = false;
    return true;
}

void NmeaSerialSource::close(bool deferred)
{
    // Closing may be asked for from inside the port's or notifier's own
    // signal (a receiver of our fixes stops us), so they are deleted later.
    auto dispose = [deferred](QObject* object) {
        if (deferred)
            object->deleteLater();
        else
            delete object;
    };
    if (m_port) {
        m_port->disconnect(this);
        m_port->close();
        dispose(m_port.release());
    }
    if (m_notifier) {
        m_notifier->setEnabled(false);
        m_notifier->disconnect(this);
        dispose(m_notifier.release());
    }
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

void NmeaSerialSource::readFromFd()
{
    char buffer[4096];
    // An endless source (a pipe that never stops, /dev/zero) must not keep
    // the event loop from timers and signals: read a bounded amount, and the
    // notifier calls again while more is waiting.
    constexpr int kReadsPerTurn = 16;
    for (int reads = 0; reads < kReadsPerTurn; ++reads) {
        const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
        if (n > 0) {
            readBytes(QByteArrayView(buffer, n));
            if (m_fd < 0)
                return;
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EINTR))
            return;
        // End of stream: the writer went away or the device was unplugged.
        lost(n == 0 ? QStringLiteral("end of stream")
                    : QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
}

void NmeaSerialSource::readBytes(QByteArrayView bytes)
{
    if (!m_running)
        return;
    m_quiet.start(kQuietMs);
    if (const QList<Fix> fixes = m_parser.feed(bytes); !fixes.isEmpty())
        emit fixesReceived(fixes);
}

void NmeaSerialSource::lost(const QString& reason)
{
    if (!m_port && !m_notifier && m_retry.isActive())
        return; // already handled this outage
    close();
    if (!m_running)
        return;
    if (const QList<Fix> fixes = m_parser.flush(); !fixes.isEmpty())
        emit fixesReceived(fixes);
    if (!m_outageReported) {
        m_outageReported = true;
        QString text = QStringLiteral("The NMEA receiver %1 is not available").arg(m_path);
        if (!reason.isEmpty())
            text += QStringLiteral(" (%1)").arg(reason);
        // "error 1" would read as refused access.
        if (text.contains(QLatin1String("error 1")))
            text = QStringLiteral("The NMEA receiver %1 is not available").arg(m_path);
        emit failed({LocationManager::kErrorLocationUnknown, text + QStringLiteral("; retrying.")});
    }
    if (m_running)
        m_retry.start(m_backoff.next());
}
