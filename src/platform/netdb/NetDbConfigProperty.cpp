#include "platform/netdb/NetDbConfigProperty.h"

#include "platform/lns/LnsError.h"
#include "platform/netdb/CpValueText.h"
#include "platform/netdb/NetDbSession.h"

NetDbConfigProperty::NetDbConfigProperty(NetDbSessionRef session, qint64 id)
    : m_session(std::move(session)), m_id(id), m_format(CpValueText::RawHex)
{
}

NetDbCpRow NetDbConfigProperty::row() const
{
    return m_session->cpRow(m_id);
}

std::shared_ptr<LnsObject> NetDbConfigProperty::parent() const
{
    const QVariantList owner =
        m_session->selectRow(QStringLiteral("SELECT device_id, object_id, nv_id FROM cps WHERE id = ?"),
                             {m_id}, QStringLiteral("The configuration property no longer exists."));
    if (!owner.at(2).isNull())
        return NetDbObjects::networkVariable(m_session, owner.at(2).toLongLong());
    if (!owner.at(1).isNull())
        return NetDbObjects::lonMarkObject(m_session, owner.at(1).toLongLong());
    return NetDbObjects::device(m_session, owner.at(0).toLongLong());
}

QString NetDbConfigProperty::name() const
{
    return row().name;
}

int NetDbConfigProperty::elementLength() const
{
    return row().elementLength;
}

int NetDbConfigProperty::dimension() const
{
    return row().dimension;
}

void NetDbConfigProperty::setValueFormat(const QString &format)
{
    if (!CpValueText::isKnownFormat(format))
        throw LnsError(LnsErrorCode::InvalidValue,
                       QStringLiteral("\"%1\" is not a value format of configuration property \"%2\".")
                           .arg(format, name()));
    m_format = format;
}

QString NetDbConfigProperty::value() const
{
    return CpValueText::format(row().bytes, m_format);
}

void NetDbConfigProperty::setValue(const QString &text)
{
    const NetDbCpRow current = row();
    store(CpValueText::parse(text, m_format, current.elementLength * current.dimension));
}

void NetDbConfigProperty::checkElement(const NetDbCpRow &current, int k) const
{
    if (k < 0 || k >= current.dimension)
        throw LnsError(LnsErrorCode::InvalidArgument,
                       QStringLiteral("Configuration property \"%1\" has no element %2 (elements 0 to %3).")
                           .arg(current.name, QString::number(k), QString::number(current.dimension - 1)));
}

QString NetDbConfigProperty::elementValue(int k) const
{
    const NetDbCpRow current = row();
    checkElement(current, k);
    return CpValueText::format(current.bytes.mid(k * current.elementLength, current.elementLength), m_format);
}

void NetDbConfigProperty::setElementValue(int k, const QString &text)
{
    NetDbCpRow current = row();
    checkElement(current, k);
    const QList<int> element = CpValueText::parse(text, m_format, current.elementLength);
    for (int i = 0; i < current.elementLength; ++i)
        current.bytes[k * current.elementLength + i] = element.at(i);
    store(current.bytes);
}

void NetDbConfigProperty::store(const QList<int> &bytes)
{
    m_session->storeCpBytes(m_id, bytes);
}
