#include "platform/netdb/NetDbDeviceListing.h"

#include "platform/netdb/NetDbAppDevice.h"
#include "platform/netdb/NetDbNetwork.h"
#include "platform/netdb/NetDbSession.h"

#include <QHash>
#include <functional>

NetDbDeviceListing::NetDbDeviceListing(NetDbSessionRef session, qint64 networkId)
    : m_session(std::move(session)), m_networkId(networkId)
{
}

std::unique_ptr<NetDbDeviceListing> NetDbDeviceListing::of(const LnsRef<LnsNetwork> &network)
{
    const auto *own = dynamic_cast<const NetDbNetwork *>(network.get());
    if (!own)
        return {};
    return std::make_unique<NetDbDeviceListing>(own->session(), own->id());
}

qint64 NetDbDeviceListing::idOf(const LnsRef<LnsAppDevice> &device)
{
    const auto *own = dynamic_cast<const NetDbAppDevice *>(device.get());
    return own ? own->id() : 0;
}

int NetDbDeviceListing::deviceCount() const
{
    return m_session
        ->selectRow(
            QStringLiteral("SELECT count(*) FROM devices d JOIN subsystems s ON s.id = d.subsystem_id "
                           "WHERE s.network_id = ?"),
            {m_networkId}, {})
        .at(0)
        .toInt();
}

QList<NetDbDeviceListing::Subsystem> NetDbDeviceListing::subsystems() const
{
    const QString systemName =
        m_session
            ->selectRow(QStringLiteral("SELECT system_name FROM networks WHERE id = ?"), {m_networkId},
                        QStringLiteral("The network no longer exists."))
            .at(0)
            .toString();
    struct Row
    {
        QVariant parent;
        QString name;
    };
    QHash<qint64, Row> rows;
    for (const QVariantList &row :
         m_session->select(QStringLiteral("SELECT id, parent_id, name FROM subsystems WHERE network_id = ?"),
                           {m_networkId}))
        rows.insert(row.at(0).toLongLong(), Row{row.at(1), row.at(2).toString()});

    // Paths are built top down once per subsystem; a parent's path is kept
    // for its children.
    QHash<qint64, QString> paths;
    std::function<QString(qint64)> pathOf = [&](qint64 id) -> QString {
        const auto known = paths.constFind(id);
        if (known != paths.constEnd())
            return *known;
        const Row &row = rows[id];
        const QString above = row.parent.isNull() || !rows.contains(row.parent.toLongLong())
                                  ? systemName
                                  : pathOf(row.parent.toLongLong());
        const QString path = above + QLatin1Char('.') + row.name;
        paths.insert(id, path);
        return path;
    };
    QList<Subsystem> result;
    result.reserve(rows.size());
    for (auto it = rows.constBegin(); it != rows.constEnd(); ++it)
        result.append(Subsystem{it.key(), pathOf(it.key())});
    return result;
}

QList<NetDbDeviceListing::Device> NetDbDeviceListing::devicesOf(qint64 subsystemId) const
{
    QList<Device> result;
    const QList<QVariantList> rows = m_session->select(
        QStringLiteral("SELECT id, name, program_id, reachable FROM devices WHERE subsystem_id = ?"),
        {subsystemId});
    result.reserve(rows.size());
    for (const QVariantList &row : rows)
        result.append(
            Device{row.at(0).toLongLong(), row.at(1).toString(), row.at(2).toString(), row.at(3).toBool()});
    return result;
}

LnsRef<LnsAppDevice> NetDbDeviceListing::device(qint64 deviceId) const
{
    return NetDbObjects::device(m_session, deviceId);
}
