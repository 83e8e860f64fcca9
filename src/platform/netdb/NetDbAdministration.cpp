#include "platform/netdb/NetDbAdministration.h"

#include "platform/lns/LnsError.h"
#include "platform/netdb/CpValueText.h"
#include "platform/netdb/NetDbHistory.h"
#include "platform/netdb/NetDbSession.h"

#include <QHash>

namespace {
[[noreturn]] void invalid(const QString &message)
{
    throw LnsError(LnsErrorCode::InvalidArgument, message);
}

// A new name must be one an object name can reach again: "/" and "\"
// separate its levels, the object name drops blanks around each name (so a
// " Lobby " would be found as another "Lobby"), and a director's command line
// ends the object name at the first ":".
void requireReachableName(const char *kind, const QString &name)
{
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        invalid(QStringLiteral("The %1 name \"%2\" contains \"/\" or \"\\\", which separate the levels of "
                               "an object name; choose a name without them.")
                    .arg(QLatin1String(kind), name));
    if (name != name.trimmed())
        invalid(QStringLiteral("The %1 name \"%2\" begins or ends with a blank, which an object name drops; "
                               "choose a name without them.")
                    .arg(QLatin1String(kind), name));
    if (name.contains(QLatin1Char(':')))
        invalid(QStringLiteral("The %1 name \"%2\" contains \":\", where a command line ends the object "
                               "name; choose a name without it.")
                    .arg(QLatin1String(kind), name));
}

QString typeList(const QList<int> &ids)
{
    QStringList pieces;
    for (int id : ids)
        pieces.append(QString::number(id));
    return pieces.join(QLatin1Char(','));
}
} // namespace

NetDbAdministration::NetDbAdministration(NetDbSessionRef session) : m_session(std::move(session)) {}

qint64 NetDbAdministration::networkId(const QString &network) const
{
    return m_session
        ->selectRow(QStringLiteral("SELECT id FROM networks WHERE name = ?"), {network},
                    QStringLiteral("There is no network \"%1\" in the network database.").arg(network))
        .at(0)
        .toLongLong();
}

QStringList NetDbAdministration::pathSegments(qint64 netId, const QString &network, const QString &path) const
{
    const QStringList segments = path.split(QLatin1Char('.'));
    const QString systemName =
        m_session
            ->selectRow(QStringLiteral("SELECT system_name FROM networks WHERE id = ?"), {netId}, network)
            .at(0)
            .toString();
    if (segments.size() < 2 || segments.contains(QString()))
        invalid(QStringLiteral("\"%1\" is not a subsystem path (system.subsystem...).").arg(path));
    if (segments.first() != systemName)
        invalid(QStringLiteral("Subsystem path \"%1\": the system of network \"%2\" is \"%3\".")
                    .arg(path, network, systemName));
    return segments.mid(1);
}

QVariant NetDbAdministration::childSubsystem(qint64 netId, const QVariant &parent, const QString &name) const
{
    const QList<QVariantList> rows =
        parent.isNull()
            ? m_session->select(QStringLiteral("SELECT id FROM subsystems WHERE network_id = ? AND "
                                               "parent_id IS NULL AND name = ?"),
                                {netId, name})
            : m_session->select(QStringLiteral("SELECT id FROM subsystems WHERE parent_id = ? AND name = ?"),
                                {parent, name});
    return rows.isEmpty() ? QVariant() : rows.first().at(0);
}

qint64 NetDbAdministration::findSubsystem(qint64 netId, const QString &network, const QString &path) const
{
    QVariant parent; // null: top level
    for (const QString &segment : pathSegments(netId, network, path)) {
        parent = childSubsystem(netId, parent, segment);
        if (parent.isNull())
            return 0;
    }
    return parent.toLongLong();
}

qint64 NetDbAdministration::subsystemId(const QString &network, const QString &path, bool create)
{
    const qint64 netId = networkId(network);
    if (const qint64 found = findSubsystem(netId, network, path))
        return found;
    if (!create)
        throw LnsError(LnsErrorCode::NotFound,
                       QStringLiteral("There is no subsystem \"%1\" in network \"%2\".").arg(path, network));
    for (const QString &segment : pathSegments(netId, network, path))
        requireReachableName("subsystem", segment);
    qint64 result = 0;
    m_session->atomically([&] {
        QVariant parent;
        for (const QString &segment : pathSegments(netId, network, path)) {
            const QVariant child = childSubsystem(netId, parent, segment);
            if (!child.isNull()) {
                parent = child;
                continue;
            }
            parent = m_session->insert(
                QStringLiteral("subsystems"),
                {QStringLiteral("network_id"), QStringLiteral("parent_id"), QStringLiteral("name")},
                {netId, parent.isNull() ? QVariant(QMetaType::fromType<qint64>()) : parent, segment});
        }
        result = parent.toLongLong();
    });
    return result;
}

qint64 NetDbAdministration::deviceId(const QString &network, const QString &subsystemPath,
                                     const QString &device) const
{
    const qint64 netId = networkId(network);
    const qint64 subId = findSubsystem(netId, network, subsystemPath);
    if (subId == 0)
        throw LnsError(
            LnsErrorCode::NotFound,
            QStringLiteral("There is no subsystem \"%1\" in network \"%2\".").arg(subsystemPath, network));
    return m_session
        ->selectRow(
            QStringLiteral("SELECT id FROM devices WHERE subsystem_id = ? AND name = ?"), {subId, device},
            QStringLiteral("There is no device \"%1\" in subsystem \"%2\".").arg(device, subsystemPath))
        .at(0)
        .toLongLong();
}

void NetDbAdministration::createNetwork(const QString &name, const QString &systemName)
{
    if (name.trimmed().isEmpty() || systemName.trimmed().isEmpty() || systemName.contains(QLatin1Char('.')))
        invalid(QStringLiteral("A network needs a name and a system name without dots."));
    requireReachableName("network", name);
    requireReachableName("system", systemName);
    if (!m_session->select(QStringLiteral("SELECT id FROM networks WHERE name = ?"), {name}).isEmpty())
        invalid(QStringLiteral("The network \"%1\" exists already.").arg(name));
    m_session->insert(QStringLiteral("networks"), {QStringLiteral("name"), QStringLiteral("system_name")},
                      {name, systemName});
}

void NetDbAdministration::createSubsystem(const QString &network, const QString &path)
{
    subsystemId(network, path, true);
}

void NetDbAdministration::insertCp(const DeviceCpEntry &cp, const char *ownerColumn, qint64 ownerId,
                                   int position)
{
    m_session->insert(
        QStringLiteral("cps"),
        {QLatin1String(ownerColumn), QStringLiteral("position"), QStringLiteral("name"),
         QStringLiteral("element_length"), QStringLiteral("dimension"), QStringLiteral("bytes")},
        {ownerId, position, cp.name, cp.elementLength, cp.dimension, CpValueText::toStored(cp.bytes)});
}

void NetDbAdministration::insertObject(qint64 deviceId, int position, const DeviceObjectEntry &object)
{
    const qint64 objectId = m_session->insert(QStringLiteral("lonmark_objects"),
                                              {QStringLiteral("device_id"), QStringLiteral("position"),
                                               QStringLiteral("name"), QStringLiteral("profile_key")},
                                              {deviceId, position, object.name, object.profileKey});
    QHash<QString, qint64> nvIds;
    for (int i = 0; i < object.nvs.size(); ++i) {
        const DeviceNvEntry &nv = object.nvs.at(i);
        nvIds.insert(nv.name, m_session->insert(QStringLiteral("nvs"),
                                                {QStringLiteral("object_id"), QStringLiteral("position"),
                                                 QStringLiteral("name"), QStringLiteral("type_id"),
                                                 QStringLiteral("allowed_types"), QStringLiteral("value")},
                                                {objectId, i + 1, nv.name, nv.typeId,
                                                 typeList(nv.allowedTypeIds), nv.value}));
    }
    int objectCps = 0;
    QHash<qint64, int> nvCps;
    for (const DeviceCpEntry &cp : object.cps) {
        if (cp.nvName.isEmpty()) {
            insertCp(cp, "object_id", objectId, ++objectCps);
            continue;
        }
        if (!nvIds.contains(cp.nvName))
            invalid(QStringLiteral("CP \"%1\" of object \"%2\" names the unknown NV \"%3\".")
                        .arg(cp.name, object.name, cp.nvName));
        const qint64 nvId = nvIds.value(cp.nvName);
        insertCp(cp, "nv_id", nvId, ++nvCps[nvId]);
    }
}

void NetDbAdministration::addDevice(const QString &network, const QString &subsystemPath,
                                    const QString &deviceName, const DeviceInterface &deviceInterface)
{
    if (deviceName.trimmed().isEmpty())
        invalid(QStringLiteral("A device needs a name."));
    requireReachableName("device", deviceName);
    m_session->atomically([&] {
        const qint64 subId = subsystemId(network, subsystemPath, true);
        if (!m_session
                 ->select(QStringLiteral("SELECT id FROM devices WHERE subsystem_id = ? AND name = ?"),
                          {subId, deviceName})
                 .isEmpty())
            invalid(QStringLiteral("Subsystem \"%1\" holds a device \"%2\" already.")
                        .arg(subsystemPath, deviceName));
        const qint64 deviceId = m_session->insert(
            QStringLiteral("devices"),
            {QStringLiteral("subsystem_id"), QStringLiteral("name"), QStringLiteral("program_id"),
             QStringLiteral("model"), QStringLiteral("reachable")},
            {subId, deviceName, deviceInterface.programId, deviceInterface.model, 1});
        for (int i = 0; i < deviceInterface.deviceCps.size(); ++i)
            insertCp(deviceInterface.deviceCps.at(i), "device_id", deviceId, i + 1);
        for (int i = 0; i < deviceInterface.objects.size(); ++i)
            insertObject(deviceId, i + 1, deviceInterface.objects.at(i));
    });
}

void NetDbAdministration::removeDevice(const QString &network, const QString &subsystemPath,
                                       const QString &deviceName)
{
    const qint64 id = deviceId(network, subsystemPath, deviceName);
    m_session->atomically([&] {
        const QString objects = QStringLiteral("SELECT id FROM lonmark_objects WHERE device_id = ?");
        const QString nvs = QStringLiteral("SELECT id FROM nvs WHERE object_id IN (%1)").arg(objects);
        m_session->exec(QStringLiteral("DELETE FROM cps WHERE nv_id IN (%1)").arg(nvs), {id});
        m_session->exec(QStringLiteral("DELETE FROM cps WHERE object_id IN (%1)").arg(objects), {id});
        m_session->exec(QStringLiteral("DELETE FROM cps WHERE device_id = ?"), {id});
        NetDbHistory(*m_session).removeDevices(QStringLiteral("?"), id);
        m_session->exec(QStringLiteral("DELETE FROM nvs WHERE object_id IN (%1)").arg(objects), {id});
        m_session->exec(QStringLiteral("DELETE FROM lonmark_objects WHERE device_id = ?"), {id});
        m_session->exec(QStringLiteral("DELETE FROM devices WHERE id = ?"), {id});
    });
}

int NetDbAdministration::removeNetwork(const QString &network)
{
    const qint64 id = networkId(network);
    int devices = 0;
    m_session->atomically([&] {
        const QString subsystems = QStringLiteral("SELECT id FROM subsystems WHERE network_id = ?");
        const QString deviceIds =
            QStringLiteral("SELECT id FROM devices WHERE subsystem_id IN (%1)").arg(subsystems);
        const QString objects =
            QStringLiteral("SELECT id FROM lonmark_objects WHERE device_id IN (%1)").arg(deviceIds);
        const QString nvs = QStringLiteral("SELECT id FROM nvs WHERE object_id IN (%1)").arg(objects);
        devices =
            m_session
                ->selectRow(QStringLiteral("SELECT count(*) FROM (%1) AS d").arg(deviceIds), {id}, network)
                .at(0)
                .toInt();
        m_session->exec(QStringLiteral("DELETE FROM cps WHERE nv_id IN (%1)").arg(nvs), {id});
        m_session->exec(QStringLiteral("DELETE FROM cps WHERE object_id IN (%1)").arg(objects), {id});
        m_session->exec(QStringLiteral("DELETE FROM cps WHERE device_id IN (%1)").arg(deviceIds), {id});
        NetDbHistory(*m_session).removeDevices(deviceIds, id);
        m_session->exec(QStringLiteral("DELETE FROM nvs WHERE object_id IN (%1)").arg(objects), {id});
        m_session->exec(QStringLiteral("DELETE FROM lonmark_objects WHERE device_id IN (%1)").arg(deviceIds),
                        {id});
        m_session->exec(QStringLiteral("DELETE FROM devices WHERE subsystem_id IN (%1)").arg(subsystems),
                        {id});
        m_session->exec(QStringLiteral("DELETE FROM subsystems WHERE network_id = ?"), {id});
        m_session->exec(QStringLiteral("DELETE FROM plugin_registrations WHERE network_id = ?"), {id});
        m_session->exec(QStringLiteral("DELETE FROM networks WHERE id = ?"), {id});
    });
    return devices;
}

void NetDbAdministration::setDeviceReachable(const QString &network, const QString &subsystemPath,
                                             const QString &deviceName, bool reachable)
{
    m_session->exec(QStringLiteral("UPDATE devices SET reachable = ? WHERE id = ?"),
                    {reachable ? 1 : 0, deviceId(network, subsystemPath, deviceName)},
                    NetDbWriteScope::Values);
}

void NetDbAdministration::appendPaths(qint64 netId, const QVariant &parentId, const QString &prefix,
                                      QStringList &paths) const
{
    const IdNameList children =
        parentId.isNull()
            ? m_session->selectIdNames(QStringLiteral("SELECT id, name FROM subsystems WHERE network_id = ? "
                                                      "AND parent_id IS NULL ORDER BY id"),
                                       {netId})
            : m_session->selectIdNames(
                  QStringLiteral("SELECT id, name FROM subsystems WHERE parent_id = ? ORDER BY id"),
                  {parentId});
    for (const auto &[id, name] : children) {
        const QString path = prefix + QLatin1Char('.') + name;
        paths.append(path);
        appendPaths(netId, id, path, paths);
    }
}

QStringList NetDbAdministration::subsystemPaths(const QString &network) const
{
    const qint64 netId = networkId(network);
    const QString systemName =
        m_session
            ->selectRow(QStringLiteral("SELECT system_name FROM networks WHERE id = ?"), {netId}, network)
            .at(0)
            .toString();
    QStringList paths;
    appendPaths(netId, QVariant(), systemName, paths);
    return paths;
}

QStringList NetDbAdministration::deviceNames(const QString &network, const QString &subsystemPath) const
{
    const qint64 netId = networkId(network);
    const qint64 subId = findSubsystem(netId, network, subsystemPath);
    if (subId == 0)
        throw LnsError(
            LnsErrorCode::NotFound,
            QStringLiteral("There is no subsystem \"%1\" in network \"%2\".").arg(subsystemPath, network));
    QStringList names;
    for (const auto &row : m_session->selectIdNames(
             QStringLiteral("SELECT id, name FROM devices WHERE subsystem_id = ? ORDER BY id"), {subId}))
        names.append(row.second);
    return names;
}
