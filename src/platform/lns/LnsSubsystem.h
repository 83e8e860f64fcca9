#pragma once

#include "platform/lns/LnsAppDevice.h"

class LnsSubsystem : public LnsObject
{
public:
    int classId() const override { return LnsClassId::Subsystem; }
    virtual LnsCollectionRef<LnsAppDevice> appDevices() const = 0;
    virtual LnsCollectionRef<LnsSubsystem> subsystems() const = 0;
    // The system's name and the subsystems' from the top down, joined by "."
    // ("LNS System.Floor 1.Room 12"), as object names spell it.
    virtual QString path() const = 0;
};
