#include "platform/services/TextUtility.h"

namespace {
const QLatin1Char Tab('\t');

// One RAW piece as a byte; false when it is not a decimal number 0..255.
bool pieceToByte(QStringView piece, quint8 &byte)
{
    const QStringView trimmed = piece.trimmed();
    if (trimmed.isEmpty())
        return false;
    for (const QChar c : trimmed) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    bool ok = false;
    const uint value = trimmed.toUInt(&ok, 10);
    if (!ok || value > 255)
        return false;
    byte = static_cast<quint8>(value);
    return true;
}
} // namespace

int TextUtility::ParseRaw(const QString &rawText, std::span<quint8> target)
{
    if (rawText.isEmpty())
        return 0;
    int stored = 0;
    for (const QStringView piece : QStringView(rawText).split(Tab)) {
        if (stored >= static_cast<int>(target.size()))
            break;
        quint8 byte = 0;
        if (!pieceToByte(piece, byte))
            break;
        target[stored++] = byte;
    }
    return stored;
}

QList<quint8> TextUtility::ParseRaw(const QString &rawText)
{
    QList<quint8> bytes;
    if (rawText.isEmpty())
        return bytes;
    for (const QStringView piece : QStringView(rawText).split(Tab)) {
        quint8 byte = 0;
        if (!pieceToByte(piece, byte))
            break;
        bytes.append(byte);
    }
    return bytes;
}

QString TextUtility::FormatRaw(std::span<const quint8> bytes)
{
    QString text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0)
            text += Tab;
        text += QString::number(bytes[i]);
    }
    return text;
}

QString TextUtility::FormatRaw(const QList<quint8> &bytes)
{
    return FormatRaw(std::span<const quint8>(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

quint64 TextUtility::RawToNumber(const QString &rawText, int byteCount)
{
    if (byteCount <= 0)
        return 0;
    byteCount = qMin(byteCount, 8);
    quint8 bytes[8] = {};
    ParseRaw(rawText, std::span<quint8>(bytes, static_cast<std::size_t>(byteCount)));
    quint64 value = 0;
    for (int i = 0; i < byteCount; ++i)
        value = (value << 8) | bytes[i];
    return value;
}

QString TextUtility::NumberToRaw(quint64 value, int byteCount)
{
    if (byteCount <= 0)
        return QString();
    QList<quint8> bytes(byteCount, 0);
    for (int i = byteCount - 1; i >= 0 && value != 0; --i) {
        bytes[i] = static_cast<quint8>(value & 0xFF);
        value >>= 8;
    }
    return FormatRaw(bytes);
}

QString TextUtility::RawToText(const QString &rawText)
{
    QString text;
    for (const quint8 byte : ParseRaw(rawText)) {
        if (byte == 0)
            break;
        text += QChar(static_cast<char16_t>(byte));
    }
    return text;
}

QString TextUtility::TextToRaw(const QString &text, int byteCount)
{
    if (byteCount <= 0)
        return QString();
    QList<quint8> bytes(byteCount, 0);
    const int n = qMin(byteCount, static_cast<int>(text.size()));
    for (int i = 0; i < n; ++i) {
        const char16_t code = text.at(i).unicode();
        bytes[i] = code > 255 ? quint8('?') : static_cast<quint8>(code);
    }
    return FormatRaw(bytes);
}

QString TextUtility::NormalizeNumber(const QString &text)
{
    QString result = text.trimmed();
    if (result.startsWith(QLatin1Char('+')))
        result.remove(0, 1);
    result.replace(QLatin1Char(','), QLatin1Char('.'));
    return result;
}

double TextUtility::NumberValue(const QString &text, bool *ok)
{
    bool converted = false;
    const double value = NormalizeNumber(text).toDouble(&converted);
    if (ok)
        *ok = converted;
    return converted ? value : 0.0;
}

QString TextUtility::FieldOf(const QString &text, int n, const QString &separator)
{
    if (n < 1 || separator.isEmpty())
        return n == 1 && separator.isEmpty() ? text : QString();
    const QStringList fields = text.split(separator);
    return n <= fields.size() ? fields.at(n - 1) : QString();
}

QString TextUtility::FieldFromEnd(const QString &text, int n, const QString &separator)
{
    if (n < 1 || separator.isEmpty())
        return n == 1 && separator.isEmpty() ? text : QString();
    const QStringList fields = text.split(separator);
    return n <= fields.size() ? fields.at(fields.size() - n) : QString();
}

QString TextUtility::FillPlaceholders(const QString &text, const QStringList &values)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('%') && i + 1 < text.size()) {
            const QChar d = text.at(i + 1);
            const int index = d.digitValue() - 1;
            if (d >= QLatin1Char('1') && d <= QLatin1Char('9') && index < values.size()) {
                result += values.at(index);
                ++i;
                continue;
            }
        }
        result += c;
    }
    return result;
}
