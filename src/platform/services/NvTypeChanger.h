#pragma once

#include "platform/lns/LnsNetworkVariable.h"

// Changes the type of a network variable. The program id and scope name the
// resource set the type is taken from; the plug-in uses the standard types
// ("0000000000000000", scope 0).
class NvTypeChanger
{
public:
    // True on success. On failure errorText says why and the NV keeps its
    // type. nv may be replaced by a fresh reference to the same NV.
    bool changeType(LnsRef<LnsNetworkVariable> &nv, int typeId, const QString &programId, int scope,
                    QString &errorText);
};
