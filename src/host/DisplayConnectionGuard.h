#pragma once

// Held while the application object connects to the display: a display that
// is named but cannot be reached (an X server gone, a wrong DISPLAY) ends
// the program with one line on standard error and exit status 1, in place of
// Qt's abort. The platform's own warnings of that moment are held back and
// given afterwards when the connection succeeds.
class DisplayConnectionGuard
{
public:
    DisplayConnectionGuard();
    ~DisplayConnectionGuard();

    DisplayConnectionGuard(const DisplayConnectionGuard &) = delete;
    DisplayConnectionGuard &operator=(const DisplayConnectionGuard &) = delete;
};
