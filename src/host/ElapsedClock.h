#pragma once

// Measures how long a workflow took, in seconds of the time of day (Clock),
// as the log reports it.
class ElapsedClock
{
public:
    // Remembers the current time of day.
    void start();
    // Seconds since start(); a run across midnight still counts forward.
    double elapsed() const;

private:
    double m_start = 0.0;
};
