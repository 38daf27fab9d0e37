#pragma once

#include "LocationSource.h"

#include <QElapsedTimer>
#include <QTimer>
#include <functional>
#include <optional>

// Replays a recorded drive (an NMEA log, the bundled demo) at its recorded
// pace: each fix is delivered as long after the previous one as the receiver
// recorded, divided by the replay speed. Emits ended() after the last fix.
class NmeaReplaySource : public LocationSource {
    Q_OBJECT
public:
    // A pause in a log longer than this is a splice of two recordings, not a
    // drive; the replay skips ahead.
    static constexpr qint64 kMaxGapMs = 60'000;
    // Fixes delivered in one event-loop turn at most, however many are due.
    static constexpr int kMaxPerTurn = 64;

    // The fixes in order, one a call, none at the end; asked for only as
    // they come due, so a long log is read as it plays.
    using FixSupplier = std::function<std::optional<Fix>()>;

    NmeaReplaySource(FixSupplier fixes, double replaySpeed, QString description,
                     QObject* parent = nullptr);
    NmeaReplaySource(QList<Fix> fixes, double replaySpeed, QString description,
                     QObject* parent = nullptr);

    // Delivery starts from the event loop, never inside start(), so the
    // caller can finish wiring up first. stop() pauses; start() resumes.
    void start() override;
    void stop() override;
    QString description() const override { return m_description; }
    double timeScale() const override { return m_timeScale; }

    // When each fix is due, in ms after the replay starts: the recorded gaps
    // (a clock going backwards counts as none, a gap is at most kMaxGapMs)
    // divided by replaySpeed.
    static QList<qint64> schedule(const QList<Fix>& fixes, double replaySpeed);

private:
    // The schedule, one fix at a time; summed in double so that rounding
    // does not drift over a long log.
    struct Pace {
        double speed = 1.0;
        double recorded = 0.0;
        QDateTime last;
        qint64 dueOf(const QDateTime& timestamp);
    };

    void deliverDue();
    void takeNext();
    qint64 position() const;

    FixSupplier m_supply;
    Pace m_pace;
    std::optional<Fix> m_next;
    qint64 m_nextDue = 0;
    QString m_description;
    double m_timeScale = 1.0;
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_resumeAt = 0; // replay position when the clock was started
    bool m_running = false;
    bool m_ended = false;
};
