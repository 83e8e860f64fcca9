#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

// Strict UTF-8 for the text files the plug-in reads: a byte sequence that is
// not UTF-8 makes the text invalid instead of becoming a replacement
// character, so a reader can tell a file in UTF-8 from one in a code page.
class Utf8Text
{
public:
    // The text; nothing when a byte sequence is not UTF-8. A byte-order mark
    // at the start is dropped.
    static std::optional<QString> decode(QByteArrayView bytes);
    // The line (from 1) of the first byte sequence that is not UTF-8.
    static int firstInvalidLine(QByteArrayView bytes);
    static bool isAscii(QByteArrayView bytes);
    static bool startsWithByteOrderMark(QByteArrayView bytes) { return bytes.startsWith("\xEF\xBB\xBF"); }
    // UTF-16, either byte order, by its byte-order mark.
    static bool startsAsUtf16(QByteArrayView bytes)
    {
        return bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
    }
};
