#pragma once

#include "platform/lns/LnsNetwork.h"

#include <QString>

// Registers the plug-in's commands in an LNS project (command 50), so that
// the director offers them for the devices the plug-in serves.
class LnsProjectRegistration
{
public:
    // What a registration run did: the registrations stored, and why it
    // failed when it did.
    struct Outcome
    {
        int registered = 0;
        QString failure; // empty on success

        bool success() const { return failure.isEmpty(); }
    };

    // Registers into the network named by objectName for the program ids of
    // ProgramIdsToRegister, with the status window, and reports the result
    // through the handed RegResult object or message 1435. True on success.
    static bool Register(const QString &objectName, int connectMode);

    // The same for a program-id filter of its own (all device templates when
    // empty) and without the status window. An object name without a known
    // network, or a filter that matches no device template, fails; the cause
    // goes to the log, and a failure asks the program to end as failed.
    static bool RegisterInNetwork(const QString &objectName, int connectMode, const QString &programIdFilter);

    // Registers every enabled command for each device-template entry of the
    // description file whose program id is in programIdFilter (all entries
    // when the filter is empty). Fails when a registration fails or when no
    // entry is registered at all.
    static Outcome RegisterTemplates(const LnsRef<LnsNetwork> &network, const QString &programIdFilter);

    // The 16-bit boolean a RegResult object receives.
    static qint16 resultValue(bool success) { return success ? qint16(-1) : qint16(0); }
};
