#pragma once

#include "params/ConfigurationSet.h"

#include <QString>

class SetValues;

// The words a value of a configuration set is shown in, in the user's
// language: the window's own names for module types and functions, and the
// names of the device's enumerations and value units for the CPs the module
// plug-ins configure. A number nothing names is shown as the number.
class SetWords
{
public:
    // The captions of what differs, items of one text.
    enum class Caption {
        ModuleType = 1,
        Function,
        NvTypes,
        Name,
        Channel,
        SecInputPriority,
        PrimeValMaxRcvTime,
        SecValMaxRcvTime,
        OutputMinSendTime,
        OutputMaxSendTime,
        ActuateType,
        ActuateControl,
        DiscLevels,
        AnalogOutputType,
        AnalogInputType,
        DefOutput,
        MinRange,
        MaxRange,
        SendDelta,
        SafetyValue,
        OvrResetValue,
        Scenes,
        SwitchType,
        FirstEvent, // push of contact 1; the other seven events follow in CP order
    };
    static QString caption(Caption caption);
    static QString caption(Caption first, int offset);

    // Pieces of a place and of the summary, items of one text.
    enum class Piece {
        Slot = 1,       // Slot %1
        SlotWithType,   // Slot %1 (%2)
        Channel,        // channel %1
        Object,         // object %1
        ObjectWithName, // object %1 "%2"
        SlotAndChannel, // Slot %1, channel %2
        More,           // %1 more
        SceneCount,     // %1 scenes
        ScenesChanged,  // changed: %1 (%2)
    };
    static QString piece(Piece piece, const QStringList &values = {});

    // What stands where a set holds nothing.
    static QString absent();
    // The window's word for a slot, channel or object without anything.
    static QString notUsed();
    static QString device();
    static QString programId();

    // "sorvan RP4"; and the type alone, "RP4", for short lines.
    static QString moduleType(int code);
    static QString moduleShortName(int code);
    // The function as the channel's type list names it; "not used" for an
    // object without one.
    static QString function(const SetValues &values, int object);
    static QString binding(int slot, int channel);

    static QString priority(int byte);
    static QString time(int word);
    static QString actuatorType(int byte);
    static QString actuateControl(int byte);
    static QString analogOutput(int byte);
    static QString analogInput(int byte);
    static QString switchKind(int byte);
    static QString event(int signedByte);
    // The first two bytes of a value of an NV type ("C8 01" of SNVT_switch:
    // "100.0 % on"); an NV type without words shows the two numbers.
    static QString nvValue(int nvType, int word);
    static QString nvTypes(const ConfigurationSet::NvTypes &types);
};
