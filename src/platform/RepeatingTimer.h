#pragma once

#include <functional>

// A repeating timer on the main run loop, one per animation effect.
//
// Timers of one interval share a beat: one that starts while another of its
// interval runs takes that one's phase, its first tick between half and one
// and a half intervals away, and every tick after one interval. Two effects
// at once then cost one wake-up and one painted frame a step, not two.
class RepeatingTimer {
public:
    RepeatingTimer() = default;
    ~RepeatingTimer();
    RepeatingTimer(const RepeatingTimer&) = delete;
    RepeatingTimer& operator=(const RepeatingTimer&) = delete;

    // Does nothing while the timer runs.
    void start(double intervalSeconds, std::function<void()> tick);
    // Answers whether a timer was running.
    bool stop();
    bool isRunning() const { return m_beatMs != 0; }
    double interval() const { return m_interval; }

private:
    friend class RepeatingTimerBeat;

    std::function<void()> m_tick;
    double m_interval = 0;
    int m_beatMs = 0;              // the beat it ticks with; 0 when stopped
    unsigned long long m_turn = 0; // which start() the beat's entry belongs to
    bool m_skipFirstBeat = false;
};
