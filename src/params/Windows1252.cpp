#include "params/Windows1252.h"

namespace {
// Characters of the bytes 0x80 to 0x9F; a byte without meaning keeps its own code.
constexpr char16_t HighControls[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                       0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                       0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                       0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
constexpr char Unmappable = '?';
} // namespace

QString Windows1252::decode(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<quint8>(bytes[i]);
        out[i] = byte >= 0x80 && byte <= 0x9F ? QChar(HighControls[byte - 0x80]) : QChar(char16_t(byte));
    }
    return text;
}

int Windows1252::byteOf(char16_t c)
{
    if (c <= 0xFF)
        return c;
    for (int i = 0; i < 32; ++i) {
        if (HighControls[i] == c)
            return 0x80 + i;
    }
    return -1;
}

QByteArray Windows1252::encode(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        // A character outside the basic plane is one unknown character, not two.
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        const int byte = byteOf(c.unicode());
        bytes.append(byte < 0 ? Unmappable : static_cast<char>(byte));
    }
    return bytes;
}
