#pragma once

#include "platform/lns/LnsPluginRegistration.h"
#include "platform/lns/LnsSystem.h"

#include <QList>

class LnsNetwork : public LnsObject
{
public:
    int classId() const override { return LnsClassId::Network; }
    virtual LnsRef<LnsSystem> system() const = 0;

    // Plug-in registrations kept in the network. Registering the same program
    // id and command id again replaces the earlier record.
    virtual void registerPlugin(const LnsPluginRegistration &registration) = 0;
    virtual QList<LnsPluginRegistration> pluginRegistrations() const = 0;
};
