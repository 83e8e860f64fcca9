#include "platform/netdb/NetDbNetwork.h"

#include "platform/netdb/NetDbSession.h"

NetDbNetwork::NetDbNetwork(NetDbSessionRef session, qint64 id) : m_session(std::move(session)), m_id(id) {}

QString NetDbNetwork::name() const
{
    return m_session
        ->selectRow(QStringLiteral("SELECT name FROM networks WHERE id = ?"), {m_id},
                    QStringLiteral("The network no longer exists."))
        .at(0)
        .toString();
}

LnsRef<LnsSystem> NetDbNetwork::system() const
{
    return NetDbObjects::system(m_session, m_id);
}

void NetDbNetwork::registerPlugin(const LnsPluginRegistration &r)
{
    name(); // the network must still exist
    m_session->atomically([&] {
        m_session->exec(QStringLiteral("DELETE FROM plugin_registrations WHERE network_id = ? AND program_id "
                                       "= ? AND command_id = ?"),
                        {m_id, r.programId, r.commandId});
        m_session->insert(
            QStringLiteral("plugin_registrations"),
            {QStringLiteral("network_id"), QStringLiteral("program_id"), QStringLiteral("object_type"),
             QStringLiteral("name"), QStringLiteral("command_id"), QStringLiteral("class_id"),
             QStringLiteral("description"), QStringLiteral("project_name"), QStringLiteral("class_name"),
             QStringLiteral("version"), QStringLiteral("manufacturer_id")},
            {m_id, r.programId, r.objectType, r.name, r.commandId, r.classId, r.description, r.projectName,
             r.className, r.version, r.manufacturerId});
    });
}

QList<LnsPluginRegistration> NetDbNetwork::pluginRegistrations() const
{
    QList<LnsPluginRegistration> result;
    const auto rows = m_session->select(
        QStringLiteral(
            "SELECT program_id, object_type, name, command_id, class_id, description, project_name, "
            "class_name, version, manufacturer_id FROM plugin_registrations WHERE network_id = ? "
            "ORDER BY id"),
        {m_id});
    for (const QVariantList &row : rows) {
        LnsPluginRegistration r;
        r.programId = row.at(0).toString();
        r.objectType = row.at(1).toInt();
        r.name = row.at(2).toString();
        r.commandId = row.at(3).toInt();
        r.classId = row.at(4).toInt();
        r.description = row.at(5).toString();
        r.projectName = row.at(6).toString();
        r.className = row.at(7).toString();
        r.version = row.at(8).toString();
        r.manufacturerId = row.at(9).toString();
        result.append(r);
    }
    return result;
}
