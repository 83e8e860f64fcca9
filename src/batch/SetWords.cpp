#include "batch/SetWords.h"

#include "batch/SetValues.h"
#include "host/ResourceStrings.h"
#include "model/cActChannel.h"
#include "model/cActModule.h"
#include "params/DisplayFormat.h"
#include "params/SnvtPreset.h"
#include "platform/netdb/SnvtCatalog.h"

namespace {
constexpr int PiecesId = 1960;
constexpr int CaptionsId = 1961;
constexpr int PrioritiesId = 1962;
constexpr int ActuateControlsId = 1963;
constexpr int SwitchKindsId = 1964;
constexpr int EventsId = 1965;
constexpr int SwitchStatesId = 1966;
constexpr int SettingFunctionsId = 1967;
constexpr int SceneFunctionsId = 1968;
constexpr int DiscreteLevelsId = 1969;
// The window's own texts.
constexpr int DeviceId = 1010;
constexpr int ModuleNamesId = 1040; // item 1: "not used"
constexpr int HvacNamesId = 1046;
constexpr int AnalogNamesId = 1048;
constexpr int DeviceInfoId = 1380; // item 3: "Program ID"

// Item `index + 1` of a list of names counted from 0, else the number.
QString named(int listId, int index, int count)
{
    if (index < 0 || index >= count)
        return QString::number(index);
    return ResourceStrings::LoadResString(listId, index + 1);
}

QString withUnit(double value, eResolution resolution, eUnit unit)
{
    const QString text = DisplayFormat::format(value, resolution);
    const QString mnemonic = unitMnemonicOf(unit).value_or(QString());
    return mnemonic.isEmpty() ? text : text + QLatin1Char(' ') + mnemonic;
}

// A value of a type with a text-box preset: its raw number scaled and shown
// in the preset's step and unit.
QString preset(eSnvtType type, int raw)
{
    const SnvtPreset p = SnvtPreset::of(type).value_or(SnvtPreset{});
    return withUnit(double(raw) / p.factor, p.resolution, p.unit);
}

qint16 signedWord(int word)
{
    return static_cast<qint16>(static_cast<quint16>(word));
}

// NV types by their index in the standard type list.
enum : int {
    LevDisc = 22,
    Volt = 44,
    Lux = 79,
    LevPercent = 81,
    Switch = 95,
    TempP = 105,
    Scene = 115,
    Setting = 117,
};
} // namespace

QString SetWords::caption(Caption caption)
{
    return ResourceStrings::LoadResString(CaptionsId, static_cast<int>(caption));
}

QString SetWords::caption(Caption first, int offset)
{
    return ResourceStrings::LoadResString(CaptionsId, static_cast<int>(first) + offset);
}

QString SetWords::piece(Piece piece, const QStringList &values)
{
    return ResourceStrings::LoadResString(PiecesId, static_cast<int>(piece), values);
}

QString SetWords::absent()
{
    return QString(QChar(0x2014));
}

QString SetWords::notUsed()
{
    return ResourceStrings::LoadResString(ModuleNamesId, 1);
}

QString SetWords::device()
{
    return ResourceStrings::LoadResString(DeviceId);
}

QString SetWords::programId()
{
    return ResourceStrings::LoadResString(DeviceInfoId, 3);
}

QString SetWords::moduleType(int code)
{
    const QString name = cActModule::ModuleTypeName(code);
    return name.isEmpty() ? QString::number(code) : name;
}

QString SetWords::moduleShortName(int code)
{
    // The product family goes: "sorvan RP4" is the RP4.
    const QString name = moduleType(code);
    if (code == -1 || code == 255 || !name.contains(QLatin1Char(' ')))
        return name;
    return name.section(QLatin1Char(' '), -1);
}

QString SetWords::function(const SetValues &values, int object)
{
    const QString fpt = values.fptString(object);
    if (fpt.isEmpty())
        return notUsed();
    const QString text = cActChannel::FptText(fpt);
    return text.isEmpty() ? fpt : text;
}

QString SetWords::binding(int slot, int channel)
{
    if (slot < 1)
        return notUsed();
    return piece(Piece::SlotAndChannel, {QString::number(slot), QString::number(channel)});
}

QString SetWords::priority(int byte)
{
    return named(PrioritiesId, byte, 8);
}

QString SetWords::time(int word)
{
    // The timing CPs count tenths of a second, as SNVT_time_sec does.
    return preset(SNVT_time_sec, word);
}

QString SetWords::actuatorType(int byte)
{
    if (byte == 255)
        return notUsed();
    return named(HvacNamesId, byte, 11);
}

QString SetWords::actuateControl(int byte)
{
    return named(ActuateControlsId, byte, 6);
}

QString SetWords::analogOutput(int byte)
{
    if (byte == 255)
        return notUsed();
    return byte >= 0 && byte <= 3 ? ResourceStrings::LoadResString(AnalogNamesId, byte + 3)
                                  : QString::number(byte);
}

QString SetWords::analogInput(int byte)
{
    if (byte == 255)
        return notUsed();
    return named(AnalogNamesId, byte, 2);
}

QString SetWords::switchKind(int byte)
{
    return named(SwitchKindsId, byte, 2);
}

QString SetWords::event(int signedByte)
{
    // The names start at "send invalid" (-1).
    if (signedByte < -1 || signedByte > 19)
        return QString::number(signedByte);
    return ResourceStrings::LoadResString(EventsId, signedByte + 2);
}

QString SetWords::nvValue(int nvType, int word)
{
    const int high = (word >> 8) & 0xFF;
    const int low = word & 0xFF;
    switch (nvType) {
    case Switch: {
        const QString state = low <= 1     ? ResourceStrings::LoadResString(SwitchStatesId, low + 1)
                              : low == 255 ? ResourceStrings::LoadResString(SwitchStatesId, 3)
                                           : QString::number(low);
        return preset(SNVT_switch_Value, high) + QLatin1Char(' ') + state;
    }
    case LevPercent:
        return preset(SNVT_lev_percent, signedWord(word));
    case TempP:
        return preset(SNVT_temp_p, signedWord(word));
    case Lux:
        return preset(SNVT_lux, word);
    case Volt:
        // Tenths of a volt, signed; no text box shows volts, so the unit is ours.
        return DisplayFormat::format(signedWord(word) / 10.0, RES_0_1) + QStringLiteral(" V");
    case Setting: {
        const QString function = high == 255 ? ResourceStrings::LoadResString(SwitchStatesId, 3)
                                             : named(SettingFunctionsId, high, 6);
        return function + QLatin1Char(' ') + preset(SNVT_switch_Value, low);
    }
    case Scene:
        if (high <= 1)
            return ResourceStrings::LoadResString(SceneFunctionsId, high + 1, {QString::number(low)});
        return QStringLiteral("%1 %2").arg(high).arg(low);
    case LevDisc:
        return high == 255 ? ResourceStrings::LoadResString(SwitchStatesId, 3)
                           : named(DiscreteLevelsId, high, 5);
    default:
        return QStringLiteral("%1,%2").arg(high).arg(low);
    }
}

QString SetWords::nvTypes(const ConfigurationSet::NvTypes &types)
{
    return QStringList{SnvtCatalog::name(types.prime), SnvtCatalog::name(types.sec),
                       SnvtCatalog::name(types.out)}
        .join(QStringLiteral(" / "));
}
