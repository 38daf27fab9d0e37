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

    // settingsError: why the settings last failed to reach their file, if so.
    static QString format(const Reading& reading, int unit, double tripMeters,
                          const QString& settingsError = {});

private:
    std::function<Reading()> m_read;
    QTimer m_timer;
};
