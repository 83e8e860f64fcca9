#include "platform/netdb/NetDbNetworkCopy.h"

#include "platform/lns/LnsError.h"
#include "platform/netdb/NetDbAdministration.h"
#include "platform/netdb/NetDbHistory.h"
#include "platform/netdb/NetDbSchema.h"
#include "platform/netdb/NetDbSession.h"

namespace {
const QVariant kNoId = QVariant(QMetaType::fromType<qint64>());

// Values as the target binds them, whichever database they were read from.
QString text(const QVariantList &row, int column)
{
    return row.at(column).toString();
}

qint64 number(const QVariantList &row, int column)
{
    return row.at(column).toLongLong();
}

// The id a row of the source has in the target; a reference the copy did not
// make means the source contradicts itself, and nothing is stored.
qint64 mapped(const QHash<qint64, qint64> &ids, qint64 sourceId, const char *what)
{
    const auto it = ids.constFind(sourceId);
    if (it == ids.constEnd())
        throw LnsError(LnsErrorCode::Database,
                       QStringLiteral("The network cannot be copied: a row refers to %1 %2, which is not "
                                      "part of the network.")
                           .arg(QLatin1String(what))
                           .arg(sourceId));
    return it.value();
}

QVariant mappedOwner(const QHash<qint64, qint64> &ids, const QVariant &sourceId, const char *what)
{
    return sourceId.isNull() ? kNoId : QVariant(mapped(ids, sourceId.toLongLong(), what));
}
} // namespace

NetDbNetworkCopy::NetDbNetworkCopy(NetDbSessionRef source, NetDbSessionRef target)
    : m_source(std::move(source)), m_target(std::move(target))
{
}

bool NetDbNetworkCopy::hasHistory(NetDbSession &session)
{
    // A file of an earlier version, opened only to be read, may lack the
    // tables of the history.
    try {
        session.selectFresh(QStringLiteral("SELECT 1 FROM config_history WHERE 0 = 1"));
        return true;
    } catch (const LnsError &) {
        return false;
    }
}

int NetDbNetworkCopy::copy(const QString &name, const QString &newName)
{
    const QString targetName = newName.isEmpty() ? name : newName;
    // Asked before any transaction: a failed statement inside one would end it.
    const bool sourceHistory = hasHistory(*m_source);
    const bool targetHistory = !sourceHistory || hasHistory(*m_target);
    m_subsystems.clear();
    m_sets.clear();
    int devices = 0;
    const auto work = [&] {
        const QVariantList network =
            m_source->selectRow(QStringLiteral("SELECT id, system_name FROM networks WHERE name = ?"), {name},
                                QStringLiteral("There is no network \"%1\" in the network database \"%2\".")
                                    .arg(name, m_source->shownLocation()));
        m_target->atomically([&] {
            if (!m_target->selectFresh(QStringLiteral("SELECT id FROM networks WHERE name = ?"), {targetName})
                     .isEmpty())
                throw LnsError(LnsErrorCode::InvalidArgument,
                               QStringLiteral("The network database \"%1\" holds a network \"%2\" already; "
                                              "nothing was copied.")
                                   .arg(m_target->shownLocation(), targetName));
            if (!targetHistory) {
                for (const QString &statement : NetDbSchema::historyStatements())
                    m_target->exec(statement);
            }
            NetDbAdministration administration(m_target);
            administration.createNetwork(targetName, text(network, 1));
            const qint64 toNetwork = administration.networkId(targetName);
            copySubsystems(number(network, 0), toNetwork);
            copyRegistrations(number(network, 0), toNetwork);
            devices = copyDevices(number(network, 0), sourceHistory);
        });
    };
    // A copy within one client reads inside its own write transaction.
    if (m_source == m_target)
        m_target->atomically(work);
    else
        m_source->readSnapshot(work);
    m_subsystems.clear();
    m_sets.clear();
    return devices;
}

void NetDbNetworkCopy::copySubsystems(qint64 fromNetwork, qint64 toNetwork)
{
    QList<QVariantList> pending = m_source->selectFresh(
        QStringLiteral("SELECT id, parent_id, name FROM subsystems WHERE network_id = ? ORDER BY id"),
        {fromNetwork});
    // A parent goes in before its children: it usually has the smaller id,
    // but the ids of another database need not say so.
    while (!pending.isEmpty()) {
        QList<QVariantList> waiting;
        for (const QVariantList &row : std::as_const(pending)) {
            const QVariant parent = row.at(1);
            if (!parent.isNull() && !m_subsystems.contains(parent.toLongLong())) {
                waiting.append(row);
                continue;
            }
            m_subsystems.insert(
                number(row, 0),
                m_target->insert(
                    QStringLiteral("subsystems"),
                    {QStringLiteral("network_id"), QStringLiteral("parent_id"), QStringLiteral("name")},
                    {toNetwork, mappedOwner(m_subsystems, parent, "subsystem"), text(row, 2)}));
        }
        if (waiting.size() == pending.size()) // a parent outside the network: this raises
            mapped(m_subsystems, number(waiting.first(), 1), "subsystem");
        pending = std::move(waiting);
    }
}

void NetDbNetworkCopy::copyRegistrations(qint64 fromNetwork, qint64 toNetwork)
{
    const QStringList columns{QStringLiteral("program_id"),   QStringLiteral("object_type"),
                              QStringLiteral("name"),         QStringLiteral("command_id"),
                              QStringLiteral("class_id"),     QStringLiteral("description"),
                              QStringLiteral("project_name"), QStringLiteral("class_name"),
                              QStringLiteral("version"),      QStringLiteral("manufacturer_id")};
    QList<QVariantList> rows;
    for (const QVariantList &row : m_source->selectFresh(QStringLiteral("SELECT %1 FROM plugin_registrations "
                                                                        "WHERE network_id = ? ORDER BY id")
                                                             .arg(columns.join(QStringLiteral(", "))),
                                                         {fromNetwork}))
        rows.append({toNetwork, text(row, 0), number(row, 1), text(row, 2), number(row, 3), number(row, 4),
                     text(row, 5), text(row, 6), text(row, 7), text(row, 8), text(row, 9)});
    m_target->insertAll(QStringLiteral("plugin_registrations"),
                        QStringList{QStringLiteral("network_id")} + columns, rows);
}

int NetDbNetworkCopy::copyDevices(qint64 fromNetwork, bool withHistory)
{
    // The device rows alone are small; what each device holds is read when
    // its turn comes.
    const auto devices = m_source->selectFresh(
        QStringLiteral(
            "SELECT d.id, d.subsystem_id, d.name, d.program_id, d.model, d.reachable FROM devices d "
            "JOIN subsystems s ON s.id = d.subsystem_id WHERE s.network_id = ? ORDER BY d.id"),
        {fromNetwork});
    for (const QVariantList &row : devices)
        copyDevice(row, withHistory);
    return static_cast<int>(devices.size());
}

// Stores what `values` makes of each row the query reads from the source,
// whose first column is the row's id; the target's ids by the source's.
QHash<qint64, qint64>
NetDbNetworkCopy::insertRows(const QString &table, const QStringList &columns, const QString &query,
                             const QVariantList &binds,
                             const std::function<QVariantList(const QVariantList &)> &values)
{
    QList<qint64> sourceIds;
    QList<QVariantList> rows;
    for (const QVariantList &row : m_source->selectFresh(query, binds)) {
        sourceIds.append(number(row, 0));
        rows.append(values(row));
    }
    const QList<qint64> targetIds = m_target->insertAll(table, columns, rows);
    QHash<qint64, qint64> ids;
    ids.reserve(sourceIds.size());
    for (qsizetype i = 0; i < sourceIds.size(); ++i)
        ids.insert(sourceIds.at(i), targetIds.at(i));
    return ids;
}

void NetDbNetworkCopy::copyDevice(const QVariantList &device, bool withHistory)
{
    const qint64 fromDevice = number(device, 0);
    const qint64 toDevice =
        m_target->insert(QStringLiteral("devices"),
                         {QStringLiteral("subsystem_id"), QStringLiteral("name"),
                          QStringLiteral("program_id"), QStringLiteral("model"), QStringLiteral("reachable")},
                         {mapped(m_subsystems, number(device, 1), "subsystem"), text(device, 2),
                          text(device, 3), text(device, 4), number(device, 5)});

    const QHash<qint64, qint64> objects = insertRows(
        QStringLiteral("lonmark_objects"),
        {QStringLiteral("device_id"), QStringLiteral("position"), QStringLiteral("name"),
         QStringLiteral("profile_key")},
        QStringLiteral("SELECT id, position, name, profile_key FROM lonmark_objects WHERE device_id = ? "
                       "ORDER BY position, id"),
        {fromDevice}, [&](const QVariantList &row) -> QVariantList {
            return {toDevice, number(row, 1), text(row, 2), number(row, 3)};
        });

    const QHash<qint64, qint64> nvs = insertRows(
        QStringLiteral("nvs"),
        {QStringLiteral("object_id"), QStringLiteral("position"), QStringLiteral("name"),
         QStringLiteral("type_id"), QStringLiteral("allowed_types"), QStringLiteral("value")},
        QStringLiteral("SELECT n.id, n.object_id, n.position, n.name, n.type_id, n.allowed_types, n.value "
                       "FROM nvs n JOIN lonmark_objects o ON o.id = n.object_id WHERE o.device_id = ? "
                       "ORDER BY n.object_id, n.position, n.id"),
        {fromDevice}, [&](const QVariantList &row) -> QVariantList {
            return {mapped(objects, number(row, 1), "LonMark object"),
                    number(row, 2),
                    text(row, 3),
                    number(row, 4),
                    text(row, 5),
                    text(row, 6)};
        });

    // The device's own CPs, its objects' and its NVs': one query for all. A
    // CP has one owner; each branch reads the CPs of one kind of owner.
    const QHash<qint64, qint64> thisDevice{{fromDevice, toDevice}};
    insertRows(QStringLiteral("cps"),
               {QStringLiteral("device_id"), QStringLiteral("object_id"), QStringLiteral("nv_id"),
                QStringLiteral("position"), QStringLiteral("name"), QStringLiteral("element_length"),
                QStringLiteral("dimension"), QStringLiteral("bytes")},
               QStringLiteral("SELECT %1 FROM cps c WHERE c.device_id = ? "
                              "UNION ALL SELECT %1 FROM cps c JOIN lonmark_objects o ON o.id = c.object_id "
                              "WHERE o.device_id = ? "
                              "UNION ALL SELECT %1 FROM cps c JOIN nvs n ON n.id = c.nv_id "
                              "JOIN lonmark_objects o ON o.id = n.object_id WHERE o.device_id = ?")
                   .arg(QStringLiteral("c.id, c.device_id, c.object_id, c.nv_id, c.position, c.name, "
                                       "c.element_length, c.dimension, c.bytes")),
               {fromDevice, fromDevice, fromDevice}, [&](const QVariantList &row) -> QVariantList {
                   return {mappedOwner(thisDevice, row.at(1), "device"),
                           mappedOwner(objects, row.at(2), "LonMark object"),
                           mappedOwner(nvs, row.at(3), "NV"),
                           number(row, 4),
                           text(row, 5),
                           number(row, 6),
                           number(row, 7),
                           text(row, 8)};
               });

    if (withHistory)
        copyHistory(fromDevice, toDevice);
}

void NetDbNetworkCopy::copyHistory(qint64 fromDevice, qint64 toDevice)
{
    const auto entries = m_source->selectFresh(
        QStringLiteral("SELECT number, written_at, user_name, host_name, program, summary, before_set, "
                       "after_set FROM config_history WHERE device_id = ? ORDER BY number"),
        {fromDevice});
    bool unknownSet = false;
    for (const QVariantList &row : entries)
        unknownSet = unknownSet || !m_sets.contains(number(row, 6)) || !m_sets.contains(number(row, 7));
    if (unknownSet) {
        // One configuration serves the entries of many devices (a reference
        // set applied to all of them): it is read and stored once.
        NetDbHistory history(*m_target);
        for (const QVariantList &row : m_source->selectFresh(
                 QStringLiteral("SELECT id, content FROM config_sets WHERE id IN (SELECT before_set FROM "
                                "config_history WHERE device_id = ?) OR id IN (SELECT after_set FROM "
                                "config_history WHERE device_id = ?)"),
                 {fromDevice, fromDevice})) {
            if (!m_sets.contains(number(row, 0)))
                m_sets.insert(number(row, 0), history.storeSet(text(row, 1)));
        }
    }
    QList<QVariantList> rows;
    for (const QVariantList &row : entries)
        rows.append({toDevice, number(row, 0), text(row, 1), text(row, 2), text(row, 3), text(row, 4),
                     text(row, 5), mapped(m_sets, number(row, 6), "configuration"),
                     mapped(m_sets, number(row, 7), "configuration")});
    m_target->insertAll(QStringLiteral("config_history"),
                        {QStringLiteral("device_id"), QStringLiteral("number"), QStringLiteral("written_at"),
                         QStringLiteral("user_name"), QStringLiteral("host_name"), QStringLiteral("program"),
                         QStringLiteral("summary"), QStringLiteral("before_set"),
                         QStringLiteral("after_set")},
                        rows, NetDbWriteScope::History);
}
