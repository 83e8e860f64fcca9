#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <span>

// Text conversions shared by the parameters, the template and the host.
//
// RAW text is the value format of a configuration property in which every
// byte is written in decimal and the bytes are separated by one tab, e.g.
// "1\t0\t255". Multi-byte numbers in it are big-endian, as LonWorks data is.
class TextUtility
{
public:
    // Stores the bytes of rawText into target, from target[0] on. Stops at the
    // first piece that is not a decimal number 0..255 or when target is full;
    // returns how many bytes were stored (those stay valid).
    static int ParseRaw(const QString &rawText, std::span<quint8> target);
    // All bytes of rawText up to the first piece that is not a byte.
    static QList<quint8> ParseRaw(const QString &rawText);
    // The bytes as RAW text (no tab at the end; empty for no bytes).
    static QString FormatRaw(std::span<const quint8> bytes);
    static QString FormatRaw(const QList<quint8> &bytes);

    // RAW text of byteCount bytes (at most 8) as an unsigned big-endian number.
    // Bytes missing from the text, or behind a piece that is not a byte,
    // count as 0.
    static quint64 RawToNumber(const QString &rawText, int byteCount);
    // The byteCount low bytes of value as RAW text, most significant first.
    static QString NumberToRaw(quint64 value, int byteCount);

    // Characters of a text field: one character per byte (code = byte value);
    // a 0 byte ends the text.
    static QString RawToText(const QString &rawText);
    // The text as RAW text of exactly byteCount bytes: cut when longer, padded
    // with 0 bytes when shorter; a character above code 255 is stored as "?".
    static QString TextToRaw(const QString &text, int byteCount);

    // A typed number made ready for conversion: blanks trimmed, a leading "+"
    // dropped, "," taken as the decimal separator like "."; the result uses ".".
    static QString NormalizeNumber(const QString &text);
    // The typed number's value; an empty or non-numeric text gives 0.
    static double NumberValue(const QString &text, bool *ok = nullptr);

    // Field n (from 1) of text split at separator; empty when absent.
    static QString FieldOf(const QString &text, int n, const QString &separator);
    // Field n counted from the end (1 = last); empty when absent.
    static QString FieldFromEnd(const QString &text, int n, const QString &separator);

    // Replaces "%1" .. "%9" by values[0] .. values[8] in one pass, so a value
    // that itself contains "%n" is left as it is. A placeholder without a
    // value stays in the text. Only one digit belongs to a placeholder: "%10"
    // is the first value followed by "0".
    static QString FillPlaceholders(const QString &text, const QStringList &values);
};
