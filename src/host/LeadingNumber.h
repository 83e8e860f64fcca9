#pragma once

#include <QString>

// The numeric value of a typed text as the command line and the settings
// store give numbers: blanks are skipped, an optional sign and the digits that
// follow make the number, everything behind them is ignored ("13abc" is 13).
// A text without a leading number is 0.
class LeadingNumber
{
public:
    static qint64 of(const QString &text);
    // The value when it fits the 16-bit range, else 0.
    static qint16 of16(const QString &text);
    // The value when it fits the 32-bit range, else 0.
    static qint32 of32(const QString &text);
};
