#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The Windows 8-bit code page of the parameter files, so that files move
// between this program and the Windows tools of the product line. It differs
// from Latin-1 only in 0x80 to 0x9F (the euro sign, typographic quotes, ...).
class Windows1252
{
public:
    // Every byte has a character; the five bytes without a meaning in the
    // code page (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control character
    // of the same code.
    static QString decode(QByteArrayView bytes);
    // A character without a byte in the code page becomes "?". The control
    // characters U+0080 to U+009F keep their code as byte, so that the bytes
    // of a text field survive a save.
    static QByteArray encode(QStringView text);
    // The byte of character c, or -1 when the code page has none.
    static int byteOf(char16_t c);
};
