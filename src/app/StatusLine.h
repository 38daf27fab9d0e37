#pragma once

#include <QTimer>
#include <functional>

// The terminal read-out of a run without a display: speed in the current
// unit, accuracy and trip, every few seconds and once more at the end.
class StatusLine : public QObject {
    Q_OBJECT
public:
    struct Reading {
        float speedMetersPerSecond = 0;
        float accuracyMeters = -1;
    };
    explicit StatusLine(std::function<Reading()> read, QObject* parent = nullptr);
    void start();
    void print();

    static QString format(const Reading& reading, int unit, double tripMeters);

private:
    std::function<Reading()> m_read;
    QTimer m_timer;
};
