#include "platform/services/QX_IniFile.h"

#include "platform/services/Utf8Text.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace {
// Files written by the original tools are in the Windows 8-bit code page;
// files written here may be UTF-8. Valid UTF-8 is taken as such. A file that
// says it is UTF-8 but is not, or one in UTF-16, cannot be read as written:
// reading it anyway would lose its first section or every key without a
// word, so it is refused and reads as empty.
QString decodeFile(const QString &path, const QByteArray &bytes, QString &problem)
{
    if (Utf8Text::startsAsUtf16(bytes)) {
        problem = QStringLiteral("%1 cannot be read: it is written in UTF-16; save it as UTF-8 or in the "
                                 "Windows code page.")
                      .arg(path);
        return QString();
    }
    if (const std::optional<QString> text = Utf8Text::decode(bytes))
        return *text;
    if (Utf8Text::startsWithByteOrderMark(bytes)) {
        problem = QStringLiteral("%1 cannot be read: it is marked as UTF-8, but line %2 holds bytes that are "
                                 "not UTF-8.")
                      .arg(path)
                      .arg(Utf8Text::firstInvalidLine(bytes));
        return QString();
    }
    QStringDecoder cp1252("windows-1252");
    if (cp1252.isValid())
        return cp1252.decode(bytes);
    return QString::fromLatin1(bytes);
}

QString sectionKey(const QString &name)
{
    return name.toLower();
}
} // namespace

void QX_IniFile::setPath(const QString &path)
{
    m_path = path;
    m_loaded = false;
    m_stamp = Stamp();
    m_sections.clear();
    m_problem.clear();
}

QX_IniFile::Stamp QX_IniFile::currentStamp() const
{
    Stamp stamp;
    if (m_path.isEmpty())
        return stamp;
    const QFileInfo info(m_path);
    stamp.exists = info.exists();
    if (stamp.exists) {
        stamp.modifiedMs = info.lastModified().toMSecsSinceEpoch();
        stamp.size = info.size();
    }
    return stamp;
}

void QX_IniFile::load() const
{
    const Stamp stamp = currentStamp();
    if (m_loaded && stamp == m_stamp)
        return;
    m_loaded = true;
    m_stamp = stamp;
    m_sections.clear();
    m_problem.clear();

    QFile file(m_path);
    if (!stamp.exists || !file.open(QIODevice::ReadOnly))
        return;
    const QString text = decodeFile(m_path, file.readAll(), m_problem);

    QString current; // keys before the first section header land in the unnamed section
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        // Leading blanks carry no meaning; trailing ones may belong to a section name.
        qsizetype start = 0;
        while (start < line.size() && line.at(start).isSpace())
            ++start;
        const QStringView rest = QStringView(line).mid(start);
        if (rest.isEmpty() || rest.startsWith(QLatin1Char(';')) || rest.startsWith(QLatin1Char('#')))
            continue;
        if (rest.startsWith(QLatin1Char('['))) {
            const qsizetype close = rest.lastIndexOf(QLatin1Char(']'));
            if (close > 0) {
                current = sectionKey(rest.mid(1, close - 1).toString());
                continue;
            }
        }
        const qsizetype eq = rest.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        const QString key = rest.left(eq).trimmed().toString().toLower();
        if (key.isEmpty())
            continue;
        QHash<QString, QString> &section = m_sections[current];
        if (!section.contains(key)) // the first definition of a key holds
            section.insert(key, rest.mid(eq + 1).trimmed().toString());
    }
}

QString QX_IniFile::problem() const
{
    load();
    return m_problem;
}

QString QX_IniFile::value(const QString &section, const QString &key) const
{
    load();
    const auto sec = m_sections.constFind(sectionKey(section));
    if (sec == m_sections.cend())
        return QString();
    return sec->value(key.trimmed().toLower());
}

bool QX_IniFile::hasKey(const QString &section, const QString &key) const
{
    load();
    const auto sec = m_sections.constFind(sectionKey(section));
    return sec != m_sections.cend() && sec->contains(key.trimmed().toLower());
}

QString QX_IniFile::read(const QString &section, const QString &key, int item) const
{
    if (item < 1)
        return QString();
    const QString whole = value(section, key);
    if (whole.isEmpty())
        return QString();
    const QStringList items = whole.split(QLatin1Char(','));
    if (item > items.size())
        return QString();
    return items.at(item - 1).trimmed();
}
