#pragma once

#include "platform/lns/LnsNetwork.h"
#include "platform/netdb/NetDbObjects.h"

#include <QDateTime>
#include <QList>
#include <QString>

// What a project overview shows of every device of a network: its place,
// kind and reachability, the module types of its slots and its last write.
// Read in three statements for the whole network, so a project of thousands
// of devices is listed in well under a second.
class NetDbProjectOverview
{
public:
    struct Device
    {
        qint64 id = 0;
        qint64 subsystemId = 0;
        QString name;
        QString programId;
        bool reachable = false;
        QList<int> modules;    // the module type of each slot, empty when the device has no such CP
        QDateTime lastWritten; // UTC; null when the history has no write
        QString lastWriter;    // "user@host"
    };

    NetDbProjectOverview(NetDbSessionRef session, qint64 networkId);
    // Null for a network of another object server.
    static std::unique_ptr<NetDbProjectOverview> of(const LnsRef<LnsNetwork> &network);

    QList<Device> devices() const;

    // The CP of a device that holds the module type of each slot.
    static QString modulesCpName() { return QStringLiteral("DeviceModules"); }

private:
    NetDbSessionRef m_session;
    qint64 m_networkId;
};
