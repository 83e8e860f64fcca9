#include "params/cParam2Byte.h"

#include "platform/services/TextUtility.h"
#include "template/ParamEnums.h"
#include "template/TemplateNumber.h"

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

void cParam2Byte::ConsiderPartOfCpOnly(int bytePos, int)
{
    checkAndSetPosition(bytePos, 2);
}

QString cParam2Byte::FileValueText() const
{
    return QString::number(m_value1) + QLatin1Char(',') + QString::number(m_value2);
}

void cParam2Byte::SetValueFromFileText(const QString &text)
{
    if (text.trimmed().isEmpty())
        return;
    const auto number = [&](int n) {
        return static_cast<qint32>(TemplateNumber::roundHalfEven(
            TextUtility::NumberValue(TextUtility::FieldOf(text, n, QStringLiteral(",")))));
    };
    setValue1(number(1));
    setValue2(number(2));
}

void cParam2Byte::readDirect(const LnsRef<LnsConfigProperty> &cp)
{
    setValue(static_cast<qint32>(RawFieldAccess::read(cp, field())));
}

void cParam2Byte::writeDirect(const LnsRef<LnsConfigProperty> &cp)
{
    RawFieldAccess::write(cp, field(), Value());
}

void cParam2Byte::readExternal(cConfigProp &cp)
{
    setValue(static_cast<qint32>(RawFieldAccess::read(cp, field())));
}

void cParam2Byte::writeExternal(cConfigProp &cp)
{
    RawFieldAccess::write(cp, field(), Value());
}
