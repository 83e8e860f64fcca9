#include "params/cParam2Byte.h"

#include "params/FileNumber.h"
#include "template/ParamEnums.h"

int cParam2Byte::ClassId() const
{
    return PA_CLASSID_2BYTE_PARAMETER;
}

void cParam2Byte::setValue(qint32 value)
{
    // Division towards zero: the remainder carries the sign of the value.
    setValue1(value / 256);
    setValue2(value % 256);
}

void cParam2Byte::setValue1(qint32 value)
{
    m_value1 = value;
    setChanged(true);
}

void cParam2Byte::setValue2(qint32 value)
{
    m_value2 = value;
    setChanged(true);
}

QString cParam2Byte::FileValueText() const
{
    return QString::number(m_value1) + QLatin1Char(',') + QString::number(m_value2);
}

bool cParam2Byte::SetValueFromFileText(const QString &text)
{
    // "Value1,Value2"; together they must make a number the two bytes hold,
    // read signed or unsigned.
    const QStringList fields = text.split(QLatin1Char(','));
    if (fields.size() != 2)
        return false;
    const std::optional<qint64> value1 = FileNumber::integer(fields.at(0), -65535, 65535);
    const std::optional<qint64> value2 = FileNumber::integer(fields.at(1), -65535, 65535);
    if (!value1 || !value2)
        return false;
    const qint64 value = *value1 * 256 + *value2;
    if (value < FileNumber::fieldMin(2) || value > FileNumber::fieldMax(2))
        return false;
    setValue1(static_cast<qint32>(*value1));
    setValue2(static_cast<qint32>(*value2));
    return true;
}
