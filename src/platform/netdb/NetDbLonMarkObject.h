#pragma once

#include "platform/lns/LnsLonMarkObject.h"
#include "platform/netdb/NetDbObjects.h"

// A LonMark object row of the network database.
class NetDbLonMarkObject : public LnsLonMarkObject
{
public:
    NetDbLonMarkObject(NetDbSessionRef session, qint64 id);

    std::shared_ptr<LnsObject> parent() const override;
    QString name() const override;
    void setName(const QString &name) override;
    int functionalProfileKey() const override;
    LnsCollectionRef<LnsConfigProperty> configProperties() const override;
    LnsCollectionRef<LnsNetworkVariable> networkVariables() const override;

private:
    QVariantList row() const;

    NetDbSessionRef m_session;
    qint64 m_id;
    // One collection per handle: a walk through it lists its members once.
    mutable LnsCollectionRef<LnsConfigProperty> m_cps;
    mutable LnsCollectionRef<LnsNetworkVariable> m_nvs;
};
