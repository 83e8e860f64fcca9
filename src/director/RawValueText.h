#pragma once

#include "platform/lns/LnsConfigProperty.h"

// CP values as lnsdb shows and takes them: decimal bytes separated by one
// blank. The CP's own value format is restored after every access, so that
// the tool leaves no trace beside the value it was asked to change.
namespace RawValueText {
QString read(LnsConfigProperty &cp);
void write(LnsConfigProperty &cp, const QString &rawText);
// Bytes separated by blanks, commas or tabs -> RAW text (tab separated);
// false when a piece is not a number from 0 to 255 or nothing is given.
bool toRaw(const QString &bytes, QString *rawText);
} // namespace RawValueText
