#pragma once

#include <QDateTime>

// The current time for every time-based rule; tests set it instead of waiting.
class Clock {
public:
    static QDateTime now();
    static void set(const QDateTime& fixed);
    static void advance(qint64 seconds);
    static void reset();
};
