#pragma once

#include "Backoff.h"
#include "LocationSource.h"
#include "NmeaParser.h"

#include <QTimer>
#include <memory>

class QSerialPort;
class QSocketNotifier;

// A receiver read live from a character device or FIFO. Terminals (serial
// ports, USB receivers, pseudo-terminals) go through QSerialPort at
// kBaudRate; anything QSerialPort cannot drive (the kernel's /dev/gnss*, a
// FIFO, a terminal that refuses line settings) is read as a plain stream.
// A device that goes away is reported once and reopened with back-off.
class NmeaSerialSource : public LocationSource {
    Q_OBJECT
public:
    // The rate of most current receivers; USB receivers ignore it.
    static constexpr int kBaudRate = 9600;
    // A receiver sends each epoch as one burst; this much silence ends it.
    static constexpr int kQuietMs = 300;

    explicit NmeaSerialSource(QString path, QObject* parent = nullptr);
    ~NmeaSerialSource() override;

    void start() override;
    void stop() override;
    QString description() const override;

    // The device is open and being read.
    bool isOpen() const { return m_port || m_notifier; }

    // Whether the device can be opened for reading now, else a one-line
    // reason.
    static bool canOpen(const QString& path, QString* errorMessage);
    // A path that names a live device rather than a log file.
    static bool isLiveDevice(const QString& path);

private:
    bool open(QString* reason);
    void close(bool deferred = true);
    void readBytes(QByteArrayView bytes);
    void readFromFd();
    void lost(const QString& reason);

    QString m_path;
    NmeaParser m_parser;
    std::unique_ptr<QSerialPort> m_port;
    std::unique_ptr<QSocketNotifier> m_notifier;
    int m_fd = -1;
    bool m_running = false;
    bool m_outageReported = false;
    Backoff m_backoff;
    QTimer m_retry;
    QTimer m_quiet;
};
