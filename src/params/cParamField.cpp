#include "params/cParamField.h"

#include "params/FileNumber.h"
#include "params/ParamError.h"

cParamField::cParamField(const QString &invalidFieldText) : m_invalidFieldText(invalidFieldText) {}

void cParamField::ConsiderPartOfCpOnly(int bytePos, int byteLength)
{
    const LnsRef<LnsConfigProperty> cp = ConfigProperty();
    if (!CpIsExternal() && cp)
        ParamError::checkFieldFits(bytePos, byteLength, cp->elementLength(), m_invalidFieldText);
    m_field.bytePos = bytePos;
    m_field.byteLength = byteLength;
}

RawField cParamField::field() const
{
    RawField f = m_field;
    f.isSigned = signedField();
    return f;
}

void cParamField::storeRead(qint64 raw)
{
    setValue(valueFromRaw(raw));
    setChanged(false);
}

void cParamField::ReadFromLns()
{
    const LnsRef<LnsConfigProperty> cp = ConfigProperty();
    if (CpIsExternal() || !Available() || !cp)
        return;
    storeRead(RawFieldAccess::read(cp, field()));
}

void cParamField::WriteToLns()
{
    const LnsRef<LnsConfigProperty> cp = ConfigProperty();
    if (CpIsExternal() || !Available() || !cp || !hasValue())
        return;
    // A CP that refuses the value keeps its old one; the next read shows it.
    RawFieldAccess::write(cp, field(), rawFromValue());
    setChanged(false);
}

void cParamField::ReadFromExtCp()
{
    if (!CpIsExternal() || !Available())
        return;
    storeRead(RawFieldAccess::read(*ConfigPropExt(), field()));
}

void cParamField::WriteToExtCp()
{
    if (!CpIsExternal() || !Available() || !hasValue())
        return;
    RawFieldAccess::write(*ConfigPropExt(), field(), rawFromValue());
    setChanged(false);
}

QString cParamField::FileValueText() const
{
    return QString::number(m_value);
}

bool cParamField::SetValueFromFileText(const QString &text)
{
    const std::optional<qint64> value =
        FileNumber::integer(text, FileNumber::fieldMin(ByteLength()), FileNumber::fieldMax(ByteLength()));
    if (!value)
        return false;
    setValue(static_cast<qint32>(*value));
    return true;
}
