#include "model/cLmo.h"

#include "host/AppVersion.h"
#include "host/PlugInGlobals.h"
#include "model/FptKeys.h"
#include "model/M_SwitchObject.h"
#include "model/cActChannel.h"
#include "monitoring/cMonitorPoint.h"
#include "monitoring/cMonitorPoints.h"
#include "params/cConfigProp.h"
#include "params/cParam1Byte.h"
#include "params/cParam2Byte.h"
#include "params/cParams.h"
#include "platform/AppError.h"
#include "platform/services/MessageBox.h"
#include "template/ParamEnums.h"
#include "template/cRX24.h"
#include "widgets/ctlChannel.h"

namespace {
const QString StandardProgramId = QStringLiteral("0000000000000000");

// The fetch failed: the user learns which step, the write stops.
void showFetchError(const QString &procedure)
{
    QString title = PlugInGlobals::WindowTitle();
    if (title.isEmpty())
        title = AppVersion::ProductName();
    MessageBox::show(procedure + QStringLiteral("\n\nError fetching CPs"), title, MessageBox::Icon::Critical);
}

// A raw parameter or config property, for the steps that treat them alike.
struct Cp
{
    cParamRaw *raw = nullptr;
    cConfigProp *whole = nullptr;

    void setWritten(bool written) const
    {
        if (raw)
            raw->setDontWriteToLns(!written);
        else
            whole->setDontWriteToLns(!written);
    }
};
} // namespace

cLmo::cLmo(ModelContext &context) : m_context(context) {}

// --- lookups ------------------------------------------------------------------

namespace {
QString keyOf(const char *prefix, quint8 index)
{
    return QLatin1String(prefix) + QString::number(index);
}
} // namespace

#define RX24_ONE_BYTE(accessor)                                                                              \
    cParam1Byte *cLmo::accessor() const                                                                      \
    {                                                                                                        \
        return m_context.params->Parameter1ByteByName(keyOf(#accessor "_", m_index));                        \
    }
#define RX24_TWO_BYTE(accessor)                                                                              \
    cParam2Byte *cLmo::accessor() const                                                                      \
    {                                                                                                        \
        return m_context.params->Parameter2ByteByName(keyOf(#accessor "_", m_index));                        \
    }

RX24_TWO_BYTE(FptIndex)
RX24_ONE_BYTE(ModuleType)
RX24_ONE_BYTE(ModuleNumber)
RX24_ONE_BYTE(ModuleChannel)
RX24_ONE_BYTE(SecInputPriority)
RX24_TWO_BYTE(PrimeValMaxRcvTime)
RX24_TWO_BYTE(SecValMaxRcvTime)
RX24_TWO_BYTE(OutputMinSendTime)
RX24_TWO_BYTE(OutputMaxSendTime)
RX24_ONE_BYTE(ActuateType)
RX24_ONE_BYTE(ActuateControl)
RX24_ONE_BYTE(AnalogOutputType)
RX24_ONE_BYTE(AnalogInputType)
RX24_ONE_BYTE(DiscLevels)
RX24_TWO_BYTE(MinRange)
RX24_TWO_BYTE(MaxRange)
RX24_TWO_BYTE(SendDelta)
RX24_TWO_BYTE(SafetyValue)
RX24_TWO_BYTE(OvrResetValue)
RX24_ONE_BYTE(SwitchType)
RX24_ONE_BYTE(PushEvent1)
RX24_ONE_BYTE(ReleaseEvent1)
RX24_ONE_BYTE(HoldEvent1)
RX24_ONE_BYTE(ReleaseLateEvent1)
RX24_ONE_BYTE(PushEvent2)
RX24_ONE_BYTE(ReleaseEvent2)
RX24_ONE_BYTE(HoldEvent2)
RX24_ONE_BYTE(ReleaseLateEvent2)

#undef RX24_ONE_BYTE
#undef RX24_TWO_BYTE

cConfigProp *cLmo::Scenes() const
{
    return m_context.params->ConfigPropByName(keyOf("Scenes_", m_index));
}

cMonitorPoint *cLmo::PrimValue() const
{
    return m_context.monitorPoints->GetMonitorPointByName(keyOf("PrimeValue_", m_index));
}

cMonitorPoint *cLmo::SecValue() const
{
    return m_context.monitorPoints->GetMonitorPointByName(keyOf("SecValue_", m_index));
}

cMonitorPoint *cLmo::Output() const
{
    return m_context.monitorPoints->GetMonitorPointByName(keyOf("Output_", m_index));
}

// --- binding and validity -------------------------------------------------------

void cLmo::setActChannel(cActChannel *channel)
{
    m_actChannel = channel;
    if (channel) {
        ModuleType()->setValue(channel->ModuleType());
        ModuleNumber()->setValue(channel->ModuleNumber());
        ModuleChannel()->setValue(channel->ChannelNo());
    } else {
        ModuleType()->setValue(255);
        ModuleNumber()->setValue(0);
        ModuleChannel()->setValue(0);
    }
}

bool cLmo::ObjectConfigurationIsValid() const
{
    return ModuleType()->Value() != 255 && ModuleNumber()->Value() > 0 &&
           FptKeys::isKnown(FptIndex()->Value());
}

bool cLmo::ObjectParametersValid() const
{
    if (!m_actChannel || !m_actChannel->ChannelControl())
        return true;
    return m_actChannel->ChannelControl()->TypeComboValid();
}

// --- the CPs a function needs ----------------------------------------------------

namespace {
QList<cParamRaw *> fptSpecificCps(const cLmo &lmo)
{
    switch (lmo.FptIndex()->Value()) {
    case FptKeys::Hvac:
        return {lmo.ActuateType(), lmo.ActuateControl()};
    case FptKeys::Switch:
        return {lmo.SwitchType(),    lmo.PushEvent1(),        lmo.ReleaseEvent1(),
                lmo.HoldEvent1(),    lmo.ReleaseLateEvent1(), lmo.PushEvent2(),
                lmo.ReleaseEvent2(), lmo.HoldEvent2(),        lmo.ReleaseLateEvent2()};
    case FptKeys::AnalogInput:
        return {lmo.AnalogInputType()};
    case FptKeys::AnalogOutput:
        return {lmo.AnalogOutputType()};
    default:
        return {};
    }
}

QList<cParamRaw *> switchCps(const cLmo &lmo)
{
    return {lmo.SwitchType(),    lmo.PushEvent1(),        lmo.ReleaseEvent1(),
            lmo.HoldEvent1(),    lmo.ReleaseLateEvent1(), lmo.PushEvent2(),
            lmo.ReleaseEvent2(), lmo.HoldEvent2(),        lmo.ReleaseLateEvent2()};
}

QList<Cp> defaultCps(const cLmo &lmo)
{
    return {{lmo.SecInputPriority(), nullptr},  {lmo.PrimeValMaxRcvTime(), nullptr},
            {lmo.SecValMaxRcvTime(), nullptr},  {lmo.OutputMinSendTime(), nullptr},
            {lmo.OutputMaxSendTime(), nullptr}, {nullptr, lmo.Scenes()},
            {lmo.MinRange(), nullptr},          {lmo.MaxRange(), nullptr},
            {lmo.SendDelta(), nullptr},         {lmo.OvrResetValue(), nullptr},
            {lmo.SafetyValue(), nullptr}};
}
} // namespace

bool cLmo::RequiredCPsFetched() const
{
    for (const cParamRaw *cp : fptSpecificCps(*this)) {
        if (!cp->CpFetched())
            return false;
    }
    return true;
}

bool cLmo::FetchRequiredCps()
{
    for (cParamRaw *cp : fptSpecificCps(*this))
        cp->FetchCp();
    return true;
}

bool cLmo::ReadRequiredCps(bool)
{
    QList<cParamRaw *> cps = fptSpecificCps(*this);
    if (FptIndex()->Value() == FptKeys::Switch)
        cps.append(SecInputPriority());
    for (cParamRaw *cp : cps) {
        if (!cp->CpFetched())
            cp->ReadFromLns(true);
    }
    return true;
}

void cLmo::RefreshLastValues()
{
    m_lastFptIndex = FptIndex()->Value();
    m_lastModuleType = static_cast<quint8>(ModuleType()->Value());
    m_lastModuleNumber = static_cast<quint8>(ModuleNumber()->Value());
    m_lastModuleChannel = static_cast<quint8>(ModuleChannel()->Value());
    m_lastActuateType = static_cast<quint8>(ActuateType()->Value());
    m_lastSwitchType = PushEvent1()->CpFetched() ? M_SwitchObject::SwitchTypeOfLmo(*this) : -1;
    try {
        m_lastNvTypes = EffectiveNvTypes();
    } catch (const AppError &) {
        m_lastNvTypes.reset(); // NVs not fetched: nothing to remember
    }
}

// --- writing flags ---------------------------------------------------------------

void cLmo::EnableDefaultCpsWriting(bool enable)
{
    for (const Cp &cp : defaultCps(*this))
        cp.setWritten(enable);
}

void cLmo::DisableFptSpecificCpWriting()
{
    EnableDefaultCpsWriting(false);
    for (cParamRaw *cp : QList<cParamRaw *>{AnalogInputType(), AnalogOutputType(), ActuateControl(),
                                            ActuateType(), DiscLevels()})
        cp->setDontWriteToLns(true);
    EnableSwitchCpWriting(false);
}

bool cLmo::EnableSwitchCpWriting(bool enable)
{
    const QList<cParamRaw *> cps = switchCps(*this);
    if (enable) {
        for (cParamRaw *cp : cps) {
            if (!cp->FetchCp()) {
                showFetchError(QStringLiteral("EnableSwitchCpWriting"));
                return false;
            }
        }
    }
    for (cParamRaw *cp : cps)
        cp->setDontWriteToLns(!enable);
    return true;
}

cLmo::HvacDefaults cLmo::HvacDefaultsFor(int actuateType)
{
    if (actuateType == AT_MAKE || actuateType == AT_BREAK)
        return {AC_PWM, -1};
    if (actuateType >= AT_2_LEVEL && actuateType <= AT_5_LEVEL)
        return {AC_CONT, actuateType};
    if (actuateType >= AT_OPENCLOSE && actuateType <= AT_CONT_4_20MA)
        return {AC_CONT, -1};
    return {-1, -1};
}

bool cLmo::SetHvacCPsIfRequired()
{
    const int actuateType = ActuateType()->Value();
    const bool required = ModuleType()->Value() != m_lastModuleType || actuateType != m_lastActuateType ||
                          m_hvacDefaultsPending;
    if (!required) {
        ActuateControl()->setDontWriteToLns(true);
        ActuateType()->setDontWriteToLns(true);
        DiscLevels()->setDontWriteToLns(true);
        return true;
    }
    m_hvacDefaultsPending = false;
    const HvacDefaults d = HvacDefaultsFor(actuateType);
    if (d.actuateControl < 0) {
        PlugInGlobals::Trace(
            QStringLiteral("[cLmo] Object %1 (\"%2\"): actuator type %3 is none the HVAC "
                           "defaults know; ActuateControl and DiscLevels are left as they are")
                .arg(QString::number(m_index), m_name, QString::number(actuateType)));
    } else {
        ActuateControl()->setValue(d.actuateControl);
        ActuateControl()->setDontWriteToLns(false);
        if (d.discLevels >= 0)
            DiscLevels()->setValue(d.discLevels);
        DiscLevels()->setDontWriteToLns(d.discLevels < 0);
    }
    ActuateType()->setDontWriteToLns(false);
    for (cParamRaw *cp : QList<cParamRaw *>{ActuateControl(), ActuateType(), DiscLevels()}) {
        if (!cp->DontWriteToLns() && !cp->FetchCp()) {
            showFetchError(QStringLiteral("SetHvacCPsIfRequired"));
            return false;
        }
    }
    return true;
}

// --- defaults ----------------------------------------------------------------------

bool cLmo::SwitchNvTypesInvalid() const
{
    if (FptIndex()->Value() != FptKeys::Switch)
        return false;
    cParam1Byte *priority = SecInputPriority();
    // The priority in the model is the one that will be written: it was read
    // with the rest of the set, or the user's set brought it.
    if (!priority->CpFetched())
        priority->ReadFromLns(true);
    const NvTypes types = EffectiveNvTypes();
    return !m_context.deviceTemplate->NvTypesCombiIsValidBySwitchEvents(
        M_SwitchObject::SwitchEventsOfLmo(*this), priority->Value(), types.prime, types.sec, types.out);
}

cLmo::NvTypes cLmo::EffectiveNvTypes() const
{
    if (m_pendingNvTypes)
        return *m_pendingNvTypes;
    if (m_lastNvTypes)
        return *m_lastNvTypes;
    const auto typeOf = [](const cMonitorPoint *point) {
        return qint16(point && point->NetworkVariable() ? point->NetworkVariable()->typeId() : 0);
    };
    return {typeOf(PrimValue()), typeOf(SecValue()), typeOf(Output())};
}

void cLmo::setPendingNvTypes(const NvTypes &types)
{
    m_pendingNvTypes = types;
}

bool cLmo::WriteNvTypes()
{
    const NvTypes types = EffectiveNvTypes();
    // In this order, each only when the one before took its type: a device
    // that refuses one keeps the later ones as they are. An NV that already
    // has its type is not touched.
    if (!PrimValue()->ChangeNvType(types.prime, StandardProgramId, 0))
        return false;
    if (!SecValue()->ChangeNvType(types.sec, StandardProgramId, 0))
        return false;
    return Output()->ChangeNvType(types.out, StandardProgramId, 0);
}

bool cLmo::SwitchEventsHaveOutputType(const cRX24 &rx24, const QList<int> &switchEvents)
{
    return !rx24.SupportedNvTypesOutputBySwitchEvents(switchEvents).isEmpty();
}

bool cLmo::DefaultsRequired() const
{
    if (!ObjectConfigurationIsValid())
        return false;
    const int fpt = FptIndex()->Value();
    return fpt != m_lastFptIndex || (fpt == FptKeys::Switch && SwitchNvTypesInvalid());
}

bool cLmo::SetDefaultValuesIfRequired()
{
    try {
        const bool valid = ObjectConfigurationIsValid();
        const int fpt = FptIndex()->Value();
        // A CP that cannot be fetched gives up the whole write: the set
        // would land without it.
        if (valid && fpt == FptKeys::Hvac && !SetHvacCPsIfRequired())
            return false;
        if (valid) {
            const int current = M_SwitchObject::SwitchTypeOfLmo(*this);
            const bool userDefinedKept =
                current == m_lastSwitchType && current >= M_SwitchObject::FirstUserDefined;
            if (!EnableSwitchCpWriting(fpt == FptKeys::Switch && !userDefinedKept))
                return false;
        }
        const bool required = valid && DefaultsRequired();
        const QList<cParamRaw *> defaulted{SecInputPriority(),  PrimeValMaxRcvTime(), SecValMaxRcvTime(),
                                           OutputMinSendTime(), OutputMaxSendTime(),  MinRange(),
                                           MaxRange(),          SendDelta(),          OvrResetValue(),
                                           SafetyValue()};
        if (required) {
            // A range the output type leaves alone is written back as the
            // device holds it, not as a value nobody has read.
            for (cParamRaw *cp : defaulted) {
                if (!cp->CpFetched())
                    cp->ReadFromLns(true);
            }
            // A switch whose events share no output type has no NV types to
            // take; its channel shows it as invalid and the check stops the
            // write before it gets here.
            if (fpt == FptKeys::Switch &&
                !SwitchEventsHaveOutputType(*m_context.deviceTemplate,
                                            M_SwitchObject::SwitchEventsOfLmo(*this)))
                return false;
            const NvTypes types =
                DefaultNvTypes(*m_context.deviceTemplate, fpt, M_SwitchObject::SwitchEventsOfLmo(*this));
            setPendingNvTypes(types);
            const int out = types.out;
            SecInputPriority()->setValue(m_context.deviceTemplate->DefaultSecInputPriorityByFptIndex(fpt));
            PrimeValMaxRcvTime()->setValue(DefaultPrimeValMaxRcvTime);
            SecValMaxRcvTime()->setValue(DefaultSecValMaxRcvTime);
            OutputMinSendTime()->setValue(DefaultOutputMinSendTime);
            OutputMaxSendTime()->setValue(DefaultOutputMaxSendTime);
            cConfigProp *scenes = Scenes();
            if (scenes->FetchCp()) {
                const int length = scenes->ByteLength();
                for (int i = 1; i <= length; ++i)
                    scenes->setByteValue(i, 0);
            }
            setRangesFor(out);
            EnableDefaultCpsWriting(true);
        } else {
            EnableDefaultCpsWriting(false);
        }
        for (cParamRaw *cp : defaulted) {
            if (!cp->DontWriteToLns() && !cp->FetchCp()) {
                showFetchError(QStringLiteral("SetDefaultValuesIfRequired"));
                return false;
            }
        }
        return true;
    } catch (const AppError &error) {
        PlugInGlobals::LogError(error, QStringLiteral("cLmo"), QStringLiteral("SetDefaultValuesIfRequired"));
        showFetchError(QStringLiteral("SetDefaultValuesIfRequired"));
        return false;
    }
}

cLmo::NvTypes cLmo::DefaultNvTypes(const cRX24 &rx24, int fpt, const QList<int> &events)
{
    NvTypes types{rx24.DefaultNvTypePrimeInputByFptIndex(fpt), rx24.DefaultNvTypeSecInputByFptIndex(fpt),
                  rx24.DefaultNvTypeOutputByFptIndex(fpt)};
    if (fpt != FptKeys::Switch)
        return types;
    // A switch sends its events in a type they all allow: the function's
    // default output type when it is one (SNVT_switch for most), else the
    // template's first for these events (SNVT_setting for slats, SNVT_scene
    // for scenes). The inputs then follow that output type.
    if (rx24.OutputNvTypeSupportedBySwitchEvents(events, types.out))
        return types;
    types.out = rx24.DefaultNvTypeOutputBySwitchEvents(events);
    if (!rx24.PrimeInputNvTypeSupportedByFptIndexAndOutputNvType(fpt, types.out, types.prime)) {
        const QList<int> prime = rx24.SupportedNvTypesPrimeInputByFptIndexAndOutputNvType(fpt, types.out);
        if (!prime.isEmpty())
            types.prime = static_cast<qint16>(prime.first());
    }
    const int priority = rx24.DefaultSecInputPriorityByFptIndex(fpt);
    if (!rx24.SecInputNvTypeSupportedByFptIndexAndOutputNvTypeAndPriority(fpt, types.out, priority,
                                                                          types.sec)) {
        const QList<int> sec =
            rx24.SupportedNvTypesSecInputByFptIndexAndOutputNvTypeAndPriority(fpt, types.out, priority);
        if (!sec.isEmpty())
            types.sec = static_cast<qint16>(sec.first());
    }
    return types;
}

cLmo::RangeDefaults cLmo::RangeDefaultsFor(int outputType)
{
    if (outputType == 81) // SNVT_lev_percent: 0 .. 100 %, steps of 1 %
        return {0, 20000, 200, -1, -1};
    if (outputType == 95) // SNVT_switch: 100 % on, steps of 0.5 % / 1
        return {0, 0xC801, 0x0201, 0xC801, 0xC801};
    if (outputType == 117) // SNVT_setting
        return {0, 0x01C8, 0x0102, 0x0400, 0x0400};
    return {-1, -1, -1, -1, -1};
}

void cLmo::setRangesFor(int outputType)
{
    const RangeDefaults r = RangeDefaultsFor(outputType);
    const auto put = [](cParam2Byte *cp, int value) {
        if (value >= 0)
            cp->setValue(value);
    };
    put(MinRange(), r.minRange);
    put(MaxRange(), r.maxRange);
    put(SendDelta(), r.sendDelta);
    put(OvrResetValue(), r.ovrResetValue);
    put(SafetyValue(), r.safetyValue);
}
