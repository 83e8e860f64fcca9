#pragma once

#include "platform/netdb/NetDbObjects.h"

#include <QHash>
#include <QString>
#include <functional>

// Copies one network with everything in it from one network database into
// another, a file or a server each: the network and its system name, the
// subsystems as they nest, the devices with their LonMark objects, NVs and
// CPs, the plug-in's registrations in the network and each device's write
// history with the configurations it names.
//
// The target hands out ids of its own; what refers to a row follows it there.
// The source is read as it stood when the copy began, one device at a time;
// the target takes the whole network in one transaction, or nothing of it.
class NetDbNetworkCopy
{
public:
    NetDbNetworkCopy(NetDbSessionRef source, NetDbSessionRef target);

    // Copies the network `name` as `newName` (empty: as `name`); the number
    // of devices copied. NotFound when the source holds no such network,
    // InvalidArgument when the target holds a network of that name already.
    int copy(const QString &name, const QString &newName = {});

private:
    void copySubsystems(qint64 fromNetwork, qint64 toNetwork);
    void copyRegistrations(qint64 fromNetwork, qint64 toNetwork);
    int copyDevices(qint64 fromNetwork, bool withHistory);
    void copyDevice(const QVariantList &row, bool withHistory);
    QHash<qint64, qint64> insertRows(const QString &table, const QStringList &columns, const QString &query,
                                     const QVariantList &binds,
                                     const std::function<QVariantList(const QVariantList &)> &values);
    void copyHistory(qint64 fromDevice, qint64 toDevice);
    static bool hasHistory(NetDbSession &session);

    NetDbSessionRef m_source;
    NetDbSessionRef m_target;
    QHash<qint64, qint64> m_subsystems;
    QHash<qint64, qint64> m_sets; // configurations, shared by entries of many devices
};
