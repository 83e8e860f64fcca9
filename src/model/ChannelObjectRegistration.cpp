#include "model/ChannelObjectRegistration.h"

#include "params/ParameterRegistration.h"
#include "params/cConfigProp.h"
#include "params/cParam1Byte.h"
#include "params/cParam2Byte.h"

namespace {
enum class Kind { OneByte, TwoByte, ConfigProp };
enum Setting : unsigned {
    None = 0,
    FromByte1 = 2,   // the first two bytes of a value CP
    SignedEvent = 4, // switch type and events read signed (EV_SEND_INVALID is -1)
};
struct Registration
{
    const char *cp;
    Kind kind;
    // Every CP is fetched and read when the device is opened: a set that
    // holds the device's real value for every CP is what the window, the
    // parameter file and the copy all start from.
    bool lateFetch;
    unsigned settings;
};

const Registration Registrations[] = {
    {"FptIndex", Kind::TwoByte, false, None},
    {"ModuleType", Kind::OneByte, false, None},
    {"ModuleNumber", Kind::OneByte, false, None},
    {"ModuleChannel", Kind::OneByte, false, None},
    {"SecInputPriority", Kind::OneByte, false, None},
    {"PrimeValMaxRcvTime", Kind::TwoByte, false, None},
    {"SecValMaxRcvTime", Kind::TwoByte, false, None},
    {"OutputMinSendTime", Kind::TwoByte, false, None},
    {"OutputMaxSendTime", Kind::TwoByte, false, None},
    {"ActuateType", Kind::OneByte, false, None},
    {"ActuateControl", Kind::OneByte, false, None},
    {"DiscLevels", Kind::OneByte, false, None},
    {"AnalogOutputType", Kind::OneByte, false, None},
    {"AnalogInputType", Kind::OneByte, false, None},
    {"DefOutput", Kind::TwoByte, false, FromByte1},
    {"MinRange", Kind::TwoByte, false, FromByte1},
    {"MaxRange", Kind::TwoByte, false, FromByte1},
    {"SendDelta", Kind::TwoByte, false, FromByte1},
    {"SafetyValue", Kind::TwoByte, false, FromByte1},
    {"OvrResetValue", Kind::TwoByte, false, FromByte1},
    {"Scenes", Kind::ConfigProp, false, None},
    {"SwitchType", Kind::OneByte, false, SignedEvent},
    {"PushEvent1", Kind::OneByte, false, SignedEvent},
    {"ReleaseEvent1", Kind::OneByte, false, SignedEvent},
    {"HoldEvent1", Kind::OneByte, false, SignedEvent},
    {"ReleaseLateEvent1", Kind::OneByte, false, SignedEvent},
    {"PushEvent2", Kind::OneByte, false, SignedEvent},
    {"ReleaseEvent2", Kind::OneByte, false, SignedEvent},
    {"HoldEvent2", Kind::OneByte, false, SignedEvent},
    {"ReleaseLateEvent2", Kind::OneByte, false, SignedEvent},
};
} // namespace

bool ChannelObjectRegistration::RegisterCps(cParams &params, const LnsRef<LnsLonMarkObject> &object,
                                            int index)
{
    for (const Registration &r : Registrations) {
        const QString cp = QLatin1String(r.cp);
        const QString key = cp + QLatin1Char('_') + QString::number(index);
        switch (r.kind) {
        case Kind::OneByte: {
            cParam1Byte *p = nullptr;
            if (!ParameterRegistration::Register1ByteParameter(params, cp, object, key, r.lateFetch, p))
                return false;
            p->setSignedValue(r.settings & SignedEvent);
            break;
        }
        case Kind::TwoByte: {
            cParam2Byte *p = nullptr;
            if (!ParameterRegistration::Register2ByteParameter(params, cp, object, key, r.lateFetch, p))
                return false;
            if (r.settings & FromByte1)
                p->ConsiderPartOfCpOnly(1);
            break;
        }
        case Kind::ConfigProp: {
            cConfigProp *p = nullptr;
            if (!ParameterRegistration::RegisterConfigProp(params, cp, object, key, r.lateFetch, p))
                return false;
            break;
        }
        }
    }
    return true;
}
