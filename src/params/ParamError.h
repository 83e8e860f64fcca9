#pragma once

#include "platform/AppError.h"

// The error a parameter raises when its creator hands it arguments it cannot
// use (a byte field outside the CP element): the automation object-error base
// plus 1000.
namespace ParamError {
constexpr long InvalidParameters = 0x800403E8L;

inline AppError invalidParameters(const QString &source, const QString &description)
{
    return AppError(InvalidParameters, source, description);
}

// ConsiderPartOfCpOnly's check: the field of fieldLength bytes from bytePos
// (1 = first byte) must lie inside an element of elementLength bytes. The
// description differs between the parameter kinds.
inline void checkFieldFits(int bytePos, int fieldLength, int elementLength, const QString &description)
{
    if (bytePos < 1 || fieldLength < 1 || bytePos + fieldLength - 1 > elementLength)
        throw invalidParameters(QStringLiteral("ConsiderPartOfCpOnly"), description);
}
} // namespace ParamError
