#pragma once

#include <QString>

class LnsAppDevice;
class UtilityComponent;

// Whether a device of one of the plug-in's program ids carries what the
// window configures: the node object followed by the channel objects, and
// the device CP of the module slots where the description file places it. A
// device made from another interface under the same program id would open
// an empty window.
class DeviceCompleteness
{
public:
    static constexpr int ChannelObjects = 16;
    static constexpr int ChannelProfileKey = 24000;

    // What is missing, in the user's language; empty when nothing is.
    static QString missing(const LnsAppDevice &device, const UtilityComponent &description);
};
