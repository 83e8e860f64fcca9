#include "director/RawValueText.h"

#include "platform/lns/RawFormatScope.h"

#include <QRegularExpression>

QString RawValueText::read(LnsConfigProperty &cp)
{
    RawFormatScope scope(cp);
    return cp.value().replace(QLatin1Char('\t'), QLatin1Char(' '));
}

void RawValueText::write(LnsConfigProperty &cp, const QString &rawText)
{
    RawFormatScope scope(cp);
    cp.setValue(rawText);
}

bool RawValueText::toRaw(const QString &bytes, QString *rawText)
{
    static const QRegularExpression separators(QStringLiteral("[\\s,]+"));
    const QStringList pieces = bytes.split(separators, Qt::SkipEmptyParts);
    if (pieces.isEmpty())
        return false;
    for (const QString &piece : pieces) {
        bool ok = false;
        const int value = piece.toInt(&ok);
        if (!ok || value < 0 || value > 255)
            return false;
    }
    *rawText = pieces.join(QLatin1Char('\t'));
    return true;
}
