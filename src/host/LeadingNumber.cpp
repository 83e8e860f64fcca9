#include "host/LeadingNumber.h"

#include <limits>

qint64 LeadingNumber::of(const QString &text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text.at(i).isSpace())
        ++i;
    bool negative = false;
    if (i < n && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    qint64 value = 0;
    // Digits beyond the 64-bit range stop counting; such a value fits no caller anyway.
    constexpr qint64 Limit = std::numeric_limits<qint64>::max() / 10 - 10;
    while (i < n && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9')) {
        if (value < Limit)
            value = value * 10 + (text.at(i).unicode() - u'0');
        ++i;
    }
    return negative ? -value : value;
}

qint16 LeadingNumber::of16(const QString &text)
{
    const qint64 value = of(text);
    if (value < std::numeric_limits<qint16>::min() || value > std::numeric_limits<qint16>::max())
        return 0;
    return static_cast<qint16>(value);
}

qint32 LeadingNumber::of32(const QString &text)
{
    const qint64 value = of(text);
    if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        return 0;
    return static_cast<qint32>(value);
}
