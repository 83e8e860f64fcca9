#include "params/cParamField.h"

#include "params/FileNumber.h"
#include "params/ParamError.h"
#include "params/cConfigProp.h"
#include "platform/AppError.h"

#include <limits>

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

std::optional<cParamField::RawLimits> cParamField::rawLimits(Reading reading) const
{
    int bytes = m_field.byteLength;
    if (m_field.bytePos == 0) {
        try {
            if (CpIsExternal())
                bytes = ConfigPropExt()->ByteLength();
            else if (ConfigProperty())
                bytes = ConfigProperty()->elementLength();
            else
                return std::nullopt;
        } catch (const AppError &) {
            return std::nullopt;
        }
    }
    if (m_field.usedBytes > 0 && m_field.usedBytes < bytes)
        bytes = m_field.usedBytes;
    if (bytes <= 0)
        return std::nullopt;
    // Value is a 32-bit number: wider fields hold all of it.
    if (bytes >= 4)
        return RawLimits{std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()};
    const qint64 half = qint64(1) << (8 * bytes - 1);
    switch (reading) {
    case Reading::Signed:
        return RawLimits{-half, half - 1};
    case Reading::Unsigned:
        return RawLimits{0, 2 * half - 1};
    case Reading::Either:
        break;
    }
    return RawLimits{-half, 2 * half - 1};
}

QString cParamField::FileTextProblem(const QString &text) const
{
    const std::optional<RawLimits> limits = rawLimits(Reading::Either);
    const qint64 min = limits ? limits->min : std::numeric_limits<qint32>::min();
    const qint64 max = limits ? limits->max : std::numeric_limits<qint32>::max();
    return FileNumber::integerProblem(text, min, max);
}

void cParamField::SetValueFromFileText(const QString &text)
{
    if (const std::optional<qint64> value =
            FileNumber::integer(text, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()))
        setValue(static_cast<qint32>(*value));
}
