#pragma once

#include "platform/lns/LnsAppDevice.h"

// Whether the device answers. Asking a device takes time on a real network,
// so a result is reused for 10 seconds unless the caller insists on asking.
class DeviceAccess
{
public:
    // device null: the current device of the session.
    static bool DeviceIsAccessible(const LnsRef<LnsAppDevice> &device, bool force);
    // Forgets the cached result.
    static void resetCache();

    static constexpr double CacheSeconds = 10.0;
};
