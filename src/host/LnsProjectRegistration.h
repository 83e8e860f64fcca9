#pragma once

#include "platform/lns/LnsNetwork.h"

#include <QString>

// Registers the plug-in's commands in an LNS project (command 50), so that
// the director offers them for the devices the plug-in serves.
class LnsProjectRegistration
{
public:
    // Registers into the network named by objectName and reports the result
    // through the handed RegResult object or message 1435. True on success.
    static bool Register(const QString &objectName, int connectMode);

    // Registers every enabled command for each device-template entry of the
    // description file whose program id is in programIdFilter (all entries
    // when the filter is empty). True when every registration succeeded.
    static bool RegisterTemplates(const LnsRef<LnsNetwork> &network, const QString &programIdFilter);

    // The 16-bit boolean a RegResult object receives.
    static qint16 resultValue(bool success) { return success ? qint16(-1) : qint16(0); }
};
