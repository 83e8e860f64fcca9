#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <optional>

// Numbers of a parameter file line: decimal, "." or "," as the decimal
// separator, rounded to a whole number with exact halves to the even
// neighbour, as the file has always been read.
class FileNumber
{
public:
    // The whole number of text, or nothing when text is no finite number or
    // the rounded number lies outside min .. max.
    static std::optional<qint64> integer(const QString &text, qint64 min, qint64 max);
    // Why text is no such whole number, in the user's language; empty when it
    // is one.
    static QString integerProblem(const QString &text, qint64 min, qint64 max);
    // The finite number of text, unrounded.
    static std::optional<double> number(const QString &text);

    // What a CP field of byteLength bytes can hold, read signed or unsigned:
    // -128 .. 255 for one byte. Fields of 0 (the whole CP) or 4 and more
    // bytes hold the 32-bit range.
    static qint64 fieldMin(int byteLength);
    static qint64 fieldMax(int byteLength);

    // The reasons a parameter file value is refused, items of one text.
    enum class Problem {
        NotANumber = 1,
        OutsideField = 2, // %1 .. %2
        NotTwoNumbers = 3,
        TooLong = 4, // %1 characters
        CharacterNotHeld = 5,
        NotRawText = 6, // %1 bytes
    };
    static QString problemText(Problem problem, const QStringList &values = {});
};
