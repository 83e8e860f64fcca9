#pragma once

#include <QString>

// A device that a device search found: what the selection shows of it, and
// the key the search makes its object handle from.
struct DeviceCandidate
{
    qint64 key = 0;
    QString name;
    QString subsystemPath;
    bool reachable = false;
};
