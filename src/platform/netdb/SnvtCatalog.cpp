#include "platform/netdb/SnvtCatalog.h"

#include <array>

namespace {
struct SnvtEntry
{
    int id;
    const char *name;
    const char *elements; // blank separated field names, empty for scalars
    const char *defaultValue;
};

// Index numbers as the standard type list assigns them.
constexpr std::array<SnvtEntry, 16> kEntries{{
    {8, "SNVT_count", "", "0"},
    {22, "SNVT_lev_disc", "", "ST_OFF"},
    {44, "SNVT_volt", "", "0.0"},
    {79, "SNVT_lux", "", "0"},
    {81, "SNVT_lev_percent", "", "0.000"},
    {83, "SNVT_state", "", "0000000000000000"},
    {92, "SNVT_obj_request", "object_id object_request", "0 RQ_NORMAL"},
    {93, "SNVT_obj_status", "", "0"},
    {95, "SNVT_switch", "value state", "0.0 0"},
    {105, "SNVT_temp_p", "", "0.00"},
    {106, "SNVT_temp_setpt",
     "occupied_cool standby_cool unoccupied_cool occupied_heat standby_heat unoccupied_heat",
     "0.00 0.00 0.00 0.00 0.00 0.00"},
    {107, "SNVT_time_sec", "", "0.0"},
    {108, "SNVT_hvac_mode", "", "HVAC_AUTO"},
    {109, "SNVT_occupancy", "", "OC_OCCUPIED"},
    {115, "SNVT_scene", "function scene_number", "SC_RECALL 0"},
    {117, "SNVT_setting", "function setting rotation", "SET_OFF 0.0 0.00"},
}};

const SnvtEntry *find(int typeId)
{
    for (const SnvtEntry &entry : kEntries) {
        if (entry.id == typeId)
            return &entry;
    }
    return nullptr;
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
