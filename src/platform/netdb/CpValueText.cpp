#include "platform/netdb/CpValueText.h"

#include "platform/lns/LnsError.h"

#include <QStringList>
#include <QStringTokenizer>

const QString CpValueText::Raw = QStringLiteral("RAW");
const QString CpValueText::RawHex = QStringLiteral("RAW_HEX");

namespace {
[[noreturn]] void invalid(const QString &text, const QString &valueFormat, const QString &why)
{
    throw LnsError(
        LnsErrorCode::InvalidValue,
        QStringLiteral("The value \"%1\" does not fit the format %2: %3.").arg(text, valueFormat, why));
}

bool allDigits(const QString &piece, int base)
{
    if (piece.isEmpty())
        return false;
    for (QChar c : piece) {
        const bool decimal = c >= QLatin1Char('0') && c <= QLatin1Char('9');
        const bool hex = (c >= QLatin1Char('A') && c <= QLatin1Char('F')) ||
                         (c >= QLatin1Char('a') && c <= QLatin1Char('f'));
        if (!(decimal || (base == 16 && hex)))
            return false;
    }
    return true;
}
} // namespace

bool CpValueText::isKnownFormat(const QString &format)
{
    return format == Raw || format == RawHex;
}

QString CpValueText::format(const QList<int> &bytes, const QString &valueFormat)
{
    QStringList pieces;
    pieces.reserve(bytes.size());
    const bool hex = valueFormat == RawHex;
    for (int byte : bytes)
        pieces.append(hex ? QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper()
                          : QString::number(byte));
    return pieces.join(hex ? QLatin1Char(' ') : QLatin1Char('\t'));
}

QList<int> CpValueText::parse(const QString &text, const QString &valueFormat, int expectedCount)
{
    if (!isKnownFormat(valueFormat))
        invalid(text, valueFormat, QStringLiteral("unknown value format"));
    const bool hex = valueFormat == RawHex;
    const QStringList pieces = text.split(hex ? QLatin1Char(' ') : QLatin1Char('\t'));
    if (pieces.size() != expectedCount)
        invalid(text, valueFormat,
                QStringLiteral("%1 bytes given, %2 expected")
                    .arg(QString::number(pieces.size()), QString::number(expectedCount)));
    QList<int> bytes;
    bytes.reserve(expectedCount);
    for (const QString &piece : pieces) {
        if (!allDigits(piece, hex ? 16 : 10) || (hex && piece.size() > 2))
            invalid(text, valueFormat, QStringLiteral("\"%1\" is not a byte").arg(piece));
        const int byte = piece.toInt(nullptr, hex ? 16 : 10);
        if (piece.size() > 3 || byte > 255)
            invalid(text, valueFormat, QStringLiteral("%1 is larger than 255").arg(piece));
        bytes.append(byte);
    }
    return bytes;
}

QString CpValueText::toStored(const QList<int> &bytes)
{
    QStringList pieces;
    for (int byte : bytes)
        pieces.append(QString::number(byte));
    return pieces.join(QLatin1Char(','));
}

QList<int> CpValueText::fromStored(const QString &stored)
{
    // Read for every CP row: the pieces are looked at in place, not copied.
    QList<int> bytes;
    bytes.reserve(stored.count(QLatin1Char(',')) + 1);
    for (const QStringView piece : QStringView(stored).tokenize(QLatin1Char(','), Qt::SkipEmptyParts))
        bytes.append(piece.toInt());
    return bytes;
}
