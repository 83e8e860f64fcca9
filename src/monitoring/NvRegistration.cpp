#include "monitoring/NvRegistration.h"

#include "monitoring/cMonitorPoints.h"
#include "params/CpDefinitions.h"
#include "params/NvDefinitions.h"

bool NvRegistration::RegisterNetworkVariable(cMonitorPoints &points, const QString &nvIniName,
                                             const LnsRef<LnsLonMarkObject> &lonmarkObject,
                                             const QString &key, cMonitorPoint *&point)
{
    LnsRef<LnsNetworkVariable> nv;
    bool succeed = false;
    NvDefinitions::FetchNv(nvIniName, CpDefinitions::NvSection, lonmarkObject, nv, &succeed);
    if (!succeed)
        return false;
    point = points.AddMonitorPoint(key.isEmpty() ? nvIniName : key, nv);
    return true;
}

bool NvRegistration::RegisterDeviceNetworkVariable(cMonitorPoints &points, const QString &nvIniName,
                                                   const LnsRef<LnsAppDevice> &appDevice, const QString &key,
                                                   cMonitorPoint *&point)
{
    LnsRef<LnsNetworkVariable> nv;
    bool succeed = false;
    NvDefinitions::FetchDevNv(nvIniName, CpDefinitions::NvSection, appDevice, nv, &succeed);
    if (!succeed)
        return false;
    point = points.AddMonitorPoint(key.isEmpty() ? nvIniName : key, nv);
    return true;
}
