#include "template/TemplateNumber.h"

#include "platform/AppError.h"

#include <cmath>

double TemplateNumber::leadingNumber(const QString &text)
{
    const qsizetype length = text.size();
    qsizetype pos = 0;
    while (pos < length && (text.at(pos) == QLatin1Char(' ') || text.at(pos) == QLatin1Char('\t')))
        ++pos;

    const qsizetype start = pos;
    const bool negative = pos < length && text.at(pos) == QLatin1Char('-');
    if (pos < length && (text.at(pos) == QLatin1Char('+') || negative))
        ++pos;
    const auto isDigit = [&text](qsizetype at) {
        return text.at(at) >= QLatin1Char('0') && text.at(at) <= QLatin1Char('9');
    };
    qsizetype digits = 0;
    qint64 whole = 0;
    while (pos < length && isDigit(pos)) {
        if (digits < 15) // exact in a double
            whole = whole * 10 + (text.at(pos).unicode() - u'0');
        ++pos;
        ++digits;
    }
    // Most template values are whole numbers: no text conversion for them.
    if (digits > 0 && digits <= 15 && (pos == length || text.at(pos) != QLatin1Char('.')))
        return negative ? -static_cast<double>(whole) : static_cast<double>(whole);
    if (pos < length && text.at(pos) == QLatin1Char('.')) {
        ++pos;
        while (pos < length && isDigit(pos)) {
            ++pos;
            ++digits;
        }
    }
    if (digits == 0)
        return 0.0;

    // The span is sign, digits, point and digits only, so the C-locale
    // conversion cannot fail; "5." and ".5" are both accepted by it.
    QString number = text.mid(start, pos - start);
    if (number.endsWith(QLatin1Char('.')))
        number.chop(1);
    return number.toDouble();
}

double TemplateNumber::roundHalfEven(double value)
{
    const double floor = std::floor(value);
    const double fraction = value - floor;
    if (fraction < 0.5)
        return floor;
    if (fraction > 0.5)
        return floor + 1.0;
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

quint8 TemplateNumber::toByte(double value)
{
    const double rounded = roundHalfEven(value);
    if (!(rounded >= 0.0 && rounded <= 255.0))
        raiseOverflow();
    return static_cast<quint8>(rounded);
}

qint16 TemplateNumber::toInt16(double value)
{
    const double rounded = roundHalfEven(value);
    if (!(rounded >= -32768.0 && rounded <= 32767.0))
        raiseOverflow();
    return static_cast<qint16>(rounded);
}

bool TemplateNumber::ItemInCollection(const QStringList &list, const QString &value)
{
    return ItemInCollection(list, leadingNumber(value));
}

bool TemplateNumber::ItemInCollection(const QStringList &list, double value)
{
    for (const QString &item : list) {
        if (leadingNumber(item) == value)
            return true;
    }
    return false;
}

bool TemplateNumber::ItemInCollection(const QList<int> &list, double value)
{
    for (int item : list) {
        if (static_cast<double>(item) == value)
            return true;
    }
    return false;
}

void TemplateNumber::raiseOverflow()
{
    throw AppError(6, QStringLiteral("cRX24"), QStringLiteral("Overflow"));
}
