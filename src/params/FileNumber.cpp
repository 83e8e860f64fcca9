#include "params/FileNumber.h"

#include "host/ResourceStrings.h"
#include "platform/services/TextUtility.h"
#include "template/TemplateNumber.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
constexpr int ProblemTextId = 1561;
}

std::optional<double> FileNumber::number(const QString &text)
{
    // Whole numbers, by far the most frequent, need no text conversion:
    // an optional sign and up to 15 digits, exact in a double.
    const QStringView trimmed = QStringView(text).trimmed();
    const bool hasSign = !trimmed.isEmpty() && (trimmed[0] == u'+' || trimmed[0] == u'-');
    const QStringView digits = trimmed.mid(hasSign ? 1 : 0);
    if (!digits.isEmpty() && digits.size() <= 15 &&
        std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'0' && c <= u'9'; })) {
        qint64 whole = 0;
        for (const QChar c : digits)
            whole = whole * 10 + (c.unicode() - u'0');
        return trimmed[0] == u'-' ? -static_cast<double>(whole) : static_cast<double>(whole);
    }
    const QString normalized = TextUtility::NormalizeNumber(text);
    if (normalized.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double value = normalized.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<qint64> FileNumber::integer(const QString &text, qint64 min, qint64 max)
{
    const std::optional<double> value = number(text);
    if (!value)
        return std::nullopt;
    const double rounded = TemplateNumber::roundHalfEven(*value);
    // Compared as doubles first: a huge number must not reach the conversion.
    if (rounded < static_cast<double>(min) || rounded > static_cast<double>(max))
        return std::nullopt;
    return static_cast<qint64>(rounded);
}

QString FileNumber::integerProblem(const QString &text, qint64 min, qint64 max)
{
    const std::optional<double> value = number(text);
    if (!value)
        return problemText(Problem::NotANumber);
    const double rounded = TemplateNumber::roundHalfEven(*value);
    if (rounded < static_cast<double>(min) || rounded > static_cast<double>(max))
        return problemText(Problem::OutsideField, {QString::number(min), QString::number(max)});
    return QString();
}

QString FileNumber::problemText(Problem problem, const QStringList &values)
{
    return ResourceStrings::LoadResString(ProblemTextId, static_cast<int>(problem), values);
}

qint64 FileNumber::fieldMin(int byteLength)
{
    if (byteLength <= 0 || byteLength >= 4)
        return std::numeric_limits<qint32>::min();
    return -(qint64(1) << (8 * byteLength - 1));
}

qint64 FileNumber::fieldMax(int byteLength)
{
    if (byteLength <= 0 || byteLength >= 4)
        return std::numeric_limits<qint32>::max();
    return (qint64(1) << (8 * byteLength)) - 1;
}
