#pragma once

#include "platform/netdb/DeviceInterface.h"
#include "platform/netdb/NetDbObjects.h"

#include <QStringList>

// Creating and removing networks, subsystems and devices: what the lnsdb tool
// and tests do to a network database. Subsystem paths are "system.sub.sub":
// the system's name, then the subsystems from the top down.
class NetDbAdministration
{
public:
    explicit NetDbAdministration(NetDbSessionRef session);

    qint64 networkId(const QString &network) const; // NotFound when absent
    // The subsystem at the path; NotFound when absent unless create is set.
    qint64 subsystemId(const QString &network, const QString &path, bool create);
    qint64 deviceId(const QString &network, const QString &subsystemPath, const QString &device) const;

    void createNetwork(const QString &name, const QString &systemName);
    void createSubsystem(const QString &network, const QString &path);
    void addDevice(const QString &network, const QString &subsystemPath, const QString &deviceName,
                   const DeviceInterface &deviceInterface);
    void removeDevice(const QString &network, const QString &subsystemPath, const QString &deviceName);
    // The network with its subsystems, devices and registrations, in one
    // transaction; the number of devices it held.
    int removeNetwork(const QString &network);
    void setDeviceReachable(const QString &network, const QString &subsystemPath, const QString &deviceName,
                            bool reachable);

    QStringList subsystemPaths(const QString &network) const;
    QStringList deviceNames(const QString &network, const QString &subsystemPath) const;

private:
    QStringList pathSegments(qint64 netId, const QString &network, const QString &path) const;
    // The id of the subsystem `name` below `parent` (null: the top level); null when absent.
    QVariant childSubsystem(qint64 netId, const QVariant &parent, const QString &name) const;
    qint64 findSubsystem(qint64 netId, const QString &network, const QString &path) const;
    void insertCp(const DeviceCpEntry &cp, const char *ownerColumn, qint64 ownerId, int position);
    void insertObject(qint64 deviceId, int position, const DeviceObjectEntry &object);
    void appendPaths(qint64 netId, const QVariant &parentId, const QString &prefix, QStringList &paths) const;

    NetDbSessionRef m_session;
};
