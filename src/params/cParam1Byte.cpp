#include "params/cParam1Byte.h"

#include "params/FileNumber.h"
#include "template/ParamEnums.h"

int cParam1Byte::ClassId() const
{
    return PA_CLASSID_1BYTE_PARAMETER;
}

void cParam1Byte::setValue(qint32 value)
{
    m_value = value;
    setChanged(true);
}

QString cParam1Byte::FileValueText() const
{
    return QString::number(m_value);
}

QString cParam1Byte::FileTextProblem(const QString &text) const
{
    // Any number the byte holds, read signed or unsigned: -1 and 255 are the same byte.
    return FileNumber::integerProblem(text, FileNumber::fieldMin(1), FileNumber::fieldMax(1));
}

void cParam1Byte::SetValueFromFileText(const QString &text)
{
    if (const std::optional<qint64> value =
            FileNumber::integer(text, FileNumber::fieldMin(1), FileNumber::fieldMax(1))) {
        // Kept as the device's byte reads back (200 and -56 are one byte), so
        // a set taken before a write equals the set read after it.
        const qint32 byte = static_cast<qint32>(*value) & 0xFF;
        setValue(SignedValue() ? static_cast<qint8>(byte) : byte);
    }
}
