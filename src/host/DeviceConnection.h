#pragma once

#include <QString>

// Brings the plug-in from an LNS object name (or a LonMark object handed over
// by the director) to an open main window for one device, filling the LNS
// references of the session on the way. Every failure ends the program with
// its message.
class DeviceConnection
{
public:
    // Tab bits of the main window.
    enum TabBit {
        Configuration = 1,
        ObjectConfiguration = 2,
        Monitoring = 4,
        Controlling = 8,
        Calibration = 16
    };

    // connectMode: 0 local, 1 remote, 2 remote over the Internet.
    static void Start(const QString &objectName, int connectMode);
    // The director handed a LonMark object (session.lonMarkObject): no connect.
    static void StartFromLnsObject();

    // The tabs the main window hides for a command; entry 1 asks the
    // device (cached) whether monitoring and controlling make sense.
    static int OfferedTabsMask(int commandIndex);

private:
    static void stop();
    // Ends the start as for a device not found: the cause (when there is
    // one) logged, the connection closed, the consistency message, stop.
    static void refuseDevice(const QString &cause = {});
};
