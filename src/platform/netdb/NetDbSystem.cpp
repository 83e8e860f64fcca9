#include "platform/netdb/NetDbSystem.h"

#include "platform/lns/LnsError.h"
#include "platform/netdb/NetDbSession.h"

NetDbSystem::NetDbSystem(NetDbSessionRef session, qint64 networkId)
    : m_session(std::move(session)), m_networkId(networkId)
{
}

std::shared_ptr<LnsObject> NetDbSystem::parent() const
{
    return NetDbObjects::network(m_session, m_networkId);
}

QString NetDbSystem::name() const
{
    return m_session
        ->selectRow(QStringLiteral("SELECT system_name FROM networks WHERE id = ?"), {m_networkId},
                    QStringLiteral("The network of this system no longer exists."))
        .at(0)
        .toString();
}

LnsCollectionRef<LnsSubsystem> NetDbSystem::subsystems() const
{
    if (!m_subsystems)
        m_subsystems = NetDbObjects::subsystemsOfSystem(m_session, m_networkId);
    return m_subsystems;
}

void NetDbSystem::startTransaction()
{
    m_session->beginTransaction();
}

void NetDbSystem::commitTransaction()
{
    m_session->commitTransaction();
}

void NetDbSystem::cancelTransaction()
{
    m_session->cancelTransaction();
}

bool NetDbSystem::inTransaction() const
{
    return m_session->inTransaction();
}

void NetDbSystem::prepareDeviceWrite(int value)
{
    m_session->requireOpen();
    m_session->deviceWritePrepared = true;
    m_session->deviceWriteValue = value;
}

void NetDbSystem::finishDeviceWrite()
{
    if (!m_session->deviceWritePrepared)
        throw LnsError(LnsErrorCode::InvalidArgument,
                       QStringLiteral("A device write was finished that had not been prepared."));
    m_session->deviceWritePrepared = false;
}

bool NetDbSystem::deviceWritePrepared() const
{
    return m_session->deviceWritePrepared;
}

void NetDbSystem::openMonitorSet()
{
    m_session->requireOpen();
    m_session->openMonitorSets.insert(m_networkId);
}

void NetDbSystem::closeMonitorSet()
{
    m_session->deactivateMonitoring(m_networkId);
    m_session->openMonitorSets.remove(m_networkId);
}

bool NetDbSystem::monitorSetOpen() const
{
    return m_session->openMonitorSets.contains(m_networkId);
}
