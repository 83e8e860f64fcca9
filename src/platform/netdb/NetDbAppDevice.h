#pragma once

#include "platform/lns/LnsAppDevice.h"
#include "platform/netdb/NetDbObjects.h"

// A device row of the network database. Contacting the device asks its
// reachable flag, the database's stand-in for a device that answers.
class NetDbAppDevice : public LnsAppDevice
{
public:
    NetDbAppDevice(NetDbSessionRef session, qint64 id);

    std::shared_ptr<LnsObject> parent() const override;
    QString name() const override;
    QString programId() const override;
    LnsCollectionRef<LnsLonMarkObject> lonMarkObjects() const override;
    LnsCollectionRef<LnsConfigProperty> configProperties() const override;
    LnsCollectionRef<LnsNetworkVariable> networkVariables() const override;
    void test(int request) override;
    QList<LnsHistoryEntry> history() const override;
    LnsHistoryEntry lastWrite() const override;
    LnsHistoryEntry historyEntry(int number) const override;
    int recordHistory(const LnsHistoryEntry &entry, int keep) override;

    qint64 id() const { return m_id; }

private:
    QVariantList row() const;

    NetDbSessionRef m_session;
    qint64 m_id;
    // One collection per handle: a walk through it lists its members once.
    mutable LnsCollectionRef<LnsLonMarkObject> m_objects;
    mutable LnsCollectionRef<LnsConfigProperty> m_cps;
    mutable LnsCollectionRef<LnsNetworkVariable> m_nvs;
};
