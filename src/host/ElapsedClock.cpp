#include "host/ElapsedClock.h"

#include "platform/services/Clock.h"

void ElapsedClock::start()
{
    m_start = Clock::secondsSinceMidnight();
}

double ElapsedClock::elapsed() const
{
    double seconds = Clock::secondsSinceMidnight() - m_start;
    if (seconds < 0)
        seconds += 24.0 * 60.0 * 60.0;
    return seconds;
}
