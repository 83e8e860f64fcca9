#pragma once

#include "platform/lns/LnsLonMarkObject.h"

class cParams;

// Binds the CPs of one channel LonMark object to parameters of the
// configuration's collection, each keyed by its INI name, "_" and the
// object's index (FptIndex_3), in the order the configuration fetches them:
// the function and the binding at once, everything else on first use.
class ChannelObjectRegistration
{
public:
    // False at the first CP that cannot be registered; the ones before it stay.
    static bool RegisterCps(cParams &params, const LnsRef<LnsLonMarkObject> &object, int index);
};
