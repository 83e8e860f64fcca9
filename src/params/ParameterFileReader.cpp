#include "params/ParameterFileReader.h"

#include "params/Windows1252.h"
#include "platform/services/Utf8Text.h"

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
    reader.m_fileName = path;
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly) || file.size() > MaxFileSize)
        return reader;
    reader.decodeAndParse(file.read(MaxFileSize));
    return reader;
}

ParameterFileReader ParameterFileReader::fromBytes(const QByteArray &bytes, const QString &fileName)
{
    ParameterFileReader reader;
    reader.m_fileName = fileName;
    reader.decodeAndParse(bytes.left(MaxFileSize));
    return reader;
}

void ParameterFileReader::decodeAndParse(const QByteArray &bytes)
{
    if (Utf8Text::startsAsUtf16(bytes)) {
        m_encodingProblem = EncodingProblem::Utf16;
        m_encodingProblemLine = 1;
        return;
    }
    if (Utf8Text::startsWithByteOrderMark(bytes)) {
        if (const std::optional<QString> text = Utf8Text::decode(bytes)) {
            parse(*text);
        } else {
            m_encodingProblem = EncodingProblem::InvalidUtf8;
            m_encodingProblemLine = Utf8Text::firstInvalidLine(bytes);
        }
        return;
    }
    // Text in Windows-1252 beyond ASCII is practically never valid UTF-8
    // ("Ã¼" is the only way to write "ü" in both), so a file that is valid
    // UTF-8 was saved by an editor that way.
    if (readsAsUtf8(bytes)) {
        parse(*Utf8Text::decode(bytes));
        return;
    }
    parse(Windows1252::decode(bytes));
}

bool ParameterFileReader::readsAsUtf8(QByteArrayView bytes)
{
    return !Utf8Text::isAscii(bytes) && Utf8Text::decode(bytes).has_value();
}

void ParameterFileReader::parse(QString text)
{
    // CR LF, LF and a lone CR all end a line: no value holds a line break.
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    m_endsWithLineBreak = text.endsWith(QLatin1Char('\n'));
    if (m_endsWithLineBreak)
        text.chop(1);
    QString current; // keys before the first section header land in the unnamed section
    int lineNumber = 0;
    for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        ++lineNumber;
        line = line.trimmed();
        if (line.isEmpty()) {
            if (!text.isEmpty())
                ++m_sections[current].emptyLines;
            continue;
        }
        if (line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            const qsizetype close = line.indexOf(QLatin1Char(']'));
            if (close > 0) {
                current = nameKey(line.mid(1, close - 1));
                m_sections[current];
            }
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
        Section &section = m_sections[current];
        if (!section.entries.contains(key))
            section.entries.insert(key, Entry{value.toString(), lineNumber});
    }
    m_lineCount = text.isEmpty() ? 0 : lineNumber;
}

const ParameterFileReader::Entry *ParameterFileReader::find(const QString &section, const QString &key) const
{
    const auto sec = m_sections.constFind(nameKey(section));
    if (sec == m_sections.cend())
        return nullptr;
    const auto entry = sec->entries.constFind(nameKey(key));
    return entry == sec->entries.cend() ? nullptr : &*entry;
}

QString ParameterFileReader::value(const QString &section, const QString &key) const
{
    const Entry *entry = find(section, key);
    return entry ? entry->value : QString();
}

bool ParameterFileReader::hasKey(const QString &section, const QString &key) const
{
    return find(section, key) != nullptr;
}

int ParameterFileReader::lineOf(const QString &section, const QString &key) const
{
    const Entry *entry = find(section, key);
    return entry ? entry->line : 0;
}

int ParameterFileReader::emptyLinesIn(const QString &section) const
{
    const auto sec = m_sections.constFind(nameKey(section));
    return sec == m_sections.cend() ? -1 : sec->emptyLines;
}
