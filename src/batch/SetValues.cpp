#include "batch/SetValues.h"

#include "model/FptKeys.h"
#include "model/M_SwitchObject.h"
#include "model/cLmo.h"
#include "params/FileNumber.h"
#include "template/ParamEnums.h"
#include "template/cRX24.h"

const char *const SetValues::EventPrefixes[EventCount] = {
    "PushEvent1", "ReleaseEvent1", "HoldEvent1", "ReleaseLateEvent1",
    "PushEvent2", "ReleaseEvent2", "HoldEvent2", "ReleaseLateEvent2",
};

QString SetValues::nameOf(const char *prefix, int object)
{
    return QLatin1String(prefix) + QLatin1Char('_') + QString::number(object);
}

std::optional<qint64> SetValues::number(const QString &name) const
{
    const auto it = m_set.values.constFind(name);
    if (it == m_set.values.constEnd())
        return std::nullopt;
    return FileNumber::integer(it.value(), FileNumber::fieldMin(4), FileNumber::fieldMax(4));
}

std::optional<int> SetValues::byte(const QString &name) const
{
    const std::optional<qint64> n = number(name);
    if (!n)
        return std::nullopt;
    return static_cast<int>(*n & 0xFF);
}

std::optional<int> SetValues::signedByte(const QString &name) const
{
    const std::optional<int> b = byte(name);
    if (!b)
        return std::nullopt;
    return *b > 127 ? *b - 256 : *b;
}

std::optional<int> SetValues::word(const QString &name) const
{
    const auto it = m_set.values.constFind(name);
    if (it == m_set.values.constEnd())
        return std::nullopt;
    const QStringList fields = it.value().split(QLatin1Char(','));
    if (fields.size() != 2)
        return std::nullopt;
    const std::optional<qint64> high = FileNumber::integer(fields.at(0), -65535, 65535);
    const std::optional<qint64> low = FileNumber::integer(fields.at(1), -65535, 65535);
    if (!high || !low)
        return std::nullopt;
    return static_cast<int>((*high * 256 + *low) & 0xFFFF);
}

int SetValues::slotType(int slot) const
{
    const std::optional<int> b = byte(nameOf("DeviceModules", slot));
    return !b || *b == MT_NUL_UNSIGNED ? MT_NUL : *b;
}

SetValues::Binding SetValues::binding(int object) const
{
    Binding b;
    b.slot = byte(nameOf("ModuleNumber", object)).value_or(0);
    b.channel = byte(nameOf("ModuleChannel", object)).value_or(0);
    // An object the window lets go carries slot 0: not bound, whatever its channel says.
    if (!b.bound())
        return {};
    return b;
}

int SetValues::fptKey(int object) const
{
    return word(nameOf("FptIndex", object)).value_or(FptKeys::Unused);
}

QList<int> SetValues::events(int object) const
{
    QList<int> events;
    for (const char *prefix : EventPrefixes) {
        const std::optional<int> e = signedByte(nameOf(prefix, object));
        if (!e)
            return {};
        events.append(*e);
    }
    return events;
}

int SetValues::switchType(int object) const
{
    // The first predefined type whose events these are wins; the push-button
    // kind only tells the two user-defined types apart.
    const QList<int> ev = events(object);
    if (ev.size() != EventCount)
        return -1;
    for (int code = 0; code < M_SwitchObject::FirstUserDefined; ++code) {
        const M_SwitchObject::SwitchRow &row = M_SwitchObject::SwitchTableRow(code);
        bool match = true;
        for (int i = 0; i < EventCount && match; ++i)
            match = ev.at(i) == row.at(static_cast<size_t>(i));
        if (match)
            return code;
    }
    const bool isDouble = byte(nameOf("SwitchType", object)).value_or(SWT_SINGLE) == SWT_DOUBLE;
    return M_SwitchObject::FirstUserDefined + (isDouble ? 1 : 0);
}

QString SetValues::fptString(int object) const
{
    const int key = fptKey(object);
    if (!FptKeys::isKnown(key))
        return key == FptKeys::Unused ? QString() : QString::number(key);
    const auto withSub = [key](std::optional<int> sub) {
        return QString::number(key) + QLatin1Char('/') + QString::number(sub.value_or(-1));
    };
    switch (key) {
    case FptKeys::Switch:
        return withSub(switchType(object));
    case FptKeys::AnalogInput:
        return withSub(byte(nameOf("AnalogInputType", object)));
    case FptKeys::AnalogOutput:
        return withSub(byte(nameOf("AnalogOutputType", object)));
    case FptKeys::Hvac:
        return withSub(byte(nameOf("ActuateType", object)));
    default:
        return QString::number(key);
    }
}

int SetValues::outputType(int object, const cRX24 *deviceTemplate) const
{
    const auto held = m_set.nvTypes.constFind(object);
    if (held != m_set.nvTypes.constEnd() && held->out > 0)
        return held->out;
    const int key = fptKey(object);
    if (!deviceTemplate || !FptKeys::isKnown(key))
        return 0;
    try {
        // A set from a file holds no NV types: the object has those the
        // plug-in gives its function, which for a switch follow its events.
        return cLmo::DefaultNvTypes(*deviceTemplate, key, events(object)).out;
    } catch (const std::exception &) {
        return 0;
    }
}
