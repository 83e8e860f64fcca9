#include "params/ParameterFileReader.h"

#include "params/Windows1252.h"

#include <QFile>
#include <QStringDecoder>

namespace {
QString nameKey(QStringView name)
{
    return name.trimmed().toString().toLower();
}

bool isAscii(QByteArrayView bytes)
{
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

// Strict UTF-8: nothing when a byte sequence is not UTF-8.
std::optional<QString> utf8(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

// The line (from 1) of the first byte sequence that is not UTF-8.
int firstInvalidUtf8Line(QByteArrayView bytes)
{
    int line = 1;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= bytes.size(); ++i) {
        if (i == bytes.size() || bytes.at(i) == '\n') {
            if (!utf8(bytes.sliced(start, i - start)))
                return line;
            ++line;
            start = i + 1;
        }
    }
    return line;
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
    static const QByteArray Utf8Mark("\xEF\xBB\xBF");
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        m_encodingProblem = EncodingProblem::Utf16;
        m_encodingProblemLine = 1;
        return;
    }
    if (bytes.startsWith(Utf8Mark)) {
        const QByteArrayView body = QByteArrayView(bytes).sliced(Utf8Mark.size());
        if (const std::optional<QString> text = utf8(body)) {
            parse(*text);
        } else {
            m_encodingProblem = EncodingProblem::InvalidUtf8;
            m_encodingProblemLine = firstInvalidUtf8Line(body);
        }
        return;
    }
    // Text in Windows-1252 beyond ASCII is practically never valid UTF-8
    // ("Ã¼" is the only way to write "ü" in both), so a file that is valid
    // UTF-8 was saved by an editor that way.
    if (!isAscii(bytes)) {
        if (const std::optional<QString> text = utf8(bytes)) {
            parse(*text);
            return;
        }
    }
    parse(Windows1252::decode(bytes));
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
