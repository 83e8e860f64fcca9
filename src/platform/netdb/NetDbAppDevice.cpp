#include "platform/netdb/NetDbAppDevice.h"

#include "platform/lns/LnsError.h"
#include "platform/netdb/NetDbHistory.h"
#include "platform/netdb/NetDbSession.h"

NetDbAppDevice::NetDbAppDevice(NetDbSessionRef session, qint64 id) : m_session(std::move(session)), m_id(id)
{
}

QVariantList NetDbAppDevice::row() const
{
    return m_session->selectRow(
        QStringLiteral("SELECT name, program_id, subsystem_id, reachable FROM devices WHERE id = ?"), {m_id},
        QStringLiteral("The device no longer exists."));
}

std::shared_ptr<LnsObject> NetDbAppDevice::parent() const
{
    return NetDbObjects::subsystem(m_session, row().at(2).toLongLong());
}

QString NetDbAppDevice::name() const
{
    return row().at(0).toString();
}

QString NetDbAppDevice::programId() const
{
    return row().at(1).toString();
}

LnsCollectionRef<LnsLonMarkObject> NetDbAppDevice::lonMarkObjects() const
{
    if (!m_objects)
        m_objects = NetDbObjects::objectsOfDevice(m_session, m_id);
    return m_objects;
}

LnsCollectionRef<LnsConfigProperty> NetDbAppDevice::configProperties() const
{
    if (!m_cps)
        m_cps = NetDbObjects::cpsOfDevice(m_session, m_id);
    return m_cps;
}

LnsCollectionRef<LnsNetworkVariable> NetDbAppDevice::networkVariables() const
{
    if (!m_nvs)
        m_nvs = NetDbObjects::nvsOfDevice(m_session, m_id);
    return m_nvs;
}

void NetDbAppDevice::test(int request)
{
    const QVariantList values = row();
    if (!values.at(3).toBool())
        throw LnsError(LnsErrorCode::DeviceUnreachable,
                       QStringLiteral("Device \"%1\" does not answer (test request %2).")
                           .arg(values.at(0).toString(), QString::number(request)));
}

QList<LnsHistoryEntry> NetDbAppDevice::history() const
{
    return NetDbHistory(*m_session).list(m_id);
}

LnsHistoryEntry NetDbAppDevice::lastWrite() const
{
    return NetDbHistory(*m_session).latest(m_id);
}

LnsHistoryEntry NetDbAppDevice::historyEntry(int number) const
{
    return NetDbHistory(*m_session).entry(m_id, number);
}

int NetDbAppDevice::recordHistory(const LnsHistoryEntry &entry, int keep)
{
    return NetDbHistory(*m_session).record(m_id, entry, keep);
}
