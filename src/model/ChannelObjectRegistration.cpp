#include "model/ChannelObjectRegistration.h"

#include "params/ParameterRegistration.h"
#include "params/cConfigProp.h"
#include "params/cParam1Byte.h"
#include "params/cParam2Byte.h"

namespace {
enum class Kind { OneByte, TwoByte, ConfigProp };
enum Setting : unsigned {
    None = 0,
    NotRead = 1,     // DontReadFromLns: its value comes from the defaults
    FromByte1 = 2,   // the first two bytes of a value CP
    SignedEvent = 4, // switch type and events read signed (EV_SEND_INVALID is -1)
};
struct Registration
{
    const char *cp;
    Kind kind;
    bool lateFetch;
    unsigned settings;
};

const Registration Registrations[] = {
    {"FptIndex", Kind::TwoByte, false, None},
    {"ModuleType", Kind::OneByte, false, None},
    {"ModuleNumber", Kind::OneByte, false, None},
    {"ModuleChannel", Kind::OneByte, false, None},
    {"SecInputPriority", Kind::OneByte, true, NotRead},
    {"PrimeValMaxRcvTime", Kind::TwoByte, true, NotRead},
    {"SecValMaxRcvTime", Kind::TwoByte, true, NotRead},
    {"OutputMinSendTime", Kind::TwoByte, true, NotRead},
    {"OutputMaxSendTime", Kind::TwoByte, true, NotRead},
    {"ActuateType", Kind::OneByte, true, None},
    {"ActuateControl", Kind::OneByte, true, None},
    {"DiscLevels", Kind::OneByte, true, None},
    {"AnalogOutputType", Kind::OneByte, true, None},
    {"AnalogInputType", Kind::OneByte, true, None},
    {"DefOutput", Kind::TwoByte, true, NotRead | FromByte1},
    {"MinRange", Kind::TwoByte, true, NotRead | FromByte1},
    {"MaxRange", Kind::TwoByte, true, NotRead | FromByte1},
    {"SendDelta", Kind::TwoByte, true, NotRead | FromByte1},
    {"SafetyValue", Kind::TwoByte, true, NotRead | FromByte1},
    {"OvrResetValue", Kind::TwoByte, true, NotRead | FromByte1},
    {"Scenes", Kind::ConfigProp, true, NotRead},
    {"SwitchType", Kind::OneByte, true, SignedEvent},
    {"PushEvent1", Kind::OneByte, true, SignedEvent},
    {"ReleaseEvent1", Kind::OneByte, true, SignedEvent},
    {"HoldEvent1", Kind::OneByte, true, SignedEvent},
    {"ReleaseLateEvent1", Kind::OneByte, true, SignedEvent},
    {"PushEvent2", Kind::OneByte, true, SignedEvent},
    {"ReleaseEvent2", Kind::OneByte, true, SignedEvent},
    {"HoldEvent2", Kind::OneByte, true, SignedEvent},
    {"ReleaseLateEvent2", Kind::OneByte, true, SignedEvent},
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
            p->setDontReadFromLns(r.settings & NotRead);
            p->setSignedValue(r.settings & SignedEvent);
            break;
        }
        case Kind::TwoByte: {
            cParam2Byte *p = nullptr;
            if (!ParameterRegistration::Register2ByteParameter(params, cp, object, key, r.lateFetch, p))
                return false;
            if (r.settings & FromByte1)
                p->ConsiderPartOfCpOnly(1);
            p->setDontReadFromLns(r.settings & NotRead);
            break;
        }
        case Kind::ConfigProp: {
            cConfigProp *p = nullptr;
            if (!ParameterRegistration::RegisterConfigProp(params, cp, object, key, r.lateFetch, p))
                return false;
            p->setDontReadFromLns(r.settings & NotRead);
            break;
        }
        }
    }
    return true;
}
