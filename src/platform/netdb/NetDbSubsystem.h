#pragma once

#include "platform/lns/LnsSubsystem.h"
#include "platform/netdb/NetDbObjects.h"

// A subsystem row of the network database; its parent is the subsystem
// above it or, at the top, the network's system.
class NetDbSubsystem : public LnsSubsystem
{
public:
    NetDbSubsystem(NetDbSessionRef session, qint64 id);

    std::shared_ptr<LnsObject> parent() const override;
    QString name() const override;
    LnsCollectionRef<LnsAppDevice> appDevices() const override;
    LnsCollectionRef<LnsSubsystem> subsystems() const override;
    QString path() const override;

private:
    QVariantList row() const;

    NetDbSessionRef m_session;
    qint64 m_id;
    // One collection per handle: a walk through it lists its members once.
    mutable LnsCollectionRef<LnsAppDevice> m_devices;
    mutable LnsCollectionRef<LnsSubsystem> m_subsystems;
};
