#pragma once

#include "platform/lns/LnsLonMarkObject.h"

class LnsAppDevice : public LnsObject
{
public:
    int classId() const override { return LnsClassId::AppDevice; }
    virtual QString programId() const = 0; // 16 hex digits, upper case
    virtual LnsCollectionRef<LnsLonMarkObject> lonMarkObjects() const = 0;
    virtual LnsCollectionRef<LnsConfigProperty> configProperties() const = 0;
    virtual LnsCollectionRef<LnsNetworkVariable> networkVariables() const = 0;
    // Contacts the device (the plug-in asks with request 4, its state);
    // raises DeviceUnreachable when the device does not answer.
    virtual void test(int request) = 0;
};
