#include "params/cConfigProp.h"

#include "params/cParams.h"
#include "platform/AppError.h"
#include "platform/lns/RawFormatScope.h"
#include "platform/services/TextUtility.h"
#include "template/ParamEnums.h"

#include <span>

namespace {
const QString RawFormat = QStringLiteral("RAW");

[[noreturn]] void raiseSubscript()
{
    throw AppError(9, QStringLiteral("cConfigProp"), QStringLiteral("Subscript out of range"));
}
} // namespace

int cConfigProp::ClassId() const
{
    return PA_CLASSID_CONFIG_PROPERTY;
}

void cConfigProp::init(cParams *parent, const QString &name, const LnsRef<LnsConfigProperty> &cp,
                       const QString &cpIniName)
{
    m_parent = parent;
    m_name = name;
    m_configProperty = cp;
    m_cpIniName = cpIniName;
    m_available = cp != nullptr;
}

int cConfigProp::Dimension()
{
    if (!m_configProperty)
        return -1;
    if (m_dimension == 0)
        m_dimension = m_configProperty->dimension();
    return m_dimension;
}

int cConfigProp::ElementByteLength()
{
    if (!m_configProperty)
        return -1;
    if (m_elementByteLength == 0)
        m_elementByteLength = m_configProperty->elementLength();
    return m_elementByteLength;
}

int cConfigProp::ByteLength()
{
    if (!m_configProperty)
        return -1;
    if (m_byteLength == 0) {
        const qint64 length = qint64(Dimension()) * ElementByteLength();
        if (length > 32767)
            throw AppError(6, QStringLiteral("cConfigProp"), QStringLiteral("Overflow"));
        m_byteLength = static_cast<int>(length);
    }
    return m_byteLength;
}

quint8 cConfigProp::ByteValue(int index)
{
    if (!m_bytesLoaded) {
        m_bytesLoaded = true;
        ReadFromLns();
    }
    checkIndex(index);
    return m_bytes.at(index - 1);
}

void cConfigProp::setByteValue(int index, quint8 value)
{
    checkIndex(index);
    m_bytes[index - 1] = value;
}

void cConfigProp::checkIndex(int index) const
{
    if (index < 1 || index > m_bytes.size())
        raiseSubscript();
}

void cConfigProp::allocate()
{
    if (m_bytes.isEmpty() && m_configProperty)
        m_bytes = QList<quint8>(qMax(ByteLength(), 0), 0);
}

void cConfigProp::parseInto(const QString &rawText, int position)
{
    if (position < 1 || position > m_bytes.size())
        return;
    // Stops at the first piece that is no byte, or when the bytes are full;
    // what was stored so far stays.
    TextUtility::ParseRaw(rawText,
                          std::span<quint8>(m_bytes.data() + position - 1, m_bytes.size() - position + 1));
}

QString cConfigProp::format(int position, int count) const
{
    if (position < 1 || count <= 0 || position - 1 + count > m_bytes.size())
        raiseSubscript();
    return TextUtility::FormatRaw(std::span<const quint8>(m_bytes.data() + position - 1, count));
}

void cConfigProp::ReadFromLns(bool fetchCpIfRequired)
{
    if (fetchCpIfRequired && !FetchCp())
        return;
    if (!m_configProperty)
        return;
    allocate();
    RawFormatScope raw(*m_configProperty);
    const int dimension = Dimension();
    if (dimension == 1) {
        parseInto(m_configProperty->value(), 1);
    } else {
        const int elementLength = ElementByteLength();
        for (int i = 1; i <= dimension; ++i)
            parseInto(m_configProperty->elementValue(i - 1), (i - 1) * elementLength + 1);
    }
}

void cConfigProp::WriteToLns()
{
    if (!m_configProperty)
        return;
    // A CP that refuses its bytes raises to the caller, which must not
    // commit a set with a part missing; the format comes back either way.
    RawFormatScope raw(*m_configProperty);
    const int dimension = Dimension();
    const int elementLength = ElementByteLength();
    if (dimension == 1) {
        m_configProperty->setValue(format(1, elementLength));
    } else {
        for (int i = 1; i <= dimension; ++i)
            m_configProperty->setElementValue(i - 1, format((i - 1) * elementLength + 1, elementLength));
    }
}

bool cConfigProp::FetchCp(bool forceFetch)
{
    if (!m_available)
        return false;
    if (m_configProperty && !forceFetch)
        return true;
    if (!m_parent)
        return false;
    LnsRef<LnsConfigProperty> found;
    if (!m_parent->FetchCpOfOwner(m_cpIniName, m_cpOwner, found))
        return false;
    m_configProperty = found;
    allocate();
    return true;
}
