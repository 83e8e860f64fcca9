#pragma once

#include "model/ModelContext.h"
#include "platform/lns/LnsLonMarkObject.h"

#include <QList>
#include <QString>
#include <optional>

class cActChannel;
class cConfigProp;
class cMonitorPoint;
class cParam1Byte;
class cParam2Byte;
class cRX24;

// One generic LonMark object of the controller: which function it performs
// (its FptIndex CP), which channel of which module slot it serves, and how it
// behaves. It owns none of its CPs: each accessor finds the parameter of the
// configuration's collection named by its prefix and the object's Index
// ("FptIndex_3" for object 3), and the three NVs are the monitor points
// "PrimeValue_", "SecValue_" and "Output_" + Index. It decides which CPs a
// function needs, checks the object's configuration, and puts default values
// into the CPs and default types onto the NVs when the function or the
// binding changes. A missing parameter or point raises AppError.
class cLmo
{
public:
    explicit cLmo(ModelContext &context);

    quint8 Index() const { return m_index; }
    void setIndex(quint8 index) { m_index = index; }
    const LnsRef<LnsLonMarkObject> &LnsObject() const { return m_lnsObject; }
    void setLnsObject(const LnsRef<LnsLonMarkObject> &object) { m_lnsObject = object; }
    const QString &Name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }

    cActChannel *ActChannel() const { return m_actChannel; }
    // Stores the channel and writes the binding into ModuleType, ModuleNumber
    // and ModuleChannel: the channel's values, or 255, 0, 0 for none.
    void setActChannel(cActChannel *channel);
    // Forgets the channel without touching the CPs: the channels are being
    // rebuilt, the binding in the device stays as it is.
    void DetachActChannel() { m_actChannel = nullptr; }

    // The object's parameters.
    cParam2Byte *FptIndex() const;
    cParam1Byte *ModuleType() const;
    cParam1Byte *ModuleNumber() const;
    cParam1Byte *ModuleChannel() const;
    cParam1Byte *SecInputPriority() const;
    cParam2Byte *PrimeValMaxRcvTime() const;
    cParam2Byte *SecValMaxRcvTime() const;
    cParam2Byte *OutputMinSendTime() const;
    cParam2Byte *OutputMaxSendTime() const;
    cParam1Byte *ActuateType() const;
    cParam1Byte *ActuateControl() const;
    cParam1Byte *AnalogOutputType() const;
    cParam1Byte *AnalogInputType() const;
    cParam1Byte *DiscLevels() const;
    cParam2Byte *MinRange() const;
    cParam2Byte *MaxRange() const;
    cParam2Byte *SendDelta() const;
    cParam2Byte *SafetyValue() const;
    cParam2Byte *OvrResetValue() const;
    cConfigProp *Scenes() const;
    cParam1Byte *SwitchType() const;
    cParam1Byte *PushEvent1() const;
    cParam1Byte *ReleaseEvent1() const;
    cParam1Byte *HoldEvent1() const;
    cParam1Byte *ReleaseLateEvent1() const;
    cParam1Byte *PushEvent2() const;
    cParam1Byte *ReleaseEvent2() const;
    cParam1Byte *HoldEvent2() const;
    cParam1Byte *ReleaseLateEvent2() const;

    // The object's NVs.
    cMonitorPoint *PrimValue() const;
    cMonitorPoint *SecValue() const;
    cMonitorPoint *Output() const;

    qint32 LastFptIndex() const { return m_lastFptIndex; }
    quint8 LastModuleType() const { return m_lastModuleType; }
    quint8 LastModuleNumber() const { return m_lastModuleNumber; }
    quint8 LastModuleChannel() const { return m_lastModuleChannel; }
    quint8 LastActuateType() const { return m_lastActuateType; }
    qint32 LastSwitchType() const { return m_lastSwitchType; }
    bool HvacDefaultsPending() const { return m_hvacDefaultsPending; }
    void setHvacDefaultsPending(bool pending) { m_hvacDefaultsPending = pending; }

    // Bound to a slot and performing one of the six functions.
    bool ObjectConfigurationIsValid() const;
    // False only while the object's channel shows its type as invalid.
    bool ObjectParametersValid() const;
    bool RequiredCPsFetched() const;
    bool FetchRequiredCps();
    bool ReadRequiredCps(bool whenNotFetchedOnly = true);
    void RefreshLastValues();
    // Defaults after a change of function, in the model only: the CP values
    // take the function's defaults and the NV types it needs become pending
    // (written by WriteNvTypes inside the write's transaction). False
    // after a fetch error, which has been shown.
    bool SetDefaultValuesIfRequired();
    // The function differs from the one the defaults were last taken for, or
    // a switch's NV types do not fit its events.
    bool DefaultsRequired() const;
    void EnableDefaultCpsWriting(bool enable);
    void DisableFptSpecificCpWriting();
    // Both false after a CP that could not be fetched (the message has been shown).
    bool EnableSwitchCpWriting(bool enable);
    bool SetHvacCPsIfRequired();
    // Switch objects: the NV types do not fit the switch events.
    bool SwitchNvTypesInvalid() const;

    // What a new function gets, for anything that must store a configuration
    // the plug-in itself would have written (the demo network, generated
    // networks).
    struct NvTypes
    {
        qint16 prime, sec, out;
        bool operator==(const NvTypes &) const = default;
    };

    // The NV types the object is to have: those waiting to be written, else
    // those its NVs had at the last RefreshLastValues (read or write), else
    // those they have now.
    NvTypes EffectiveNvTypes() const;
    bool HasPendingNvTypes() const { return m_pendingNvTypes.has_value(); }
    void setPendingNvTypes(const NvTypes &types);
    void ClearPendingNvTypes() { m_pendingNvTypes.reset(); }
    // Gives the NVs the effective types (prime, secondary, output; each only
    // when the one before took its type), so the device holds the model's
    // types whatever another client wrote meanwhile. False at the first type
    // the device refuses, which has been logged. The caller's transaction
    // carries it.
    bool WriteNvTypes();
    // A switch whose eight events share no output NV type cannot be given
    // NV types at all.
    static bool SwitchEventsHaveOutputType(const cRX24 &rx24, const QList<int> &switchEvents);

    // The NV types of a new function; a switch's follow its eight events.
    static NvTypes DefaultNvTypes(const cRX24 &rx24, int fpt, const QList<int> &switchEvents);
    // The first two bytes of the range CPs for an output type; -1: left as is.
    struct RangeDefaults
    {
        int minRange, maxRange, sendDelta, ovrResetValue, safetyValue;
    };
    static RangeDefaults RangeDefaultsFor(int outputType);
    // ActuateControl and DiscLevels of an HVAC actuator type; -1: left as is.
    struct HvacDefaults
    {
        int actuateControl, discLevels;
    };
    static HvacDefaults HvacDefaultsFor(int actuateType);
    // The timing CPs of a new function, in byte values of their 2-byte fields.
    static constexpr int DefaultPrimeValMaxRcvTime = 0;
    static constexpr int DefaultSecValMaxRcvTime = 0;
    static constexpr int DefaultOutputMinSendTime = 1;
    static constexpr int DefaultOutputMaxSendTime = 0;

private:
    void setRangesFor(int outputType);

    ModelContext &m_context;
    quint8 m_index = 0;
    LnsRef<LnsLonMarkObject> m_lnsObject;
    QString m_name;
    cActChannel *m_actChannel = nullptr;
    qint32 m_lastFptIndex = 0;
    quint8 m_lastModuleType = 0;
    quint8 m_lastModuleNumber = 0;
    quint8 m_lastModuleChannel = 0;
    quint8 m_lastActuateType = 0;
    qint32 m_lastSwitchType = 0;
    bool m_hvacDefaultsPending = false;
    std::optional<NvTypes> m_pendingNvTypes;
    std::optional<NvTypes> m_lastNvTypes;
};
