#pragma once

#include "platform/lns/LnsAppDevice.h"

#include <QString>

// Where the plug-in finds its NVs: item 1 of an NV's line in the NV section of
// the plug-in description file is its position in the NV collection of the
// LonMark object (FetchNv) or of the device (FetchDevNv). A position below 1
// fails with error 10000 "INI - File Error : " + name, reported through
// succeed when the caller passes it.
class NvDefinitions
{
public:
    static bool FetchNv(const QString &nvName, const QString &section,
                        const LnsRef<LnsLonMarkObject> &lonmarkObject,
                        LnsRef<LnsNetworkVariable> &networkVariable, bool *succeed = nullptr);
    // Errors other than a missing definition go to the error log.
    static bool FetchDevNv(const QString &nvName, const QString &section,
                           const LnsRef<LnsAppDevice> &appDevice, LnsRef<LnsNetworkVariable> &networkVariable,
                           bool *succeed = nullptr);
};
