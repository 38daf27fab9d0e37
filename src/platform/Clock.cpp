#include "Clock.h"

namespace {
QDateTime& fixedTime()
{
    static QDateTime t;
    return t;
}
} // namespace

QDateTime Clock::now()
{
    return fixedTime().isValid() ? fixedTime() : QDateTime::currentDateTimeUtc();
}

void Clock::set(const QDateTime& fixed)
{
    fixedTime() = fixed;
}

void Clock::advance(qint64 seconds)
{
    fixedTime() = now().addSecs(seconds);
}

void Clock::reset()
{
    fixedTime() = QDateTime();
}
