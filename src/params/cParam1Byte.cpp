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

bool cParam1Byte::SetValueFromFileText(const QString &text)
{
    // Any number the byte holds, read signed or unsigned: -1 and 255 are the same byte.
    const std::optional<qint64> value =
        FileNumber::integer(text, FileNumber::fieldMin(1), FileNumber::fieldMax(1));
    if (!value)
        return false;
    setValue(static_cast<qint32>(*value));
    return true;
}
