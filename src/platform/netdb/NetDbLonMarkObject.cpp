#include "platform/netdb/NetDbLonMarkObject.h"

#include "platform/lns/LnsError.h"
#include "platform/netdb/NetDbSession.h"

NetDbLonMarkObject::NetDbLonMarkObject(NetDbSessionRef session, qint64 id)
    : m_session(std::move(session)), m_id(id)
{
}

QVariantList NetDbLonMarkObject::row() const
{
    return m_session->selectRow(
        QStringLiteral("SELECT name, profile_key, device_id FROM lonmark_objects WHERE id = ?"), {m_id},
        QStringLiteral("The LonMark object no longer exists."));
}

std::shared_ptr<LnsObject> NetDbLonMarkObject::parent() const
{
    return NetDbObjects::device(m_session, row().at(2).toLongLong());
}

QString NetDbLonMarkObject::name() const
{
    return row().at(0).toString();
}

void NetDbLonMarkObject::setName(const QString &name)
{
    if (name.trimmed().isEmpty())
        throw LnsError(LnsErrorCode::InvalidValue, QStringLiteral("A LonMark object needs a name."));
    // The object must still exist. A write of the whole set names every
    // object again, mostly as it is named: the same name changes nothing
    // and costs no statement, and what was read stays valid.
    if (row().at(0).toString() == name)
        return;
    m_session->exec(QStringLiteral("UPDATE lonmark_objects SET name = ? WHERE id = ?"), {name, m_id},
                    NetDbWriteScope::Values);
}

int NetDbLonMarkObject::functionalProfileKey() const
{
    return row().at(1).toInt();
}

LnsCollectionRef<LnsConfigProperty> NetDbLonMarkObject::configProperties() const
{
    if (!m_cps)
        m_cps = NetDbObjects::cpsOfObject(m_session, m_id);
    return m_cps;
}

LnsCollectionRef<LnsNetworkVariable> NetDbLonMarkObject::networkVariables() const
{
    if (!m_nvs)
        m_nvs = NetDbObjects::nvsOfObject(m_session, m_id);
    return m_nvs;
}
