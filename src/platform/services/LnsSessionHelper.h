#pragma once

#include "platform/AppError.h"
#include "platform/services/LnsSession.h"

#include <optional>

// The steps that bring the plug-in from an object server to the device
// collection of a subsystem, and back. Connect and open network report
// failure by their result and keep the object server's error for the log.
class LnsSessionHelper
{
public:
    // Connects the object server (ConnectMode 0 local, 1 and 2 remote) and
    // keeps it in the session.
    bool connect(LnsSession &session, LnsObjectServer *objectServer, int connectMode);
    // Opens the named network on the session's object server.
    bool openNetwork(LnsSession &session, const QString &networkName, bool remote);
    // Opens the system and subsystem of the system part of an object name
    // ("LNS System.Floor 1.Room 12": the subsystem "Room 12" below "Floor 1").
    // Without subsystem names the system's first subsystem is taken. Sets
    // system, subsystem and appDevices; a system name that is not the
    // network's, or an unknown subsystem, raises NotFound.
    void openSystem(LnsSession &session, const QString &systemPart);
    // Closes the network and the connection and gives the session back
    // cleared. An open transaction is cancelled; errors are swallowed.
    void close(LnsSession &session);
    // Registers one plug-in command in the network.
    bool registerCommand(const LnsRef<LnsNetwork> &network, const LnsPluginRegistration &registration);

    // Why the last connect or openNetwork failed; empty after a success, or
    // when the failure had no error of the object server behind it.
    const std::optional<AppError> &lastError() const { return m_lastError; }

private:
    std::optional<AppError> m_lastError;
};
