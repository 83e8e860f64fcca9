#include "params/ParameterFileReader.h"

#include "params/Windows1252.h"

#include <QFile>

namespace {
QString nameKey(QStringView name)
{
    return name.trimmed().toString().toLower();
}
} // namespace

ParameterFileReader ParameterFileReader::fromFile(const QString &path)
{
    ParameterFileReader reader;
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly) || file.size() > MaxFileSize)
        return reader;
    reader.parse(Windows1252::decode(file.read(MaxFileSize)));
    return reader;
}

ParameterFileReader ParameterFileReader::fromBytes(const QByteArray &bytes)
{
    ParameterFileReader reader;
    reader.parse(Windows1252::decode(bytes.left(MaxFileSize)));
    return reader;
}

void ParameterFileReader::parse(QString text)
{
    // CR LF, LF and a lone CR all end a line: no value holds a line break.
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QString current; // keys before the first section header land in the unnamed section
    for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            const qsizetype close = line.indexOf(QLatin1Char(']'));
            if (close > 0)
                current = nameKey(line.mid(1, close - 1));
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        const QString key = nameKey(line.left(eq));
        if (key.isEmpty())
            continue;
        QStringView value = line.mid(eq + 1);
        if (value.startsWith(QLatin1Char(' ')))
            value = value.mid(1);
        QHash<QString, QString> &section = m_sections[current];
        if (!section.contains(key))
            section.insert(key, value.toString());
    }
}

QString ParameterFileReader::value(const QString &section, const QString &key) const
{
    const auto sec = m_sections.constFind(nameKey(section));
    if (sec == m_sections.cend())
        return QString();
    return sec->value(nameKey(key));
}

bool ParameterFileReader::hasKey(const QString &section, const QString &key) const
{
    const auto sec = m_sections.constFind(nameKey(section));
    return sec != m_sections.cend() && sec->contains(nameKey(key));
}
