#include "params/ConfigurationSet.h"

#include "params/cConfigProp.h"
#include "params/cParamBase.h"
#include "params/cParams.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

namespace {
// FptIndex of an object without a function, as the 2-byte parameter writes it.
const char *const UnusedFpt = "255,255";

QString bytesText(const QList<int> &bytes)
{
    QStringList parts;
    parts.reserve(bytes.size());
    for (int byte : bytes)
        parts.append(QString::number(byte));
    return parts.join(QLatin1Char(' '));
}

QString typesText(const ConfigurationSet::NvTypes &t)
{
    return QStringLiteral("%1/%2/%3").arg(t.prime).arg(t.sec).arg(t.out);
}

template <class T, class Show>
void compare(const QMap<QString, T> &a, const QMap<QString, T> &b, const Show &show, QStringList &out)
{
    for (auto it = a.constBegin(); it != a.constEnd(); ++it) {
        const auto other = b.constFind(it.key());
        if (other == b.constEnd())
            out.append(QStringLiteral("%1: %2 -> (none)").arg(it.key(), show(it.value())));
        else if (!(other.value() == it.value()))
            out.append(QStringLiteral("%1: %2 -> %3").arg(it.key(), show(it.value()), show(other.value())));
    }
    for (auto it = b.constBegin(); it != b.constEnd(); ++it) {
        if (!a.contains(it.key()))
            out.append(QStringLiteral("%1: (none) -> %2").arg(it.key(), show(it.value())));
    }
}

template <class T> QMap<QString, T> byObject(const QMap<int, T> &map, const QString &prefix)
{
    QMap<QString, T> keyed;
    for (auto it = map.constBegin(); it != map.constEnd(); ++it)
        keyed.insert(prefix + QString::number(it.key()), it.value());
    return keyed;
}
} // namespace

ConfigurationSet ConfigurationSet::fromParams(cParams &params)
{
    ConfigurationSet set;
    for (const QList<cParamBase *> &list : params.KindOrderLists()) {
        for (const cParamBase *param : list) {
            if (param->Available())
                set.values.insert(param->Name(), param->FileValueText());
        }
    }
    for (int i = 1; i <= params.ConfigPropsCount(); ++i) {
        cConfigProp *cp = params.ConfigProps(i);
        if (!cp->Available() || !cp->CpFetched())
            continue;
        QList<int> bytes;
        const int length = cp->ByteLength();
        for (int b = 1; b <= length; ++b)
            bytes.append(cp->ByteValue(b));
        set.wholeCps.insert(cp->Name(), bytes);
    }
    return set;
}

void ConfigurationSet::putInto(cParams &params) const
{
    for (const QList<cParamBase *> &list : params.KindOrderLists()) {
        for (cParamBase *param : list) {
            const auto it = values.constFind(param->Name());
            if (it == values.constEnd() || !param->Available())
                continue;
            param->SetValueFromFileText(it.value());
        }
    }
    for (int i = 1; i <= params.ConfigPropsCount(); ++i) {
        cConfigProp *cp = params.ConfigProps(i);
        const auto it = wholeCps.constFind(cp->Name());
        if (it == wholeCps.constEnd() || !cp->Available() || !cp->CpFetched())
            continue;
        const int length = qMin(cp->ByteLength(), int(it.value().size()));
        for (int b = 1; b <= length; ++b)
            cp->setByteValue(b, static_cast<quint8>(it.value().at(b - 1)));
    }
}

QStringList ConfigurationSet::differences(const ConfigurationSet &other, bool withNames) const
{
    QStringList out;
    compare(
        values, other.values, [](const QString &v) { return v; }, out);
    // A parameter file holds no whole CPs: they count only when both sets have them.
    if (!wholeCps.isEmpty() && !other.wholeCps.isEmpty())
        compare(wholeCps, other.wholeCps, bytesText, out);
    // An object without a function sends and takes nothing: its NV types are
    // no part of the configuration (a parameter file does not hold them).
    const auto used = [](const ConfigurationSet &set) {
        QMap<int, NvTypes> types;
        for (auto it = set.nvTypes.constBegin(); it != set.nvTypes.constEnd(); ++it) {
            const QString fpt = set.values.value(QStringLiteral("FptIndex_%1").arg(it.key()));
            if (fpt != QLatin1String(UnusedFpt))
                types.insert(it.key(), it.value());
        }
        return types;
    };
    if (!nvTypes.isEmpty() && !other.nvTypes.isEmpty())
        compare(byObject(used(*this), QStringLiteral("NV types of object ")),
                byObject(used(other), QStringLiteral("NV types of object ")), typesText, out);
    if (withNames)
        compare(
            byObject(names, QStringLiteral("Name of object ")),
            byObject(other.names, QStringLiteral("Name of object ")), [](const QString &v) { return v; },
            out);
    return out;
}

namespace {
// A JSON string, written by hand: the history stores a set at every write,
// and building a QJsonObject of some 500 keys costs more than the write.
void appendJsonString(QString &out, const QString &text)
{
    out += QLatin1Char('"');
    const bool plain = std::none_of(text.cbegin(), text.cend(), [](QChar c) {
        return c.unicode() < 0x20 || c == QLatin1Char('"') || c == QLatin1Char('\\');
    });
    if (plain) {
        out += text;
        out += QLatin1Char('"');
        return;
    }
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '"':
            out += QLatin1String("\\\"");
            break;
        case '\\':
            out += QLatin1String("\\\\");
            break;
        default:
            if (c.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    out += QLatin1Char('"');
}

template <class Key, class T, class Write>
void appendJsonObject(QString &out, const char *name, const QMap<Key, T> &map, const Write &write)
{
    out += QLatin1Char('"') + QLatin1String(name) + QLatin1String("\":{");
    bool first = true;
    for (auto it = map.constBegin(); it != map.constEnd(); ++it) {
        if (!first)
            out += QLatin1Char(',');
        first = false;
        if constexpr (std::is_same_v<Key, int>)
            out += QLatin1Char('"') + QString::number(it.key()) + QLatin1Char('"');
        else
            appendJsonString(out, it.key());
        out += QLatin1Char(':');
        write(it.value());
    }
    out += QLatin1Char('}');
}
} // namespace

QString ConfigurationSet::toText() const
{
    QString out;
    out.reserve(values.size() * 24 + wholeCps.size() * 64 + 256);
    const auto numbers = [&out](const QList<int> &list) {
        out += QLatin1Char('[');
        for (qsizetype i = 0; i < list.size(); ++i) {
            if (i > 0)
                out += QLatin1Char(',');
            out += QString::number(list.at(i));
        }
        out += QLatin1Char(']');
    };
    out += QLatin1Char('{');
    appendJsonObject(out, "names", names, [&out](const QString &v) { appendJsonString(out, v); });
    out += QLatin1Char(',');
    appendJsonObject(out, "nvTypes", nvTypes, [&numbers](const NvTypes &t) {
        numbers({t.prime, t.sec, t.out});
    });
    out += QLatin1String(",\"programId\":");
    appendJsonString(out, programId);
    out += QLatin1Char(',');
    appendJsonObject(out, "values", values, [&out](const QString &v) { appendJsonString(out, v); });
    out += QLatin1Char(',');
    appendJsonObject(out, "wholeCps", wholeCps, numbers);
    out += QLatin1Char('}');
    return out;
}

bool ConfigurationSet::fromText(const QString &text, ConfigurationSet &set)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return false;
    const QJsonObject root = document.object();
    if (!root.value(QStringLiteral("programId")).isString() ||
        !root.value(QStringLiteral("values")).isObject())
        return false;
    ConfigurationSet read;
    read.programId = root.value(QStringLiteral("programId")).toString();
    const QJsonObject values = root.value(QStringLiteral("values")).toObject();
    for (auto it = values.constBegin(); it != values.constEnd(); ++it)
        read.values.insert(it.key(), it.value().toString());
    const QJsonObject whole = root.value(QStringLiteral("wholeCps")).toObject();
    for (auto it = whole.constBegin(); it != whole.constEnd(); ++it) {
        QList<int> bytes;
        for (const QJsonValue &byte : it.value().toArray())
            bytes.append(byte.toInt());
        read.wholeCps.insert(it.key(), bytes);
    }
    const QJsonObject types = root.value(QStringLiteral("nvTypes")).toObject();
    for (auto it = types.constBegin(); it != types.constEnd(); ++it) {
        const QJsonArray t = it.value().toArray();
        if (t.size() != 3)
            return false;
        read.nvTypes.insert(it.key().toInt(), NvTypes{t.at(0).toInt(), t.at(1).toInt(), t.at(2).toInt()});
    }
    const QJsonObject objectNames = root.value(QStringLiteral("names")).toObject();
    for (auto it = objectNames.constBegin(); it != objectNames.constEnd(); ++it)
        read.names.insert(it.key().toInt(), it.value().toString());
    set = read;
    return true;
}
