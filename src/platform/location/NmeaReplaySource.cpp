#include "NmeaReplaySource.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <memory>

namespace {
double validSpeed(double replaySpeed)
{
    return replaySpeed > 0.0 && std::isfinite(replaySpeed) ? replaySpeed : 1.0;
}
} // namespace

qint64 NmeaReplaySource::Pace::dueOf(const QDateTime& timestamp)
{
    if (last.isValid())
        recorded += double(std::clamp<qint64>(last.msecsTo(timestamp), 0, kMaxGapMs));
    last = timestamp;
    return qint64(std::llround(std::min(recorded / speed, 9.0e15)));
}

NmeaReplaySource::NmeaReplaySource(FixSupplier fixes, double replaySpeed, QString description,
                                   QObject* parent)
    : LocationSource(parent), m_supply(std::move(fixes)), m_description(std::move(description)),
      m_timeScale(validSpeed(replaySpeed))
{
    m_pace.speed = m_timeScale;
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &NmeaReplaySource::deliverDue);
    takeNext();
}

NmeaReplaySource::NmeaReplaySource(QList<Fix> fixes, double replaySpeed, QString description,
                                   QObject* parent)
    : NmeaReplaySource(
          [list = std::make_shared<QList<Fix>>(std::move(fixes)),
           at = qsizetype(0)]() mutable -> std::optional<Fix> {
              if (at == list->size())
                  return std::nullopt;
              return list->at(at++);
          },
          replaySpeed, std::move(description), parent)
{
}

QList<qint64> NmeaReplaySource::schedule(const QList<Fix>& fixes, double replaySpeed)
{
    Pace pace;
    pace.speed = validSpeed(replaySpeed);
    QList<qint64> due;
    due.reserve(fixes.size());
    for (const Fix& fix : fixes)
        due.append(pace.dueOf(fix.timestamp));
    return due;
}

void NmeaReplaySource::takeNext()
{
    m_next = m_supply ? m_supply() : std::nullopt;
    if (m_next)
        m_nextDue = m_pace.dueOf(m_next->timestamp);
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
    // What is due goes out now, one epoch per signal, so a fast replay keeps
    // the order and never drops an epoch; a bounded number per turn, so the
    // event loop keeps turning.
    for (int sent = 0; m_running && m_next && m_nextDue <= now; ++sent) {
        if (sent == kMaxPerTurn) {
            m_timer.start(0);
            return;
        }
        const Fix fix = *m_next;
        takeNext();
        emit fixesReceived({fix});
    }
    if (!m_running)
        return;
    if (m_next) {
        m_timer.start(int(std::min<qint64>(m_nextDue - now, INT_MAX)));
        return;
    }
    m_running = false;
    m_ended = true;
    emit ended();
}
