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
} // namespace ParamError
