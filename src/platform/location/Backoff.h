#pragma once

#include <algorithm>

// Delays between reconnection attempts: 1 s, doubling up to 30 s, back to
// the first once a connection works again.
class Backoff {
public:
    static constexpr int kFirstMs = 1000;
    static constexpr int kMaxMs = 30000;

    explicit Backoff(int firstMs = kFirstMs, int maxMs = kMaxMs)
        : m_first(firstMs), m_max(maxMs), m_delay(firstMs)
    {
    }

    // The delay before the next attempt; each call doubles the one after.
    int next()
    {
        const int delay = m_delay;
        m_delay = std::min(m_max, m_delay > m_max / 2 ? m_max : m_delay * 2);
        return delay;
    }
    void reset() { m_delay = m_first; }

private:
    int m_first;
    int m_max;
    int m_delay;
};
