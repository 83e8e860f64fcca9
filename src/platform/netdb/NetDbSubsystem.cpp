#include "platform/netdb/NetDbSubsystem.h"

#include "platform/netdb/NetDbSession.h"

NetDbSubsystem::NetDbSubsystem(NetDbSessionRef session, qint64 id) : m_session(std::move(session)), m_id(id)
{
}

QVariantList NetDbSubsystem::row() const
{
    return m_session->selectRow(
        QStringLiteral("SELECT name, network_id, parent_id FROM subsystems WHERE id = ?"), {m_id},
        QStringLiteral("The subsystem no longer exists."));
}

std::shared_ptr<LnsObject> NetDbSubsystem::parent() const
{
    const QVariantList values = row();
    if (!values.at(2).isNull())
        return NetDbObjects::subsystem(m_session, values.at(2).toLongLong());
    return NetDbObjects::system(m_session, values.at(1).toLongLong());
}

QString NetDbSubsystem::name() const
{
    return row().at(0).toString();
}

LnsCollectionRef<LnsAppDevice> NetDbSubsystem::appDevices() const
{
    if (!m_devices)
        m_devices = NetDbObjects::devicesOfSubsystem(m_session, m_id);
    return m_devices;
}

LnsCollectionRef<LnsSubsystem> NetDbSubsystem::subsystems() const
{
    if (!m_subsystems)
        m_subsystems = NetDbObjects::subsystemsOfSubsystem(m_session, m_id);
    return m_subsystems;
}

QString NetDbSubsystem::path() const
{
    QVariantList values = row();
    QStringList names{values.at(0).toString()};
    while (!values.at(2).isNull()) {
        values = m_session->selectRow(
            QStringLiteral("SELECT name, network_id, parent_id FROM subsystems WHERE id = ?"), {values.at(2)},
            QStringLiteral("A subsystem above this one no longer exists."));
        names.prepend(values.at(0).toString());
    }
    names.prepend(NetDbObjects::system(m_session, values.at(1).toLongLong())->name());
    return names.join(QLatin1Char('.'));
}
