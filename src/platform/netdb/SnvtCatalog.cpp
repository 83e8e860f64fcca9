#include "platform/netdb/SnvtCatalog.h"

#include <QRegularExpression>
#include <array>
#include <string_view>

namespace {
struct SnvtEntry
{
    int id;
    const char *name;
    const char *elements; // blank separated field names, empty for scalars
    const char *defaultValue;
    // One letter per field: n a number, e an enumeration, b a set of bits.
    const char *fieldKinds;
};

// Index numbers as the standard type list assigns them.
constexpr std::array<SnvtEntry, 16> kEntries{{
    {8, "SNVT_count", "", "0", "n"},
    {22, "SNVT_lev_disc", "", "ST_OFF", "e"},
    {44, "SNVT_volt", "", "0.0", "n"},
    {79, "SNVT_lux", "", "0", "n"},
    {81, "SNVT_lev_percent", "", "0.000", "n"},
    {83, "SNVT_state", "", "0000000000000000", "b"},
    {92, "SNVT_obj_request", "object_id object_request", "0 RQ_NORMAL", "ne"},
    {93, "SNVT_obj_status", "", "0", "n"},
    {95, "SNVT_switch", "value state", "0.0 0", "nn"},
    {105, "SNVT_temp_p", "", "0.00", "n"},
    {106, "SNVT_temp_setpt",
     "occupied_cool standby_cool unoccupied_cool occupied_heat standby_heat unoccupied_heat",
     "0.00 0.00 0.00 0.00 0.00 0.00", "nnnnnn"},
    {107, "SNVT_time_sec", "", "0.0", "n"},
    {108, "SNVT_hvac_mode", "", "HVAC_AUTO", "e"},
    {109, "SNVT_occupancy", "", "OC_OCCUPIED", "e"},
    {115, "SNVT_scene", "function scene_number", "SC_RECALL 0", "en"},
    {117, "SNVT_setting", "function setting rotation", "SET_OFF 0.0 0.00", "enn"},
}};

const SnvtEntry *find(int typeId)
{
    for (const SnvtEntry &entry : kEntries) {
        if (entry.id == typeId)
            return &entry;
    }
    return nullptr;
}

bool fieldFits(char kind, const QString &text)
{
    static const QRegularExpression number(QStringLiteral("^[-+]?(\\d+\\.?\\d*|\\.\\d+)([eE][-+]?\\d+)?$"));
    static const QRegularExpression name(QStringLiteral("^([A-Za-z_][A-Za-z0-9_]*|[-+]?\\d+)$"));
    static const QRegularExpression bits(QStringLiteral("^[01]{1,16}$"));
    switch (kind) {
    case 'n':
        return number.match(text).hasMatch();
    case 'e':
        return name.match(text).hasMatch();
    case 'b':
        return bits.match(text).hasMatch();
    default:
        return false;
    }
}
} // namespace

bool SnvtCatalog::isKnown(int typeId)
{
    return find(typeId) != nullptr;
}

QString SnvtCatalog::name(int typeId)
{
    if (const SnvtEntry *entry = find(typeId))
        return QLatin1String(entry->name);
    return QStringLiteral("SNVT #%1").arg(typeId);
}

QStringList SnvtCatalog::elementNames(int typeId)
{
    if (const SnvtEntry *entry = find(typeId))
        return QString::fromLatin1(entry->elements).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return {};
}

QString SnvtCatalog::defaultValue(int typeId)
{
    if (const SnvtEntry *entry = find(typeId))
        return QLatin1String(entry->defaultValue);
    return QStringLiteral("0");
}

bool SnvtCatalog::fits(int typeId, const QString &text)
{
    if (text.trimmed().isEmpty())
        return false;
    const SnvtEntry *entry = find(typeId);
    if (!entry)
        return true;
    const QStringList fields = text.split(QLatin1Char(' '));
    const auto kinds = std::string_view(entry->fieldKinds);
    if (fields.size() != static_cast<qsizetype>(kinds.size()))
        return false;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (!fieldFits(kinds[static_cast<std::size_t>(i)], fields.at(i)))
            return false;
    }
    return true;
}

bool SnvtCatalog::elementFits(int typeId, int index, const QString &text)
{
    const SnvtEntry *entry = find(typeId);
    if (!entry)
        return !text.isEmpty() && !text.contains(QLatin1Char(' '));
    const auto kinds = std::string_view(entry->fieldKinds);
    return index >= 0 && static_cast<std::size_t>(index) < kinds.size() &&
           fieldFits(kinds[static_cast<std::size_t>(index)], text);
}
