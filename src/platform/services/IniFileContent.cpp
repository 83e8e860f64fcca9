#include "platform/services/IniFileContent.h"

#include "platform/services/Utf8Text.h"

#include <QFile>
#include <QHash>
#include <QMutex>
#include <QStringDecoder>
#include <ctime>
#include <sys/stat.h>

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

// The latest version read of each file. A program reads a handful of files;
// tests read many small ones, so the store forgets all beyond this.
constexpr qsizetype kKeptFiles = 64;

struct Kept
{
    IniFileContent::Stamp stamp;
    std::shared_ptr<const IniFileContent> content;
};
} // namespace

IniFileContent::Stamp IniFileContent::stampOf(const QString &path)
{
    Stamp stamp;
    struct stat info
    {
    };
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &info) != 0)
        return stamp;
    stamp.exists = true;
    stamp.modifiedNs = qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    stamp.size = info.st_size;
    stamp.inode = info.st_ino;
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    stamp.settled = qint64(now.tv_sec) * 1000000000 + now.tv_nsec - stamp.modifiedNs > 1000000000;
    return stamp;
}

std::shared_ptr<const IniFileContent> IniFileContent::of(const QString &path, const Stamp &stamp)
{
    static QMutex lock;
    static QHash<QString, Kept> kept;
    if (stamp.settled) {
        const QMutexLocker locker(&lock);
        const auto it = kept.constFind(path);
        if (it != kept.constEnd() && it->stamp == stamp)
            return it->content;
    }
    QByteArray bytes;
    QFile file(path);
    if (stamp.exists && file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    auto content = std::make_shared<const IniFileContent>(parse(path, bytes));
    if (!stamp.settled)
        return content;
    const QMutexLocker locker(&lock);
    if (kept.size() >= kKeptFiles && !kept.contains(path))
        kept.clear();
    kept.insert(path, {stamp, content});
    return content;
}

IniFileContent IniFileContent::parse(const QString &path, const QByteArray &bytes)
{
    IniFileContent content;
    const QString text = decodeFile(path, bytes, content.m_problem);
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
                current = rest.mid(1, close - 1).toString();
                continue;
            }
        }
        const qsizetype eq = rest.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        const QString key = rest.left(eq).trimmed().toString();
        if (key.isEmpty())
            continue;
        auto &section = content.m_sections[current];
        if (section.find(key) != section.end()) // the first definition of a key holds
            continue;
        Entry entry;
        entry.value = rest.mid(eq + 1).trimmed().toString();
        if (!entry.value.isEmpty()) {
            entry.items = entry.value.split(QLatin1Char(','));
            for (QString &item : entry.items)
                item = item.trimmed();
        }
        section.emplace(key, std::move(entry));
    }
    return content;
}

const IniFileContent::Entry *IniFileContent::find(const QString &section, const QString &key) const
{
    const auto sec = m_sections.find(QStringView(section));
    if (sec == m_sections.end())
        return nullptr;
    const auto entry = sec->second.find(QStringView(key).trimmed());
    return entry == sec->second.end() ? nullptr : &entry->second;
}

QString IniFileContent::value(const QString &section, const QString &key) const
{
    const Entry *entry = find(section, key);
    return entry ? entry->value : QString();
}

QString IniFileContent::item(const QString &section, const QString &key, int n) const
{
    const Entry *entry = find(section, key);
    if (!entry || n < 1 || n > entry->items.size())
        return QString();
    return entry->items.at(n - 1);
}

bool IniFileContent::hasKey(const QString &section, const QString &key) const
{
    return find(section, key) != nullptr;
}
