#include "platform/services/Utf8Text.h"

#include <QStringDecoder>

std::optional<QString> Utf8Text::decode(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

int Utf8Text::firstInvalidLine(QByteArrayView bytes)
{
    int line = 1;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= bytes.size(); ++i) {
        if (i == bytes.size() || bytes.at(i) == '\n') {
            if (!decode(bytes.sliced(start, i - start)))
                return line;
            ++line;
            start = i + 1;
        }
    }
    return line;
}

bool Utf8Text::isAscii(QByteArrayView bytes)
{
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}
