#include "params/SnvtPreset.h"

std::optional<SnvtPreset> SnvtPreset::of(eSnvtType type)
{
    switch (type) {
    case unsigned_:
        return SnvtPreset{1, RES_1, 0.0f, 65535.0f, UNIT_No};
    case SNVT_angle_deg:
        return SnvtPreset{50, RES_0_0_2, -359.9f, 360.0f, UNIT_Degrees};
    case SNVT_lev_cont:
    case SNVT_switch_Value:
        return SnvtPreset{2, RES_0_5, 0.0f, 100.0f, UNIT_Percent};
    case SNVT_lev_percent:
        return SnvtPreset{200, RES_0_0_5, -163.84f, 163.83f, UNIT_Percent};
    case SNVT_lux:
        return SnvtPreset{1, RES_1, 0.0f, 65535.0f, UNIT_Lux};
    case SNVT_speed:
        return SnvtPreset{10, RES_0_1, 0.0f, 6553.5f, UNIT_MetresPerSecond};
    case SNVT_speed_mil:
        return SnvtPreset{1000, RES_0_0_0_1, 0.0f, 65.535f, UNIT_MetresPerSecond};
    case SNVT_temp_p:
        return SnvtPreset{100, RES_0_0_1, -273.17f, 327.67f, UNIT_DegreesCelsius};
    case SNVT_time_min:
        return SnvtPreset{1, RES_1, 0.0f, 65535.0f, UNIT_Minute};
    case SNVT_time_sec:
        return SnvtPreset{10, RES_0_1, 0.0f, 6553.5f, UNIT_Second};
    default:
        return std::nullopt;
    }
}

std::optional<QString> unitMnemonicOf(eUnit unit)
{
    switch (unit) {
    case UNIT_Centimetres:
        return QStringLiteral("cm");
    case UNIT_Degrees:
        return QStringLiteral("°");
    case UNIT_DegreesCelsius:
        return QStringLiteral("°C");
    case UNIT_Kelvin:
        return QStringLiteral("K");
    case UNIT_Lux:
        return QStringLiteral("Lux");
    case UNIT_Metres:
        return QStringLiteral("m");
    case UNIT_MetresPerSecond:
        return QStringLiteral("m/s");
    case UNIT_Millimetres:
        return QStringLiteral("mm");
    case UNIT_Millisecond:
        return QStringLiteral("ms");
    case UNIT_Minute:
        return QStringLiteral("min");
    case UNIT_Percent:
        return QStringLiteral("%");
    case UNIT_Second:
        return QStringLiteral("s");
    case UNIT_UserDefined:
        return std::nullopt;
    default:
        return QString();
    }
}
