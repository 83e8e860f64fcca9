#include "platform/netdb/NetDbProjectOverview.h"

#include "platform/lns/LnsError.h"
#include "platform/netdb/CpValueText.h"
#include "platform/netdb/NetDbNetwork.h"
#include "platform/netdb/NetDbSession.h"

#include <QHash>
#include <QTimeZone>

namespace {
// The devices of the network: every statement below joins through this.
const char *const OfNetwork = " JOIN devices d ON d.id = %1 JOIN subsystems s ON s.id = d.subsystem_id "
                              "WHERE s.network_id = ?";
} // namespace

NetDbProjectOverview::NetDbProjectOverview(NetDbSessionRef session, qint64 networkId)
    : m_session(std::move(session)), m_networkId(networkId)
{
}

std::unique_ptr<NetDbProjectOverview> NetDbProjectOverview::of(const LnsRef<LnsNetwork> &network)
{
    const auto *own = dynamic_cast<const NetDbNetwork *>(network.get());
    if (!own)
        return {};
    return std::make_unique<NetDbProjectOverview>(own->session(), own->id());
}

QList<NetDbProjectOverview::Device> NetDbProjectOverview::devices() const
{
    QList<Device> devices;
    QHash<qint64, qsizetype> rowOf;
    const auto rows = m_session->select(
        QStringLiteral("SELECT d.id, d.subsystem_id, d.name, d.program_id, d.reachable FROM subsystems s "
                       "JOIN devices d ON d.subsystem_id = s.id WHERE s.network_id = ?"),
        {m_networkId});
    devices.reserve(rows.size());
    rowOf.reserve(rows.size());
    for (const QVariantList &row : rows) {
        Device device;
        device.id = row.at(0).toLongLong();
        device.subsystemId = row.at(1).toLongLong();
        device.name = row.at(2).toString();
        device.programId = row.at(3).toString();
        device.reachable = row.at(4).toInt() != 0;
        rowOf.insert(device.id, devices.size());
        devices.append(device);
    }

    // The slots of every device of the project, from the index made for
    // them alone (the name a literal, so that the planner takes it); the
    // devices of other networks are passed over here.
    for (const QVariantList &row : m_session->select(
             QStringLiteral("SELECT device_id, bytes FROM cps WHERE name = '%1'").arg(modulesCpName()))) {
        const auto at = rowOf.constFind(row.at(0).toLongLong());
        if (at != rowOf.constEnd())
            devices[*at].modules = CpValueText::fromStored(row.at(1).toString());
    }

    // A file of an earlier version that could not take the history tables
    // lists its devices without writes.
    QList<QVariantList> writes;
    try {
        writes = m_session->select(
            QStringLiteral(
                "SELECT h.device_id, h.written_at, h.user_name, h.host_name FROM config_history h "
                "JOIN (SELECT device_id, max(number) AS last FROM config_history GROUP BY device_id) "
                "m ON m.device_id = h.device_id AND m.last = h.number") +
                QString::fromLatin1(OfNetwork).arg(QStringLiteral("h.device_id")),
            {m_networkId});
    } catch (const LnsError &) {
    }
    for (const QVariantList &row : writes) {
        const auto at = rowOf.constFind(row.at(0).toLongLong());
        if (at == rowOf.constEnd())
            continue;
        Device &device = devices[*at];
        device.lastWritten = QDateTime::fromString(row.at(1).toString(), Qt::ISODateWithMs);
        device.lastWritten.setTimeZone(QTimeZone::utc());
        device.lastWriter = row.at(2).toString() + QLatin1Char('@') + row.at(3).toString();
    }
    return devices;
}
