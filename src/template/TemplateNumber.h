#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// How the device template turns its texts into numbers, and how it tests
// membership in a list by number.
//
// A text's number is its leading decimal number: optional blanks, an optional
// sign, digits and an optional decimal fraction ("23400/7" is 23400, "-1x" is
// -1, ".5" is 0.5); a text without one is 0. Numbers are stored in a byte or a
// 16-bit integer after rounding to the nearest whole number, exact halves to
// the even neighbour; a value that does not fit raises AppError 6 "Overflow".
class TemplateNumber
{
public:
    static double leadingNumber(const QString &text);

    static double roundHalfEven(double value);
    static quint8 toByte(double value);
    static qint16 toInt16(double value);

    // True when the leading number of value equals the leading number of some
    // item of list (so 23400 is in a list holding "23400/7").
    static bool ItemInCollection(const QStringList &list, const QString &value);
    static bool ItemInCollection(const QStringList &list, double value);
    static bool ItemInCollection(const QList<int> &list, double value);

    // Raises AppError 6 "Overflow".
    [[noreturn]] static void raiseOverflow();
};
