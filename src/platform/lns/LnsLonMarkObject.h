#pragma once

#include "platform/lns/LnsNetworkVariable.h"

class LnsLonMarkObject : public LnsObject
{
public:
    int classId() const override { return LnsClassId::LonMarkObject; }
    virtual void setName(const QString &name) = 0;
    virtual int functionalProfileKey() const = 0; // 24000 for the controller's channel objects
    virtual LnsCollectionRef<LnsConfigProperty> configProperties() const = 0;
    virtual LnsCollectionRef<LnsNetworkVariable> networkVariables() const = 0;
};
