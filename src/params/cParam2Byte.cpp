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

namespace {
struct TwoFields
{
    qint64 value1 = 0;
    qint64 value2 = 0;
};

// "Value1,Value2", each a whole number.
std::optional<TwoFields> twoFieldsOf(const QString &text)
{
    const QStringList fields = text.split(QLatin1Char(','));
    if (fields.size() != 2)
        return std::nullopt;
    const std::optional<qint64> value1 = FileNumber::integer(fields.at(0), -65535, 65535);
    const std::optional<qint64> value2 = FileNumber::integer(fields.at(1), -65535, 65535);
    if (!value1 || !value2)
        return std::nullopt;
    return TwoFields{*value1, *value2};
}
} // namespace

QString cParam2Byte::FileTextProblem(const QString &text) const
{
    // Together the two fields must make a number the two bytes hold, read
    // signed or unsigned.
    const std::optional<TwoFields> fields = twoFieldsOf(text);
    if (!fields)
        return FileNumber::problemText(FileNumber::Problem::NotTwoNumbers);
    const qint64 value = fields->value1 * 256 + fields->value2;
    if (value < FileNumber::fieldMin(2) || value > FileNumber::fieldMax(2))
        return FileNumber::problemText(
            FileNumber::Problem::OutsideField,
            {QString::number(FileNumber::fieldMin(2)), QString::number(FileNumber::fieldMax(2))});
    return QString();
}

void cParam2Byte::SetValueFromFileText(const QString &text)
{
    if (const std::optional<TwoFields> fields = twoFieldsOf(text)) {
        setValue1(static_cast<qint32>(fields->value1));
        setValue2(static_cast<qint32>(fields->value2));
    }
}
