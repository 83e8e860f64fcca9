#pragma once

#include <QString>

// A device a batch command works on, as the device listing names it.
struct BatchDevice
{
    QString network;
    QString subsystemPath; // "LNS System.Floor 1"
    QString name;
    QString programId;
    bool reachable = true;

    // The object name a director would hand over, with "/" between the levels.
    QString objectName() const
    {
        return network + QLatin1Char('/') + subsystemPath + QLatin1Char('/') + name;
    }
};
