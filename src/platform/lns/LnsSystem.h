#pragma once

#include "platform/lns/LnsSubsystem.h"

// The system of a network: the transaction of this client, and the bracket
// around a device write.
class LnsSystem : public LnsObject
{
public:
    int classId() const override { return LnsClassId::System; }
    virtual LnsCollectionRef<LnsSubsystem> subsystems() const = 0;

    // One client transaction at a time per network. Everything written between
    // start and commit becomes visible at once; cancel, or a client that dies,
    // leaves the network as it was.
    virtual void startTransaction() = 0;
    virtual void commitTransaction() = 0;
    virtual void cancelTransaction() = 0;
    virtual bool inTransaction() const = 0;

    // Bracket around a device write; the plug-in opens it with the value 100.
    virtual void prepareDeviceWrite(int value) = 0;
    virtual void finishDeviceWrite() = 0;

    // Monitoring of this system's NVs happens through its monitor set.
    virtual void openMonitorSet() = 0;
    virtual void closeMonitorSet() = 0;
    virtual bool monitorSetOpen() const = 0;
};
