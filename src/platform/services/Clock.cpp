#include "platform/services/Clock.h"

namespace {
std::function<QDateTime()> &source()
{
    static std::function<QDateTime()> s;
    return s;
}
} // namespace

QDateTime Clock::now()
{
    return source() ? source()() : QDateTime::currentDateTime();
}

double Clock::secondsSinceMidnight()
{
    return now().time().msecsSinceStartOfDay() / 1000.0;
}

void Clock::setSource(std::function<QDateTime()> s)
{
    source() = std::move(s);
}
