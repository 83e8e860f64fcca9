#pragma once

#include "platform/lns/LnsAppDevice.h"

#include <QString>

class cMonitorPoints;
class cMonitorPoint;

// Binds one NV of the device to a new monitor point, as the CP registration
// binds a CP to a parameter.
class NvRegistration
{
public:
    // An NV of the LonMark object (or, in the second form, of the device) as
    // a new monitor point of points. The NV is found at once through the NV
    // section of the plug-in description file; the point's name is the key,
    // or the NV name when the key is empty. An NV that cannot be fetched
    // ends the registration with false and adds no point.
    static bool RegisterNetworkVariable(cMonitorPoints &points, const QString &nvIniName,
                                        const LnsRef<LnsLonMarkObject> &lonmarkObject, const QString &key,
                                        cMonitorPoint *&point);
    static bool RegisterDeviceNetworkVariable(cMonitorPoints &points, const QString &nvIniName,
                                              const LnsRef<LnsAppDevice> &appDevice, const QString &key,
                                              cMonitorPoint *&point);
};
