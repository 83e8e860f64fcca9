#include "platform/netdb/DeviceInterfaceFile.h"

#include "platform/lns/LnsError.h"
#include "platform/netdb/SnvtCatalog.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>

namespace {
struct ObjectGroup
{
    DeviceObjectEntry object;
    int count = 0; // 0: a single object without %n expansion
};

class Parser
{
public:
    Parser(QString path) : m_path(std::move(path)) {}

    DeviceInterface run(const QString &text)
    {
        const QStringList lines = text.split(QLatin1Char('\n'));
        for (int i = 0; i < lines.size(); ++i) {
            m_line = i + 1;
            QString line = lines.at(i);
            if (line.endsWith(QLatin1Char('\r')))
                line.chop(1);
            const QString trimmed = line.trimmed();
            if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')) ||
                trimmed.startsWith(QLatin1Char(';')))
                continue;
            handle(trimmed.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts));
        }
        if (m_result.programId.isEmpty()) {
            m_line = qMax(1, static_cast<int>(lines.size()));
            fail(QStringLiteral("the ProgramId line is missing"));
        }
        for (const ObjectGroup &group : m_groups)
            expand(group);
        return m_result;
    }

private:
    [[noreturn]] void fail(const QString &message) const
    {
        throw LnsError(LnsErrorCode::InvalidArgument,
                       QStringLiteral("%1:%2: %3").arg(m_path, QString::number(m_line), message));
    }

    void handle(const QStringList &words)
    {
        const QString keyword = words.first().toLower();
        if (m_result.programId.isEmpty() && keyword != QLatin1String("programid"))
            fail(QStringLiteral("ProgramId must come first, found \"%1\"").arg(words.first()));
        if (keyword == QLatin1String("programid"))
            programId(words);
        else if (keyword == QLatin1String("model"))
            m_result.model = name(words);
        else if (keyword == QLatin1String("devicecp"))
            m_result.deviceCps.append(cp(words, false));
        else if (keyword == QLatin1String("object"))
            object(words);
        else if (keyword == QLatin1String("nv"))
            nv(words);
        else if (keyword == QLatin1String("cp"))
            currentObject().cps.append(cp(words, true));
        else
            fail(QStringLiteral("unknown keyword \"%1\"").arg(words.first()));
    }

    void programId(const QStringList &words)
    {
        if (!m_result.programId.isEmpty())
            fail(QStringLiteral("ProgramId given twice"));
        static const QRegularExpression hex16(QStringLiteral("^[0-9A-Fa-f]{16}$"));
        if (words.size() != 2 || !hex16.match(words.at(1)).hasMatch())
            fail(QStringLiteral("ProgramId needs 16 hex digits"));
        m_result.programId = words.at(1).toUpper();
    }

    QString name(const QStringList &words) const
    {
        if (words.size() < 2 || words.at(1).contains(QLatin1Char('=')))
            fail(QStringLiteral("%1 needs a name").arg(words.first()));
        return words.at(1);
    }

    // key=value attributes after the name; only the allowed keys are accepted.
    QHash<QString, QString> attributes(const QStringList &words, const QStringList &allowed) const
    {
        QHash<QString, QString> result;
        for (int i = 2; i < words.size(); ++i) {
            const QString &word = words.at(i);
            const qsizetype eq = word.indexOf(QLatin1Char('='));
            if (eq <= 0)
                fail(QStringLiteral("\"%1\" is not an attribute key=value").arg(word));
            const QString key = word.left(eq).toLower();
            if (!allowed.contains(key))
                fail(QStringLiteral("unknown attribute \"%1\" for %2").arg(word.left(eq), words.first()));
            if (result.contains(key))
                fail(QStringLiteral("attribute \"%1\" given twice").arg(key));
            result.insert(key, word.mid(eq + 1));
        }
        return result;
    }

    QString required(const QHash<QString, QString> &attrs, const QString &key, const QString &keyword) const
    {
        if (!attrs.contains(key) || attrs.value(key).isEmpty())
            fail(QStringLiteral("%1 needs %2=").arg(keyword, key));
        return attrs.value(key);
    }

    int number(const QString &text, const QString &what, int min, int max) const
    {
        bool ok = false;
        const int value = text.toInt(&ok);
        if (!ok || value < min || value > max)
            fail(QStringLiteral("%1 \"%2\" is not a number from %3 to %4")
                     .arg(what, text, QString::number(min), QString::number(max)));
        return value;
    }

    QList<int> numberList(const QString &text, const QString &what, int min, int max) const
    {
        QList<int> values;
        for (const QString &piece : text.split(QLatin1Char(',')))
            values.append(number(piece, what, min, max));
        return values;
    }

    DeviceCpEntry cp(const QStringList &words, bool ofObject)
    {
        DeviceCpEntry entry;
        entry.name = name(words);
        QStringList allowed{QStringLiteral("length"), QStringLiteral("dim"), QStringLiteral("default")};
        if (ofObject)
            allowed.append(QStringLiteral("nv"));
        const auto attrs = attributes(words, allowed);
        entry.elementLength = number(required(attrs, QStringLiteral("length"), words.first()),
                                     QStringLiteral("length"), 1, 255);
        if (attrs.contains(QStringLiteral("dim")))
            entry.dimension = number(attrs.value(QStringLiteral("dim")), QStringLiteral("dim"), 1, 32767);
        const int total = entry.elementLength * entry.dimension;
        if (total > 32767)
            fail(QStringLiteral("CP \"%1\" is larger than 32767 bytes").arg(entry.name));
        entry.bytes = numberList(required(attrs, QStringLiteral("default"), words.first()),
                                 QStringLiteral("byte"), 0, 255);
        if (entry.bytes.size() == 1 && total > 1)
            entry.bytes = QList<int>(total, entry.bytes.first());
        if (entry.bytes.size() != total)
            fail(QStringLiteral("default of CP \"%1\" has %2 bytes, %3 expected (length x dim) or 1")
                     .arg(entry.name, QString::number(entry.bytes.size()), QString::number(total)));
        if (attrs.contains(QStringLiteral("nv"))) {
            entry.nvName = attrs.value(QStringLiteral("nv"));
            bool found = false;
            for (const DeviceNvEntry &nvEntry : currentObject().nvs)
                found = found || nvEntry.name == entry.nvName;
            if (!found)
                fail(QStringLiteral("CP \"%1\": the object has no NV \"%2\"").arg(entry.name, entry.nvName));
        }
        // CPs are looked up by name among their owner's (the device's, the
        // object's, or one NV's): a second of one name could never be reached.
        const QList<DeviceCpEntry> &owners = ofObject ? currentObject().cps : m_result.deviceCps;
        for (const DeviceCpEntry &other : owners) {
            if (other.name == entry.name && other.nvName == entry.nvName)
                fail(ofObject ? QStringLiteral("CP \"%1\" is given twice in object \"%2\"")
                                    .arg(entry.name, currentObject().name)
                              : QStringLiteral("device CP \"%1\" is given twice").arg(entry.name));
        }
        return entry;
    }

    void object(const QStringList &words)
    {
        ObjectGroup group;
        group.object.name = name(words);
        const auto attrs = attributes(words, {QStringLiteral("profile"), QStringLiteral("count")});
        group.object.profileKey = number(required(attrs, QStringLiteral("profile"), words.first()),
                                         QStringLiteral("profile"), 0, 65535);
        if (attrs.contains(QStringLiteral("count")))
            group.count = number(attrs.value(QStringLiteral("count")), QStringLiteral("count"), 1, 4096);
        // Objects are looked up by name as well.
        for (int n = group.count == 0 ? 0 : 1; n <= group.count; ++n) {
            QString expanded = group.object.name;
            if (n > 0)
                expanded.replace(QStringLiteral("%n"), QString::number(n));
            if (m_objectNames.contains(expanded))
                fail(QStringLiteral("object name \"%1\" is given twice").arg(expanded));
            m_objectNames.insert(expanded);
        }
        m_groups.append(group);
    }

    void nv(const QStringList &words)
    {
        DeviceNvEntry entry;
        entry.name = name(words);
        // A CP line names its NV; with two of one name it would be either.
        for (const DeviceNvEntry &other : currentObject().nvs) {
            if (other.name == entry.name)
                fail(QStringLiteral("NV \"%1\" given twice in object \"%2\"")
                         .arg(entry.name, currentObject().name));
        }
        const auto attrs =
            attributes(words, {QStringLiteral("type"), QStringLiteral("allowed"), QStringLiteral("value")});
        entry.typeId =
            number(required(attrs, QStringLiteral("type"), words.first()), QStringLiteral("type"), 0, 65535);
        entry.allowedTypeIds = numberList(required(attrs, QStringLiteral("allowed"), words.first()),
                                          QStringLiteral("type"), 0, 65535);
        if (!entry.allowedTypeIds.contains(entry.typeId))
            fail(QStringLiteral("NV \"%1\": type %2 is not among the allowed types")
                     .arg(entry.name, QString::number(entry.typeId)));
        entry.value =
            attrs.contains(QStringLiteral("value"))
                ? QString(attrs.value(QStringLiteral("value"))).replace(QLatin1Char('_'), QLatin1Char(' '))
                : SnvtCatalog::defaultValue(entry.typeId);
        currentObject().nvs.append(entry);
    }

    DeviceObjectEntry &currentObject()
    {
        if (m_groups.isEmpty())
            fail(QStringLiteral("NV and CP lines need an Object line before them"));
        return m_groups.last().object;
    }

    void expand(const ObjectGroup &group)
    {
        if (group.count == 0) {
            m_result.objects.append(group.object);
            return;
        }
        for (int n = 1; n <= group.count; ++n) {
            DeviceObjectEntry object = group.object;
            object.name.replace(QStringLiteral("%n"), QString::number(n));
            m_result.objects.append(object);
        }
    }

    QString m_path;
    int m_line = 0;
    DeviceInterface m_result;
    QList<ObjectGroup> m_groups;
    QSet<QString> m_objectNames;
};
// The file's text; bytes that are not UTF-8 are refused with their line
// rather than kept as replacement characters in names and values.
QString decodeUtf8(QByteArray bytes, const QString &path)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    const QList<QByteArray> lines = bytes.split('\n');
    QString text;
    text.reserve(bytes.size());
    for (int i = 0; i < lines.size(); ++i) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString line = utf8.decode(lines.at(i));
        if (utf8.hasError())
            throw LnsError(LnsErrorCode::InvalidArgument,
                           QStringLiteral("%1:%2: the line is not UTF-8 text; save the device interface file "
                                          "as UTF-8 (or plain ASCII)")
                               .arg(path, QString::number(i + 1)));
        if (i > 0)
            text += QLatin1Char('\n');
        text += line;
    }
    return text;
}
} // namespace

DeviceInterface DeviceInterfaceFile::parse(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw LnsError(
            LnsErrorCode::InvalidArgument,
            QStringLiteral("%1: the device interface file cannot be read: %2").arg(path, file.errorString()));
    return parseBytes(file.readAll(), path);
}

DeviceInterface DeviceInterfaceFile::parseBytes(const QByteArray &bytes, const QString &path)
{
    return parseText(decodeUtf8(bytes, path), path);
}

DeviceInterface DeviceInterfaceFile::parseText(const QString &text, const QString &path)
{
    return Parser(path).run(text);
}
