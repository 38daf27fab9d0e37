#pragma once

#include <functional>

// A repeating timer on the main run loop, one per animation effect.
//
// Timers of one interval share a beat: one that starts while another of its
// interval runs takes that one's phase, its first tick between half and one
// and a half intervals away, and every tick after one interval. Two effects
// at once then cost one wake-up a step, not two.
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

    // Runs task once after the next tick of the quickest running beat
    // under 0.1 s (an animation's), and answers true; false, doing nothing,
    // when none runs. Work that
    // would wake the loop on its own (reading a socket) can wait for the
    // wake-up a running animation makes anyway. Should the beat stop first,
    // the task runs from the event loop.
    static bool atNextBeat(std::function<void()> task);

    // Runs before every tick: the window takes there what the effects before
    // changed, since one frame for all of them would repaint the box around
    // them all (a banner sliding at the top and a needle in the middle, or a
    // spinner at the bottom: most of the window). Beats of other intervals
    // often come in one wake-up too.
    static void setBeforeTick(std::function<void()> settle);

private:
    friend class RepeatingTimerBeat;

    std::function<void()> m_tick;
    double m_interval = 0;
    int m_beatMs = 0;              // the beat it ticks with; 0 when stopped
    unsigned long long m_turn = 0; // which start() the beat's entry belongs to
    bool m_skipFirstBeat = false;
};
