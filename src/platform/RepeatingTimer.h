#pragma once

#include <QTimer>
#include <functional>

// A repeating timer on the main run loop, one per animation effect.
class RepeatingTimer {
public:
    RepeatingTimer();

    // Does nothing while the timer runs.
    void start(double intervalSeconds, std::function<void()> tick);
    // Answers whether a timer was running.
    bool stop();
    bool isRunning() const { return m_timer.isActive(); }
    double interval() const { return m_interval; }

private:
    QTimer m_timer;
    std::function<void()> m_tick;
    double m_interval = 0;
};
