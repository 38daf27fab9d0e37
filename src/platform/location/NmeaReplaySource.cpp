#include "NmeaReplaySource.h"

#include <algorithm>
#include <climits>
#include <cmath>

NmeaReplaySource::NmeaReplaySource(QList<Fix> fixes, double replaySpeed, QString description,
                                   QObject* parent)
    : LocationSource(parent), m_fixes(std::move(fixes)), m_due(schedule(m_fixes, replaySpeed)),
      m_description(std::move(description)),
      m_timeScale(replaySpeed > 0.0 && std::isfinite(replaySpeed) ? replaySpeed : 1.0)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &NmeaReplaySource::deliverDue);
}

QList<qint64> NmeaReplaySource::schedule(const QList<Fix>& fixes, double replaySpeed)
{
    if (!(replaySpeed > 0.0) || !std::isfinite(replaySpeed))
        replaySpeed = 1.0;
    QList<qint64> due;
    due.reserve(fixes.size());
    // Summed in double so that rounding does not drift over a long log.
    double recorded = 0.0;
    for (qsizetype i = 0; i < fixes.size(); ++i) {
        if (i > 0) {
            const qint64 gap = fixes[i - 1].timestamp.msecsTo(fixes[i].timestamp);
            recorded += double(std::clamp<qint64>(gap, 0, kMaxGapMs));
        }
        due.append(qint64(std::llround(std::min(recorded / replaySpeed, 9.0e15))));
    }
    return due;
}

void NmeaReplaySource::start()
{
    if (m_running || m_ended)
        return;
    m_running = true;
    m_clock.start();
    m_timer.start(0);
}

void NmeaReplaySource::stop()
{
    if (!m_running)
        return;
    m_resumeAt = position();
    m_running = false;
    m_timer.stop();
}

qint64 NmeaReplaySource::position() const
{
    return m_resumeAt + m_clock.elapsed();
}

void NmeaReplaySource::deliverDue()
{
    const qint64 now = position();
    // Everything already due goes out now, one epoch per signal, so a fast
    // replay keeps the order and never drops an epoch.
    while (m_running && m_next < m_fixes.size() && m_due[m_next] <= now)
        emit fixesReceived({m_fixes[m_next++]});
    if (!m_running)
        return;
    if (m_next < m_fixes.size()) {
        m_timer.start(int(std::min<qint64>(m_due[m_next] - now, INT_MAX)));
        return;
    }
    m_running = false;
    m_ended = true;
    emit ended();
}
