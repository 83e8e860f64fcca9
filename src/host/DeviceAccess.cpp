#include "host/DeviceAccess.h"

#include "host/PlugInGlobals.h"
#include "platform/services/Clock.h"

#include <exception>

namespace {
struct Cache
{
    bool valid = false;
    double checkedAt = 0.0; // seconds since midnight
    bool accessible = false;
};

Cache &cache()
{
    static Cache c;
    return c;
}

constexpr int StateRequest = 4;
} // namespace

bool DeviceAccess::DeviceIsAccessible(const LnsRef<LnsAppDevice> &device, bool force)
{
    Cache &c = cache();
    const double now = Clock::secondsSinceMidnight();
    const double since = now - c.checkedAt;
    // A check from before midnight (negative difference) is stale.
    if (!force && c.valid && since >= 0.0 && since <= CacheSeconds)
        return c.accessible;

    c.checkedAt = now;
    bool accessible = false;
    try {
        const LnsRef<LnsAppDevice> target = device ? device : PlugInGlobals::Session.device;
        if (target) {
            target->test(StateRequest);
            accessible = true;
        }
    } catch (const std::exception &) {
        accessible = false;
    }
    c.accessible = accessible;
    c.valid = true;
    return accessible;
}

void DeviceAccess::resetCache()
{
    cache() = Cache();
}
