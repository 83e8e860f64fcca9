#pragma once

#include "platform/services/LnsSession.h"

// The steps that bring the plug-in from an object server to the device
// collection of a subsystem, and back. Connect and open network report
// failure by their result; the object server's errors are not passed on.
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
    // system, subsystem and appDevices; an unknown subsystem raises NotFound.
    void openSystem(LnsSession &session, const QString &systemPart);
    // Closes the network and the connection and gives the session back
    // cleared. An open transaction is cancelled; errors are swallowed.
    void close(LnsSession &session);
    // Registers one plug-in command in the network.
    bool registerCommand(const LnsRef<LnsNetwork> &network, const LnsPluginRegistration &registration);
};
