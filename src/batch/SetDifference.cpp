#include "batch/SetDifference.h"

#include "batch/SetValues.h"
#include "batch/SetWords.h"
#include "model/FptKeys.h"
#include "model/M_SwitchObject.h"
#include "template/cRX24.h"
#include "workflows/WriteHistory.h"

#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <tuple>

namespace {

using Caption = SetWords::Caption;

// How a channel object's CP is read and shown.
enum class Width { OneByte, SignedByte, TwoByte };
enum class Shown {
    Function,
    ModuleType,
    Binding,
    Priority,
    Time,
    ActuatorType,
    ActuateControl,
    Count,
    AnalogOutput,
    AnalogInput,
    NvValue,
    SwitchKind,
    Event,
};

struct ObjectCp
{
    const char *prefix;
    Width width;
    Shown shown;
    Caption caption;
    int captionOffset = 0;
};

// The CPs of a channel object, in the order the device lists them.
const ObjectCp ObjectCps[] = {
    {"FptIndex", Width::TwoByte, Shown::Function, Caption::Function},
    {"ModuleType", Width::OneByte, Shown::ModuleType, Caption::ModuleType},
    {"ModuleNumber", Width::OneByte, Shown::Binding, Caption::Channel},
    {"ModuleChannel", Width::OneByte, Shown::Binding, Caption::Channel},
    {"SecInputPriority", Width::OneByte, Shown::Priority, Caption::SecInputPriority},
    {"PrimeValMaxRcvTime", Width::TwoByte, Shown::Time, Caption::PrimeValMaxRcvTime},
    {"SecValMaxRcvTime", Width::TwoByte, Shown::Time, Caption::SecValMaxRcvTime},
    {"OutputMinSendTime", Width::TwoByte, Shown::Time, Caption::OutputMinSendTime},
    {"OutputMaxSendTime", Width::TwoByte, Shown::Time, Caption::OutputMaxSendTime},
    {"ActuateType", Width::OneByte, Shown::ActuatorType, Caption::ActuateType},
    {"ActuateControl", Width::OneByte, Shown::ActuateControl, Caption::ActuateControl},
    {"DiscLevels", Width::OneByte, Shown::Count, Caption::DiscLevels},
    {"AnalogOutputType", Width::OneByte, Shown::AnalogOutput, Caption::AnalogOutputType},
    {"AnalogInputType", Width::OneByte, Shown::AnalogInput, Caption::AnalogInputType},
    {"DefOutput", Width::TwoByte, Shown::NvValue, Caption::DefOutput},
    {"MinRange", Width::TwoByte, Shown::NvValue, Caption::MinRange},
    {"MaxRange", Width::TwoByte, Shown::NvValue, Caption::MaxRange},
    {"SendDelta", Width::TwoByte, Shown::NvValue, Caption::SendDelta},
    {"SafetyValue", Width::TwoByte, Shown::NvValue, Caption::SafetyValue},
    {"OvrResetValue", Width::TwoByte, Shown::NvValue, Caption::OvrResetValue},
    {"SwitchType", Width::SignedByte, Shown::SwitchKind, Caption::SwitchType},
    {"PushEvent1", Width::SignedByte, Shown::Event, Caption::FirstEvent, 0},
    {"ReleaseEvent1", Width::SignedByte, Shown::Event, Caption::FirstEvent, 1},
    {"HoldEvent1", Width::SignedByte, Shown::Event, Caption::FirstEvent, 2},
    {"ReleaseLateEvent1", Width::SignedByte, Shown::Event, Caption::FirstEvent, 3},
    {"PushEvent2", Width::SignedByte, Shown::Event, Caption::FirstEvent, 4},
    {"ReleaseEvent2", Width::SignedByte, Shown::Event, Caption::FirstEvent, 5},
    {"HoldEvent2", Width::SignedByte, Shown::Event, Caption::FirstEvent, 6},
    {"ReleaseLateEvent2", Width::SignedByte, Shown::Event, Caption::FirstEvent, 7},
};
constexpr int ObjectCpCount = int(std::size(ObjectCps));

const ObjectCp *objectCp(const QString &prefix)
{
    for (const ObjectCp &cp : ObjectCps) {
        if (prefix == QLatin1String(cp.prefix))
            return &cp;
    }
    return nullptr;
}

int indexOf(const ObjectCp *cp)
{
    return int(cp - ObjectCps);
}

const QString SlotCp = QStringLiteral("DeviceModules");
const QString ScenesCp = QStringLiteral("Scenes");
const QString NvNames[] = {QStringLiteral("PrimeValue"), QStringLiteral("SecValue"),
                           QStringLiteral("Output")};
// One scene is one value of the output NV: four bytes, the largest output type.
constexpr int SceneBytes = 4;
// Objects bound to no slot come after the last slot.
constexpr int Unbound = SetValues::Slots + 1;

// Rows of an object after its CPs.
enum Order {
    OrderFunction = -3,
    OrderBinding = -2,
    OrderModuleType = -1,
    OrderScenes = 100,
    OrderNv,
    OrderName,
    OrderOther
};

// "Scenes_12" is "Scenes" of object 12; a name without a number has object 0.
std::pair<QString, int> split(const QString &name)
{
    const qsizetype bar = name.lastIndexOf(QLatin1Char('_'));
    bool ok = false;
    const int number = bar > 0 ? name.mid(bar + 1).toInt(&ok) : 0;
    if (!ok || number < 1)
        return {name, 0};
    return {name.left(bar), number};
}

std::optional<int> read(const SetValues &v, const QString &name, Width width)
{
    switch (width) {
    case Width::OneByte:
        return v.byte(name);
    case Width::SignedByte:
        return v.signedByte(name);
    case Width::TwoByte:
        return v.word(name);
    }
    return std::nullopt;
}

// Equal when both sets lack it, or both hold the same bytes (a text that
// is no number compares as text).
bool same(const SetValues &a, const SetValues &b, const QString &name, Width width)
{
    // Every write compares two whole sets for its history line: the equal
    // texts, nearly all of them, are settled by one lookup on each side.
    const auto &av = a.set().values;
    const auto &bv = b.set().values;
    const auto at = av.constFind(name);
    const auto bt = bv.constFind(name);
    if ((at == av.constEnd()) != (bt == bv.constEnd()))
        return false;
    if (at == av.constEnd() || at.value() == bt.value())
        return true;
    const std::optional<int> x = read(a, name, width);
    const std::optional<int> y = read(b, name, width);
    if (x && y)
        return *x == *y;
    return a.text(name) == b.text(name);
}

QString capitalised(QString text)
{
    if (!text.isEmpty())
        text[0] = text.at(0).toUpper();
    return text;
}

struct KeyedRow
{
    int slot = 0;
    int channel = 0;
    int object = 0;
    int order = 0;
    SetDifferenceRow row;
};

class Comparison
{
public:
    Comparison(const ConfigurationSet &a, const ConfigurationSet &b, bool withNames)
        : m_a(a), m_b(b), m_withNames(withNames && !a.names.isEmpty() && !b.names.isEmpty()),
          m_nvTypes(!a.nvTypes.isEmpty() && !b.nvTypes.isEmpty()),
          m_wholeCps(!a.wholeCps.isEmpty() && !b.wholeCps.isEmpty())
    {
    }

    QList<SetDifferenceRow> rows()
    {
        compareDevice();
        compareSlots();
        for (int object : objects())
            compareObject(object);
        compareUnknown();
        std::stable_sort(m_rows.begin(), m_rows.end(), [](const KeyedRow &x, const KeyedRow &y) {
            return std::tie(x.slot, x.channel, x.object, x.order) <
                   std::tie(y.slot, y.channel, y.object, y.order);
        });
        QList<SetDifferenceRow> result;
        result.reserve(m_rows.size());
        for (const KeyedRow &keyed : std::as_const(m_rows))
            result.append(keyed.row);
        return result;
    }

private:
    // --- the device and its slots ------------------------------------------------

    void compareDevice()
    {
        const QString &x = m_a.set().programId;
        const QString &y = m_b.set().programId;
        if (!x.isEmpty() && !y.isEmpty() && x != y)
            add(0, 0, 0, 0, {SetWords::device(), SetWords::programId(), x, y, QStringLiteral("ProgramId")});
    }

    void compareSlots()
    {
        for (int slot = 1; slot <= SetValues::Slots; ++slot) {
            const QString name = SetValues::nameOf("DeviceModules", slot);
            if (same(m_a, m_b, name, Width::OneByte))
                continue;
            const auto words = [&](const SetValues &v) {
                return v.has(name) ? SetWords::moduleType(v.slotType(slot)) : SetWords::absent();
            };
            m_slotRows.insert(slot, int(m_rows.size()));
            add(slot, 0, 0, 0,
                {SetWords::piece(SetWords::Piece::Slot, {QString::number(slot)}),
                 SetWords::caption(Caption::ModuleType), words(m_a), words(m_b), name});
        }
    }

    // --- the channel objects -------------------------------------------------------

    QList<int> objects() const
    {
        QSet<int> found;
        for (const ConfigurationSet *set : {&m_a.set(), &m_b.set()}) {
            for (auto it = set->values.constBegin(); it != set->values.constEnd(); ++it) {
                const auto [prefix, object] = split(it.key());
                if (object > 0 && objectCp(prefix))
                    found.insert(object);
            }
            for (auto it = set->wholeCps.constBegin(); it != set->wholeCps.constEnd(); ++it) {
                const auto [prefix, object] = split(it.key());
                if (object > 0 && prefix == ScenesCp)
                    found.insert(object);
            }
            for (int object : set->nvTypes.keys())
                found.insert(object);
            for (int object : set->names.keys())
                found.insert(object);
        }
        QList<int> sorted(found.cbegin(), found.cend());
        std::sort(sorted.begin(), sorted.end());
        return sorted;
    }

    // Where the object is, as the window shows it: the slot and channel it is
    // bound to (in the later set, else in the earlier), and its name.
    struct Place
    {
        int slot = Unbound;
        int channel = 0;
        QString text;
    };
    Place placeOf(int object) const
    {
        const bool laterBound = m_b.binding(object).bound();
        const SetValues &from = laterBound ? m_b : m_a;
        const SetValues::Binding binding = from.binding(object);
        QStringList pieces;
        Place place;
        if (binding.bound()) {
            place.slot = binding.slot;
            place.channel = binding.channel;
            const int type = from.slotType(binding.slot);
            const QString slot = QString::number(binding.slot);
            pieces << (type < 0 ? SetWords::piece(SetWords::Piece::Slot, {slot})
                                : SetWords::piece(SetWords::Piece::SlotWithType,
                                                  {slot, SetWords::moduleShortName(type)}));
            pieces << SetWords::piece(SetWords::Piece::Channel, {QString::number(binding.channel)});
        }
        const QString name = m_b.set().names.value(object, m_a.set().names.value(object));
        pieces << (name.isEmpty()
                       ? SetWords::piece(SetWords::Piece::Object, {QString::number(object)})
                       : SetWords::piece(SetWords::Piece::ObjectWithName, {QString::number(object), name}));
        place.text = capitalised(pieces.join(QStringLiteral(", ")));
        return place;
    }

    void compareObject(int object)
    {
        QList<const ObjectCp *> changed;
        for (const ObjectCp &cp : ObjectCps) {
            if (!same(m_a, m_b, SetValues::nameOf(cp.prefix, object), cp.width))
                changed.append(&cp);
        }
        // Worded only for an object that has a row.
        std::optional<Place> place;
        const auto row = [&](int order, const QString &item, const QString &x, const QString &y,
                             const QString &parameter) {
            if (!place)
                place = placeOf(object);
            add(place->slot, place->channel, object, order, {place->text, item, x, y, parameter});
        };

        compareFunction(object, changed, row);
        compareBinding(object, changed, row);
        for (const ObjectCp *cp : std::as_const(changed)) {
            row(indexOf(cp), SetWords::caption(cp->caption, cp->captionOffset), words(*cp, m_a, object),
                words(*cp, m_b, object), SetValues::nameOf(cp->prefix, object));
        }
        compareScenes(object, row);
        compareNvTypes(object, row);
        compareName(object, row);
    }

    using RowAdder =
        std::function<void(int, const QString &, const QString &, const QString &, const QString &)>;

    static QString joined(const QList<const ObjectCp *> &cps, int object)
    {
        QStringList names;
        for (const ObjectCp *cp : cps)
            names << SetValues::nameOf(cp->prefix, object);
        return names.join(QStringLiteral(", "));
    }

    // Takes the CPs of changed that pass out of it and returns them.
    template <class Predicate>
    static QList<const ObjectCp *> take(QList<const ObjectCp *> &changed, Predicate p)
    {
        QList<const ObjectCp *> taken;
        for (auto it = changed.begin(); it != changed.end();) {
            if (p(**it)) {
                taken.append(*it);
                it = changed.erase(it);
            } else {
                ++it;
            }
        }
        return taken;
    }

    // The CPs that make the function, as the channel's type list shows it.
    // The events of a user-defined switch are the user's own and keep rows
    // of their own.
    QSet<QString> functionCps(int object) const
    {
        QSet<QString> cps{QStringLiteral("FptIndex")};
        const auto either = [&](int key) { return m_a.fptKey(object) == key || m_b.fptKey(object) == key; };
        const auto userDefined = [&](const SetValues &v) {
            return v.fptKey(object) == FptKeys::Switch &&
                   v.switchType(object) >= M_SwitchObject::FirstUserDefined;
        };
        if (either(FptKeys::Switch)) {
            cps << QStringLiteral("SwitchType");
            if (!userDefined(m_a) && !userDefined(m_b)) {
                for (const char *prefix : SetValues::EventPrefixes)
                    cps << QLatin1String(prefix);
            }
        }
        if (either(FptKeys::Hvac))
            cps << QStringLiteral("ActuateType");
        if (either(FptKeys::AnalogInput))
            cps << QStringLiteral("AnalogInputType");
        if (either(FptKeys::AnalogOutput))
            cps << QStringLiteral("AnalogOutputType");
        return cps;
    }

    void compareFunction(int object, QList<const ObjectCp *> &changed, const RowAdder &row) const
    {
        const QString x = SetWords::function(m_a, object);
        const QString y = SetWords::function(m_b, object);
        if (x == y)
            return;
        const QSet<QString> cps = functionCps(object);
        QList<const ObjectCp *> taken =
            take(changed, [&](const ObjectCp &cp) { return cps.contains(QLatin1String(cp.prefix)); });
        const QString parameter =
            taken.isEmpty() ? SetValues::nameOf("FptIndex", object) : joined(taken, object);
        row(OrderFunction, SetWords::caption(Caption::Function), x, y, parameter);
    }

    void compareBinding(int object, QList<const ObjectCp *> &changed, const RowAdder &row)
    {
        const SetValues::Binding x = m_a.binding(object);
        const SetValues::Binding y = m_b.binding(object);
        const bool moved = std::any_of(changed.cbegin(), changed.cend(),
                                       [](const ObjectCp *cp) { return cp->shown == Shown::Binding; });
        if (moved && !(x == y)) {
            const QList<const ObjectCp *> taken = take(changed, [](const ObjectCp &cp) {
                return cp.shown == Shown::Binding || cp.shown == Shown::ModuleType;
            });
            row(OrderBinding, SetWords::caption(Caption::Channel), SetWords::binding(x.slot, x.channel),
                SetWords::binding(y.slot, y.channel), joined(taken, object));
            return;
        }
        const QString typeName = SetValues::nameOf("ModuleType", object);
        if (!std::any_of(changed.cbegin(), changed.cend(),
                         [](const ObjectCp *cp) { return cp->shown == Shown::ModuleType; }))
            return;
        // The object's module type follows its slot's: the slot's row names it.
        const auto followsSlot = [&](const SetValues &v) {
            const std::optional<int> type = v.byte(typeName);
            const int slotType = v.slotType(x.slot);
            return type && (*type == slotType || (*type == 255 && slotType < 0));
        };
        const auto slotRow = m_slotRows.constFind(x.slot);
        if (x.bound() && slotRow != m_slotRows.constEnd() && followsSlot(m_a) && followsSlot(m_b)) {
            take(changed, [](const ObjectCp &cp) { return cp.shown == Shown::ModuleType; });
            QString &parameter = m_rows[*slotRow].row.parameter;
            parameter += QStringLiteral(", ") + typeName;
        }
    }

    QString words(const ObjectCp &cp, const SetValues &v, int object) const
    {
        const QString name = SetValues::nameOf(cp.prefix, object);
        if (!v.has(name))
            return SetWords::absent();
        const std::optional<int> value = read(v, name, cp.width);
        if (!value)
            return v.text(name);
        switch (cp.shown) {
        case Shown::ModuleType:
            return SetWords::moduleType(*value == 255 ? -1 : *value);
        case Shown::Priority:
            return SetWords::priority(*value);
        case Shown::Time:
            return SetWords::time(*value);
        case Shown::ActuatorType:
            return SetWords::actuatorType(*value);
        case Shown::ActuateControl:
            return SetWords::actuateControl(*value);
        case Shown::AnalogOutput:
            return SetWords::analogOutput(*value);
        case Shown::AnalogInput:
            return SetWords::analogInput(*value);
        case Shown::SwitchKind:
            return SetWords::switchKind(*value);
        case Shown::Event:
            return SetWords::event(*value);
        case Shown::NvValue:
            return SetWords::nvValue(outputType(v, object), *value);
        case Shown::Function:
        case Shown::Binding:
        case Shown::Count:
            break;
        }
        return QString::number(*value);
    }

    // The type a value CP of the object is read in. An object that never
    // had a function works with SNVT_switch, the type its CPs start in.
    int outputType(const SetValues &v, int object) const
    {
        constexpr int SnvtSwitch = 95;
        const int type = v.outputType(object, deviceTemplate());
        return type == 0 ? SnvtSwitch : type;
    }

    void compareScenes(int object, const RowAdder &row) const
    {
        if (!m_wholeCps)
            return;
        const QString name = SetValues::nameOf("Scenes", object);
        const auto x = m_a.set().wholeCps.constFind(name);
        const auto y = m_b.set().wholeCps.constFind(name);
        const bool inA = x != m_a.set().wholeCps.constEnd();
        const bool inB = y != m_b.set().wholeCps.constEnd();
        if (!inA && !inB)
            return;
        if (inA && inB && *x == *y)
            return;
        const auto count = [](const QList<int> &bytes) {
            return SetWords::piece(SetWords::Piece::SceneCount,
                                   {QString::number((bytes.size() + SceneBytes - 1) / SceneBytes)});
        };
        QString after = inB ? count(*y) : SetWords::absent();
        if (inA && inB) {
            QStringList scenes;
            const qsizetype entries = (qMax(x->size(), y->size()) + SceneBytes - 1) / SceneBytes;
            for (qsizetype e = 0; e < entries; ++e) {
                if (x->mid(e * SceneBytes, SceneBytes) != y->mid(e * SceneBytes, SceneBytes))
                    scenes << QString::number(e + 1);
            }
            after = SetWords::piece(SetWords::Piece::ScenesChanged,
                                    {QString::number(scenes.size()), scenes.join(QStringLiteral(", "))});
        }
        row(OrderScenes, SetWords::caption(Caption::Scenes), inA ? count(*x) : SetWords::absent(), after,
            name);
    }

    // NV types matter only while the object performs a function.
    std::optional<ConfigurationSet::NvTypes> nvTypesOf(const SetValues &v, int object) const
    {
        const auto it = v.set().nvTypes.constFind(object);
        if (it == v.set().nvTypes.constEnd() || v.fptKey(object) == FptKeys::Unused)
            return std::nullopt;
        return *it;
    }

    void compareNvTypes(int object, const RowAdder &row) const
    {
        if (!m_nvTypes)
            return;
        const auto x = nvTypesOf(m_a, object);
        const auto y = nvTypesOf(m_b, object);
        if (x == y)
            return;
        QStringList nvs;
        const int xs[] = {x ? x->prime : 0, x ? x->sec : 0, x ? x->out : 0};
        const int ys[] = {y ? y->prime : 0, y ? y->sec : 0, y ? y->out : 0};
        for (int i = 0; i < 3; ++i) {
            if (!x || !y || xs[i] != ys[i])
                nvs << NvNames[i] + QLatin1Char('_') + QString::number(object);
        }
        row(OrderNv, SetWords::caption(Caption::NvTypes), x ? SetWords::nvTypes(*x) : SetWords::absent(),
            y ? SetWords::nvTypes(*y) : SetWords::absent(), nvs.join(QStringLiteral(", ")));
    }

    void compareName(int object, const RowAdder &row) const
    {
        if (!m_withNames)
            return;
        const auto &x = m_a.set().names;
        const auto &y = m_b.set().names;
        if (x.contains(object) == y.contains(object) && x.value(object) == y.value(object))
            return;
        row(OrderName, SetWords::caption(Caption::Name), x.value(object, SetWords::absent()),
            y.value(object, SetWords::absent()), SetValues::nameOf("Name", object));
    }

    // --- what the program does not know ------------------------------------------

    // A parameter or whole CP no device of this plug-in has (a file from
    // another version, a hand edit) keeps its name and its file text.
    void compareUnknown()
    {
        QSet<QString> names;
        for (const ConfigurationSet *set : {&m_a.set(), &m_b.set()}) {
            for (auto it = set->values.constBegin(); it != set->values.constEnd(); ++it)
                names.insert(it.key());
        }
        QList<QString> sorted(names.cbegin(), names.cend());
        std::sort(sorted.begin(), sorted.end());
        for (const QString &name : std::as_const(sorted)) {
            const auto [prefix, number] = split(name);
            const bool known = (number > 0 && objectCp(prefix)) ||
                               (prefix == SlotCp && number >= 1 && number <= SetValues::Slots);
            if (known || (m_a.has(name) == m_b.has(name) && m_a.text(name) == m_b.text(name)))
                continue;
            const auto text = [&](const SetValues &v) {
                return v.has(name) ? v.text(name) : SetWords::absent();
            };
            addUnknown(name, number, text(m_a), text(m_b));
        }
        if (!m_wholeCps)
            return;
        QSet<QString> cps;
        for (const ConfigurationSet *set : {&m_a.set(), &m_b.set()}) {
            for (auto it = set->wholeCps.constBegin(); it != set->wholeCps.constEnd(); ++it)
                cps.insert(it.key());
        }
        QList<QString> sortedCps(cps.cbegin(), cps.cend());
        std::sort(sortedCps.begin(), sortedCps.end());
        for (const QString &name : std::as_const(sortedCps)) {
            const auto [prefix, number] = split(name);
            const auto &x = m_a.set().wholeCps;
            const auto &y = m_b.set().wholeCps;
            if ((prefix == ScenesCp && number > 0) ||
                (x.contains(name) == y.contains(name) && x[name] == y[name]))
                continue;
            const auto bytes = [&](const QMap<QString, QList<int>> &cpsOf) {
                if (!cpsOf.contains(name))
                    return SetWords::absent();
                QStringList parts;
                for (int byte : cpsOf[name])
                    parts << QString::number(byte);
                return parts.join(QLatin1Char(' '));
            };
            addUnknown(name, number, bytes(x), bytes(y));
        }
    }

    void addUnknown(const QString &name, int object, const QString &x, const QString &y)
    {
        if (object <= 0) {
            add(0, 0, 0, OrderOther, {SetWords::device(), name, x, y, name});
            return;
        }
        const Place place = placeOf(object);
        add(place.slot, place.channel, object, OrderOther, {place.text, name, x, y, name});
    }

    // --- helpers -------------------------------------------------------------------

    void add(int slot, int channel, int object, int order, SetDifferenceRow row)
    {
        m_rows.append({slot, channel, object, order, std::move(row)});
    }

    // The template is asked only for sets without NV types, and read once.
    const cRX24 *deviceTemplate() const
    {
        if (!m_template)
            m_template = std::make_unique<cRX24>();
        return m_template.get();
    }

    SetValues m_a;
    SetValues m_b;
    const bool m_withNames;
    const bool m_nvTypes;
    const bool m_wholeCps;
    QList<KeyedRow> m_rows;
    QMap<int, int> m_slotRows; // slot to its row in m_rows
    mutable std::unique_ptr<cRX24> m_template;
};

// --- the summary -------------------------------------------------------------------

// The object a place names, without its name ("object 5"); the whole place
// when it names none.
QString shortPlace(const QString &place)
{
    // A stand-in for the number that escaping leaves as it is.
    const QString number = QStringLiteral("XQX9");
    const QString pattern = QRegularExpression::escape(SetWords::piece(SetWords::Piece::Object, {number}))
                                .replace(number, QStringLiteral("\\d+"));
    const QRegularExpression object(pattern, QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = object.match(place);
    return match.hasMatch() ? match.captured(0) : place;
}

QString summaryPart(const SetDifferenceRow &row)
{
    const QString arrow = QStringLiteral(" \u2192 ");
    if (row.item == SetWords::caption(Caption::ModuleType) && !row.place.contains(QLatin1Char(','))) {
        // A slot: the module types alone ("RP4 → JT2").
        const auto shortName = [](const QString &name) {
            return name.contains(QLatin1Char(' ')) && name != SetWords::notUsed()
                       ? name.section(QLatin1Char(' '), -1)
                       : name;
        };
        return row.place + QStringLiteral(": ") + shortName(row.before) + arrow + shortName(row.after);
    }
    return shortPlace(row.place) + QStringLiteral(", ") + row.item + QStringLiteral(": ") + row.before +
           arrow + row.after;
}

} // namespace

QList<SetDifferenceRow> SetDifference::between(const ConfigurationSet &a, const ConfigurationSet &b,
                                               bool withNames)
{
    return Comparison(a, b, withNames).rows();
}

QString SetDifference::summary(const QList<SetDifferenceRow> &rows)
{
    const QString separator = QStringLiteral("; ");
    const auto more = [&](qsizetype count) {
        return count > 0 ? separator + SetWords::piece(SetWords::Piece::More, {QString::number(count)})
                         : QString();
    };
    QString line;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const QString part = summaryPart(rows.at(i));
        const QString tail = more(rows.size() - i - 1);
        const QString candidate = line.isEmpty() ? part : line + separator + part;
        if (candidate.size() + tail.size() <= SummaryLength) {
            line = candidate;
            continue;
        }
        if (i == 0) {
            // The first change is always named, shortened to leave room for the count.
            const qsizetype room = qMax<qsizetype>(1, SummaryLength - tail.size() - 1);
            line = part.left(room) + QChar(0x2026);
            continue;
        }
        return line + more(rows.size() - i);
    }
    return line;
}

void SetDifference::summariseHistory()
{
    WriteHistory::setSummariser([](const ConfigurationSet &before, const ConfigurationSet &after) {
        return summary(between(before, after, true));
    });
}
