#include "RepeatingTimer.h"

#include <QTimer>
#include <algorithm>
#include <cmath>
#include <map>
#include <utility>
#include <memory>
#include <vector>

namespace {
constexpr int kAnimationBeatMs = 100;

std::function<void()>& beforeTick()
{
    static std::function<void()> settle;
    return settle;
}
} // namespace

// One QTimer per interval, ticking the timers that run at that interval.
class RepeatingTimerBeat {
public:
    static std::map<int, std::unique_ptr<RepeatingTimerBeat>>& all()
    {
        static std::map<int, std::unique_ptr<RepeatingTimerBeat>> beats;
        return beats;
    }

    static RepeatingTimerBeat& of(int ms)
    {
        std::unique_ptr<RepeatingTimerBeat>& beat = all()[ms];
        if (!beat)
            beat.reset(new RepeatingTimerBeat(ms));
        return *beat;
    }

    bool isRunning() const { return m_timer.isActive(); }
    void addTask(std::function<void()> task) { m_tasks.push_back(std::move(task)); }

    void join(RepeatingTimer* timer)
    {
        static unsigned long long turns = 0;
        timer->m_turn = ++turns;
        timer->m_skipFirstBeat = false;
        if (m_timer.isActive()) {
            // A beat nearer than half an interval would make the first step
            // short; it waits for the one after.
            timer->m_skipFirstBeat = m_timer.remainingTime() * 2 < m_timer.interval();
        } else {
            m_timer.start();
        }
        m_members.push_back({timer, timer->m_turn});
    }

    void leave(RepeatingTimer* timer)
    {
        std::erase_if(m_members, [timer](const Member& m) { return m.timer == timer; });
        if (!m_members.empty())
            return;
        m_timer.stop();
        // Those waiting for a beat that will not come run from the loop.
        for (std::function<void()>& task : std::exchange(m_tasks, {}))
            QTimer::singleShot(0, std::move(task));
    }

private:
    struct Member {
        RepeatingTimer* timer;
        unsigned long long turn;
    };

    explicit RepeatingTimerBeat(int ms)
    {
        // Coarse timers may slip by 5 %, which makes 1/30 s animations stutter.
        m_timer.setTimerType(ms < kAnimationBeatMs ? Qt::PreciseTimer : Qt::CoarseTimer);
        m_timer.setInterval(ms);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { tick(); });
    }

    void tick()
    {
        // A tick may stop any timer, destroy it, or start one (with another
        // callback, which would destroy the one running): only those that
        // still run the turn they had when the beat came are ticked, each
        // with a copy of its callback.
        const std::vector<Member> due = m_members;
        for (const Member& m : due) {
            const bool current = std::any_of(m_members.begin(), m_members.end(), [&m](const Member& c) {
                return c.timer == m.timer && c.turn == m.turn;
            });
            if (!current)
                continue;
            if (m.timer->m_skipFirstBeat) {
                m.timer->m_skipFirstBeat = false;
                continue;
            }
            if (beforeTick())
                beforeTick()();
            if (const std::function<void()> callback = m.timer->m_tick)
                callback();
        }
        for (std::function<void()>& task : std::exchange(m_tasks, {}))
            task();
    }

    QTimer m_timer;
    std::vector<Member> m_members;
    std::vector<std::function<void()>> m_tasks;
};

void RepeatingTimer::setBeforeTick(std::function<void()> settle)
{
    beforeTick() = std::move(settle);
}

bool RepeatingTimer::atNextBeat(std::function<void()> task)
{
    // Beats are kept by interval, quickest first; slower ones than an
    // animation's would hold the task too long.
    for (auto& [ms, beat] : RepeatingTimerBeat::all())
        if (ms < kAnimationBeatMs && beat && beat->isRunning()) {
            beat->addTask(std::move(task));
            return true;
        }
    return false;
}

RepeatingTimer::~RepeatingTimer()
{
    stop();
}

void RepeatingTimer::start(double intervalSeconds, std::function<void()> tick)
{
    if (isRunning())
        return;
    m_interval = intervalSeconds;
    m_tick = std::move(tick);
    m_beatMs = std::max(1, int(std::lround(intervalSeconds * 1000.0)));
    RepeatingTimerBeat::of(m_beatMs).join(this);
}

bool RepeatingTimer::stop()
{
    if (!isRunning())
        return false;
    RepeatingTimerBeat::of(m_beatMs).leave(this);
    m_beatMs = 0;
    return true;
}
