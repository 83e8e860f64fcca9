#pragma once

#include "platform/lns/LnsAppDevice.h"

class LnsSubsystem : public LnsObject
{
public:
    int classId() const override { return LnsClassId::Subsystem; }
    virtual LnsCollectionRef<LnsAppDevice> appDevices() const = 0;
    virtual LnsCollectionRef<LnsSubsystem> subsystems() const = 0;
};
