#include "params/cParam1Byte.h"

#include "params/FileNumber.h"
#include "platform/services/TextUtility.h"
#include "template/ParamEnums.h"
#include "template/TemplateNumber.h"

int cParam1Byte::ClassId() const
{
    return PA_CLASSID_1BYTE_PARAMETER;
}

void cParam1Byte::setValue(qint32 value)
{
    m_value = value;
    setChanged(true);
}

void cParam1Byte::ConsiderPartOfCpOnly(int bytePos, int)
{
    checkAndSetPosition(bytePos, 1);
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

void cParam1Byte::readDirect(const LnsRef<LnsConfigProperty> &cp)
{
    setValue(static_cast<qint32>(RawFieldAccess::read(cp, field())));
}

void cParam1Byte::writeDirect(const LnsRef<LnsConfigProperty> &cp)
{
    RawFieldAccess::write(cp, field(), m_value);
}

void cParam1Byte::readExternal(cConfigProp &cp)
{
    setValue(static_cast<qint32>(RawFieldAccess::read(cp, field())));
}

void cParam1Byte::writeExternal(cConfigProp &cp)
{
    RawFieldAccess::write(cp, field(), m_value);
}
