#pragma once

#include "platform/lns/LnsNetwork.h"
#include "platform/netdb/NetDbObjects.h"

#include <QList>
#include <QString>

// The devices of one network with what a device search shows of them, read
// a subsystem at a time in one query each instead of object by object (a
// project of thousands of devices would take seconds that way). Handles are
// made only for the devices somebody asks for.
class NetDbDeviceListing
{
public:
    struct Subsystem
    {
        qint64 id = 0;
        QString path; // "system.subsystem.subsystem", as LnsSubsystem::path gives it
    };
    struct Device
    {
        qint64 id = 0;
        QString name;
        QString programId;
        bool reachable = false; // what test() of the device finds
    };

    NetDbDeviceListing(NetDbSessionRef session, qint64 networkId);

    // The listing of a network of the network database; null for a network
    // of another object server.
    static std::unique_ptr<NetDbDeviceListing> of(const LnsRef<LnsNetwork> &network);
    // The row id of a device of the network database; 0 for another one.
    static qint64 idOf(const LnsRef<LnsAppDevice> &device);

    int deviceCount() const;
    // Every subsystem of the network, at any depth, in no particular order.
    QList<Subsystem> subsystems() const;
    QList<Device> devicesOf(qint64 subsystemId) const;
    LnsRef<LnsAppDevice> device(qint64 deviceId) const;

private:
    NetDbSessionRef m_session;
    qint64 m_networkId;
};
