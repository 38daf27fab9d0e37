#pragma once

#include "LocationSource.h"

#include <QElapsedTimer>
#include <QTimer>

// Replays a recorded drive (an NMEA log, the bundled demo) at its recorded
// pace: each fix is delivered as long after the previous one as the receiver
// recorded, divided by the replay speed. Emits ended() after the last fix.
class NmeaReplaySource : public LocationSource {
    Q_OBJECT
public:
    // A pause in a log longer than this is a splice of two recordings, not a
    // drive; the replay skips ahead.
    static constexpr qint64 kMaxGapMs = 60'000;

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
    void deliverDue();
    qint64 position() const;

    QList<Fix> m_fixes;
    QList<qint64> m_due;
    QString m_description;
    double m_timeScale = 1.0;
    qsizetype m_next = 0;
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_resumeAt = 0; // replay position when the clock was started
    bool m_running = false;
    bool m_ended = false;
};
