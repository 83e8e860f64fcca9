#pragma once

#include "platform/lns/LnsObjectServer.h"

#include <QPointer>

// The LNS references of one plug-in session, filled step by step while the
// plug-in connects and released together when it ends.
struct LnsSession
{
    QPointer<LnsObjectServer> objectServer; // not owned
    LnsRef<LnsNetwork> network;
    LnsRef<LnsSystem> system;
    LnsRef<LnsSubsystem> subsystem;
    LnsCollectionRef<LnsAppDevice> appDevices;
    LnsRef<LnsAppDevice> device;
    LnsCollectionRef<LnsLonMarkObject> lonMarkObjects;
    LnsRef<LnsLonMarkObject> lonMarkObject;

    // Drops every reference, the object server included.
    void clear() { *this = LnsSession(); }
};
