#include "RepeatingTimer.h"

#include <cmath>

RepeatingTimer::RepeatingTimer()
{
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        // A tick may stop the timer and start it with another callback, which
        // would destroy the one running; run a copy.
        if (const std::function<void()> tick = m_tick)
            tick();
    });
}

void RepeatingTimer::start(double intervalSeconds, std::function<void()> tick)
{
    if (m_timer.isActive())
        return;
    m_interval = intervalSeconds;
    m_tick = std::move(tick);
    const int ms = std::max(1, int(std::lround(intervalSeconds * 1000.0)));
    // Coarse timers may slip by 5 %, which makes 1/30 s animations stutter.
    m_timer.setTimerType(ms < 100 ? Qt::PreciseTimer : Qt::CoarseTimer);
    m_timer.start(ms);
}

bool RepeatingTimer::stop()
{
    const bool wasRunning = m_timer.isActive();
    m_timer.stop();
    return wasRunning;
}
