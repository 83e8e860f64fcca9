#pragma once

#include "platform/lns/LnsSystem.h"
#include "platform/netdb/NetDbObjects.h"

// The system of a network: this client's database transaction, the device
// write bracket and the monitor set.
class NetDbSystem : public LnsSystem
{
public:
    NetDbSystem(NetDbSessionRef session, qint64 networkId);

    std::shared_ptr<LnsObject> parent() const override;
    QString name() const override;
    LnsCollectionRef<LnsSubsystem> subsystems() const override;

    void startTransaction() override;
    void commitTransaction() override;
    void cancelTransaction() override;
    bool inTransaction() const override;

    void prepareDeviceWrite(int value) override;
    void finishDeviceWrite() override;
    bool deviceWritePrepared() const;

    void openMonitorSet() override;
    void closeMonitorSet() override;
    bool monitorSetOpen() const override;

private:
    NetDbSessionRef m_session;
    qint64 m_networkId;
    // One collection per handle: a walk through it lists its members once.
    mutable LnsCollectionRef<LnsSubsystem> m_subsystems;
};
