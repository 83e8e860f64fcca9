#pragma once

#include "template/ParamEnums.h"

#include <QString>
#include <optional>

// What a standard network variable type presets on a text-box parameter:
// the scaling, display step, range and unit of its value. Types without a
// preset leave the parameter to its creator.
struct SnvtPreset
{
    qint32 factor = 1;
    eResolution resolution = RES_1;
    float rangeMin = 0.0f;
    float rangeMax = 65535.0f;
    eUnit unit = UNIT_No;

    static std::optional<SnvtPreset> of(eSnvtType type);
};

// The unit text shown beside a value; nullopt for UNIT_UserDefined, whose
// text the creator sets itself.
std::optional<QString> unitMnemonicOf(eUnit unit);
