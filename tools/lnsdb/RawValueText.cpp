#include "RawValueText.h"

#include <QRegularExpression>

namespace {
class FormatScope
{
public:
    explicit FormatScope(LnsConfigProperty &cp) : m_cp(cp), m_previous(cp.valueFormat())
    {
        m_cp.setValueFormat(QStringLiteral("RAW"));
    }
    ~FormatScope()
    {
        try {
            m_cp.setValueFormat(m_previous);
        } catch (...) {
        }
    }
    FormatScope(const FormatScope &) = delete;
    FormatScope &operator=(const FormatScope &) = delete;

private:
    LnsConfigProperty &m_cp;
    QString m_previous;
};
} // namespace

QString RawValueText::read(LnsConfigProperty &cp)
{
    FormatScope scope(cp);
    return cp.value().replace(QLatin1Char('\t'), QLatin1Char(' '));
}

void RawValueText::write(LnsConfigProperty &cp, const QString &rawText)
{
    FormatScope scope(cp);
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
