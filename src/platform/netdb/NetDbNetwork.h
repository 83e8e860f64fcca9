#pragma once

#include "platform/lns/LnsNetwork.h"
#include "platform/netdb/NetDbObjects.h"

// A network row of the network database, with its plug-in registrations.
class NetDbNetwork : public LnsNetwork
{
public:
    NetDbNetwork(NetDbSessionRef session, qint64 id);

    std::shared_ptr<LnsObject> parent() const override { return {}; }
    QString name() const override;
    LnsRef<LnsSystem> system() const override;
    void registerPlugin(const LnsPluginRegistration &registration) override;
    QList<LnsPluginRegistration> pluginRegistrations() const override;

    qint64 id() const { return m_id; }
    const NetDbSessionRef &session() const { return m_session; }

private:
    NetDbSessionRef m_session;
    qint64 m_id;
};
