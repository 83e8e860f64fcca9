#include "platform/netdb/NetDbObjects.h"

#include "platform/netdb/NetDbAppDevice.h"
#include "platform/netdb/NetDbCollection.h"
#include "platform/netdb/NetDbConfigProperty.h"
#include "platform/netdb/NetDbCpCache.h"
#include "platform/netdb/NetDbLonMarkObject.h"
#include "platform/netdb/NetDbNetwork.h"
#include "platform/netdb/NetDbNetworkVariable.h"
#include "platform/netdb/NetDbSubsystem.h"
#include "platform/netdb/NetDbSystem.h"

namespace {
// findSql takes the owner and a name and yields the id of the first member
// of that name.
template <class T>
LnsCollectionRef<T>
collection(const NetDbSessionRef &session, typename NetDbCollection<T>::Naming what, const QString &sql,
           qint64 ownerId, LnsRef<T> (*maker)(const NetDbSessionRef &, qint64), const QString &findSql = {})
{
    typename NetDbCollection<T>::Finder finder;
    if (!findSql.isEmpty()) {
        finder = [session, findSql, ownerId](const QString &name) {
            const QList<QVariantList> rows = session->select(findSql, {ownerId, name});
            return rows.isEmpty() ? QVariant() : rows.first().at(0);
        };
    }
    return makeNetDbCollection<T>(
        session, std::move(what), [session, sql, ownerId] { return session->selectIdNames(sql, {ownerId}); },
        [session, maker](qint64 id) { return maker(session, id); }, std::move(finder));
}

LnsCollectionRef<LnsConfigProperty> cpCollection(const NetDbSessionRef &session,
                                                 NetDbCollection<LnsConfigProperty>::Naming what,
                                                 NetDbCpOwner owner, qint64 ownerId)
{
    // Listing the members reads all their rows at once; reading a member's
    // value afterwards asks the database nothing more.
    return makeNetDbCollection<LnsConfigProperty>(
        session, std::move(what),
        [session, owner, ownerId] {
            IdNameList members;
            for (const NetDbCpRow &row : session->cpRows(owner, ownerId))
                members.append({row.id, row.name});
            return members;
        },
        [session](qint64 id) { return NetDbObjects::configProperty(session, id); });
}

QString ownerName(const NetDbSessionRef &session, const char *table, qint64 id)
{
    const QList<QVariantList> rows =
        session->select(QStringLiteral("SELECT name FROM %1 WHERE id = ?").arg(QLatin1String(table)), {id});
    return rows.isEmpty() ? QString() : rows.first().at(0).toString();
}

// The name of a collection for its errors, e.g. "AppDevices of subsystem \"Floor 1\"":
// the owner's name is looked up only when an error needs it.
std::function<QString()> naming(const NetDbSessionRef &session, const char *pattern, const char *table,
                                qint64 ownerId)
{
    return [session, pattern, table, ownerId] {
        QString name;
        try {
            name = ownerName(session, table, ownerId);
        } catch (const LnsError &) {
            // the owner is gone as well: the error says so without its name
        }
        return QString::fromLatin1(pattern).arg(name);
    };
}
} // namespace

LnsRef<LnsNetwork> NetDbObjects::network(const NetDbSessionRef &session, qint64 networkId)
{
    return std::make_shared<NetDbNetwork>(session, networkId);
}

LnsRef<LnsSystem> NetDbObjects::system(const NetDbSessionRef &session, qint64 networkId)
{
    return std::make_shared<NetDbSystem>(session, networkId);
}

LnsRef<LnsSubsystem> NetDbObjects::subsystem(const NetDbSessionRef &session, qint64 subsystemId)
{
    return std::make_shared<NetDbSubsystem>(session, subsystemId);
}

LnsRef<LnsAppDevice> NetDbObjects::device(const NetDbSessionRef &session, qint64 deviceId)
{
    return std::make_shared<NetDbAppDevice>(session, deviceId);
}

LnsRef<LnsLonMarkObject> NetDbObjects::lonMarkObject(const NetDbSessionRef &session, qint64 objectId)
{
    return std::make_shared<NetDbLonMarkObject>(session, objectId);
}

LnsRef<LnsNetworkVariable> NetDbObjects::networkVariable(const NetDbSessionRef &session, qint64 nvId)
{
    return std::make_shared<NetDbNetworkVariable>(session, nvId);
}

LnsRef<LnsConfigProperty> NetDbObjects::configProperty(const NetDbSessionRef &session, qint64 cpId)
{
    return std::make_shared<NetDbConfigProperty>(session, cpId);
}

LnsCollectionRef<LnsSubsystem> NetDbObjects::subsystemsOfSystem(const NetDbSessionRef &session,
                                                                qint64 networkId)
{
    return collection<LnsSubsystem>(
        session, naming(session, "Subsystems of the system of network \"%1\"", "networks", networkId),
        QStringLiteral(
            "SELECT id, name FROM subsystems WHERE network_id = ? AND parent_id IS NULL ORDER BY id"),
        networkId, &NetDbObjects::subsystem,
        QStringLiteral("SELECT id FROM subsystems WHERE network_id = ? AND parent_id IS NULL AND name = ? "
                       "ORDER BY id LIMIT 1"));
}

LnsCollectionRef<LnsSubsystem> NetDbObjects::subsystemsOfSubsystem(const NetDbSessionRef &session,
                                                                   qint64 subsystemId)
{
    return collection<LnsSubsystem>(
        session, naming(session, "Subsystems of subsystem \"%1\"", "subsystems", subsystemId),
        QStringLiteral("SELECT id, name FROM subsystems WHERE parent_id = ? ORDER BY id"), subsystemId,
        &NetDbObjects::subsystem,
        QStringLiteral("SELECT id FROM subsystems WHERE parent_id = ? AND name = ? ORDER BY id LIMIT 1"));
}

LnsCollectionRef<LnsAppDevice> NetDbObjects::devicesOfSubsystem(const NetDbSessionRef &session,
                                                                qint64 subsystemId)
{
    return collection<LnsAppDevice>(
        session, naming(session, "AppDevices of subsystem \"%1\"", "subsystems", subsystemId),
        QStringLiteral("SELECT id, name FROM devices WHERE subsystem_id = ? ORDER BY id"), subsystemId,
        &NetDbObjects::device,
        QStringLiteral("SELECT id FROM devices WHERE subsystem_id = ? AND name = ? ORDER BY id LIMIT 1"));
}

LnsCollectionRef<LnsLonMarkObject> NetDbObjects::objectsOfDevice(const NetDbSessionRef &session,
                                                                 qint64 deviceId)
{
    return collection<LnsLonMarkObject>(
        session, naming(session, "LonMarkObjects of device \"%1\"", "devices", deviceId),
        QStringLiteral("SELECT id, name FROM lonmark_objects WHERE device_id = ? ORDER BY position"),
        deviceId, &NetDbObjects::lonMarkObject,
        QStringLiteral(
            "SELECT id FROM lonmark_objects WHERE device_id = ? AND name = ? ORDER BY position LIMIT 1"));
}

LnsCollectionRef<LnsNetworkVariable> NetDbObjects::nvsOfDevice(const NetDbSessionRef &session,
                                                               qint64 deviceId)
{
    return collection<LnsNetworkVariable>(
        session, naming(session, "NetworkVariables of device \"%1\"", "devices", deviceId),
        QStringLiteral("SELECT n.id, n.name FROM nvs n JOIN lonmark_objects o ON o.id = n.object_id "
                       "WHERE o.device_id = ? ORDER BY o.position, n.position"),
        deviceId, &NetDbObjects::networkVariable);
}

LnsCollectionRef<LnsNetworkVariable> NetDbObjects::nvsOfObject(const NetDbSessionRef &session,
                                                               qint64 objectId)
{
    // Listing the members reads all their rows at once: asking an NV its
    // name, type or value afterwards asks the database nothing more.
    return makeNetDbCollection<LnsNetworkVariable>(
        session, naming(session, "NetworkVariables of LonMark object \"%1\"", "lonmark_objects", objectId),
        [session, objectId] {
            IdNameList members;
            for (const NetDbNvRow &row : session->nvRows(objectId))
                members.append({row.id, row.name});
            return members;
        },
        [session](qint64 id) { return NetDbObjects::networkVariable(session, id); });
}

LnsCollectionRef<LnsConfigProperty> NetDbObjects::cpsOfDevice(const NetDbSessionRef &session, qint64 deviceId)
{
    return cpCollection(session, naming(session, "ConfigProperties of device \"%1\"", "devices", deviceId),
                        NetDbCpOwner::Device, deviceId);
}

LnsCollectionRef<LnsConfigProperty> NetDbObjects::cpsOfObject(const NetDbSessionRef &session, qint64 objectId)
{
    return cpCollection(
        session, naming(session, "ConfigProperties of LonMark object \"%1\"", "lonmark_objects", objectId),
        NetDbCpOwner::Object, objectId);
}

LnsCollectionRef<LnsConfigProperty> NetDbObjects::cpsOfNv(const NetDbSessionRef &session, qint64 nvId)
{
    return cpCollection(session, naming(session, "ConfigProperties of network variable \"%1\"", "nvs", nvId),
                        NetDbCpOwner::Nv, nvId);
}
