#pragma once

#include <QDateTime>
#include <QTime>
#include <functional>

// The time of day and the date as the program sees them. Tests set a fixed
// source so that time stamps in logs and caches are predictable.
class Clock
{
public:
    static QDateTime now();
    static QTime timeOfDay() { return now().time(); }
    // Seconds since midnight, as the reachability cache and the elapsed-time clock count.
    static double secondsSinceMidnight();

    static void setSource(std::function<QDateTime()> source); // empty: the system clock
};
