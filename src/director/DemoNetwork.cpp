#include "director/DemoNetwork.h"

#include "director/RawValueText.h"
#include "model/FptKeys.h"
#include "model/M_SwitchObject.h"
#include "model/cLmo.h"
#include "platform/lns/LnsError.h"
#include "platform/netdb/DeviceInterfaceFile.h"
#include "platform/netdb/NetworkDatabase.h"
#include "platform/services/PathUtility.h"

#include <algorithm>

namespace {

void setCp(const LnsRef<LnsLonMarkObject> &object, const QString &cp, const QList<int> &bytes)
{
    QStringList pieces;
    for (int b : bytes)
        pieces << QString::number(b);
    RawValueText::write(*object->configProperties()->item(cp), pieces.join(QLatin1Char('\t')));
}

// A 2-byte value into the first two bytes of a CP; the rest keeps its bytes.
void setLeadingWord(const LnsRef<LnsLonMarkObject> &object, const QString &cp, int value)
{
    if (value < 0)
        return;
    const auto property = object->configProperties()->item(cp);
    QList<int> bytes;
    for (const QString &piece : RawValueText::read(*property).split(QLatin1Char(' '), Qt::SkipEmptyParts))
        bytes.append(piece.toInt());
    bytes.resize(std::max<qsizetype>(bytes.size(), 2));
    bytes[0] = value >> 8;
    bytes[1] = value & 0xFF;
    setCp(object, cp, bytes);
}

// A simple room controller of another maker, so that the plug-in has a device to refuse.
const char *kOtherDeviceInterface = R"(ProgramId 9000A5E0FF000001
Model RoomSensor
Object Node profile=0
  NV nviRequest type=92 allowed=92
Object Sensor profile=1040
  NV nvoTemp type=105 allowed=105
  CP SendDelta length=2 default=0,50
)";

} // namespace

DemoNetwork::DemoNetwork(NetworkDatabase &db, const QString &templateFile)
    : m_db(db), m_template(templateFile)
{
}

QString DemoNetwork::defaultInterfaceFile()
{
    return PathUtility::programFolder() + QStringLiteral("RX24.xif");
}

QString DemoNetwork::defaultTemplateFile()
{
    return PathUtility::programFolder() + QStringLiteral("RX24.ini");
}

QList<DemoNetwork::DeviceSetup> DemoNetwork::rx24Devices()
{
    const int none = 255;
    DeviceSetup fresh{QStringLiteral("RX24 New"), QList<int>(8, none), {}, true};

    DeviceSetup partial{QStringLiteral("RX24 Partial"), {2, 5, none, none, none, none, none, none}, {}, true};
    partial.bindings = {{1, 1, 1, 2, 21400, -1, QStringLiteral("Light Corridor")}};

    DeviceSetup full{QStringLiteral("RX24 Full"), {2, 5, 8, 0, none, none, none, none}, {}, true};
    full.bindings = {
        {1, 1, 1, 2, 21400, -1, QStringLiteral("Light Hall")},
        {2, 1, 2, 2, 21400, -1, QStringLiteral("Light Office")},
        {3, 2, 1, 5, 22400, -1, QStringLiteral("Blind South")},
        {4, 3, 1, 8, 23400, 0, QStringLiteral("Valve Office")},
        {5, 4, 1, 0, 21201, 0, QStringLiteral("Switch Hall")},
        {6, 4, 2, 0, 21201, 3, QStringLiteral("Switch Office")},
    };

    DeviceSetup offline{
        QStringLiteral("RX24 Offline"), {0, none, none, none, none, none, none, none}, {}, false};
    offline.bindings = {{1, 1, 1, 0, 21201, 0, QStringLiteral("Switch Stairs")}};

    return {fresh, partial, full, offline};
}

QString DemoNetwork::otherDeviceName()
{
    return QStringLiteral("Room Sensor");
}

QStringList DemoNetwork::missingParts() const
{
    if (!m_db.networkNames().contains(networkName()))
        return {QStringLiteral("network \"%1\"").arg(networkName())};
    if (!m_db.subsystemPaths(networkName()).contains(subsystemPath()))
        return {QStringLiteral("subsystem \"%1\"").arg(subsystemPath())};
    const QStringList present = m_db.deviceNames(networkName(), subsystemPath());
    QStringList missing;
    QStringList wanted;
    for (const DeviceSetup &setup : rx24Devices())
        wanted << setup.name;
    wanted << otherDeviceName();
    for (const QString &name : std::as_const(wanted)) {
        if (!present.contains(name))
            missing << QStringLiteral("device \"%1\"").arg(name);
    }
    return missing;
}

bool DemoNetwork::exists() const
{
    return missingParts().isEmpty();
}

void DemoNetwork::create(const QString &rx24InterfaceFile)
{
    const DeviceInterface rx24 = DeviceInterfaceFile::parse(rx24InterfaceFile);
    const DeviceInterface other = DeviceInterfaceFile::parseText(QString::fromLatin1(kOtherDeviceInterface),
                                                                 QStringLiteral("RoomSensor.xif"));

    // One transaction: a run that fails (a full disk, a broken interface
    // file) leaves the database as it was, and the next run starts afresh.
    // What a run finds in place (an older, interrupted demo, or devices the
    // user changed) is kept; only what is missing is added.
    m_db.atomically([&] {
        if (!m_db.networkNames().contains(networkName()))
            m_db.createNetwork(networkName(), QStringLiteral("LNS System"));
        m_db.createSubsystem(networkName(), subsystemPath());
        const QStringList present = m_db.deviceNames(networkName(), subsystemPath());
        for (const DeviceSetup &setup : rx24Devices()) {
            if (present.contains(setup.name))
                continue;
            m_db.addDevice(networkName(), subsystemPath(), setup.name, rx24);
            configure(m_db.device(networkName(), subsystemPath(), setup.name), setup);
            if (!setup.reachable)
                m_db.setDeviceReachable(networkName(), subsystemPath(), setup.name, false);
        }
        if (!present.contains(otherDeviceName()))
            m_db.addDevice(networkName(), subsystemPath(), otherDeviceName(), other);
    });
}

void DemoNetwork::configure(const LnsRef<LnsAppDevice> &device, const DeviceSetup &setup) const
{
    QStringList slotBytes;
    for (int type : setup.slots)
        slotBytes << QString::number(type);
    RawValueText::write(*device->configProperties()->item(QStringLiteral("DeviceModules")),
                        slotBytes.join(QLatin1Char('\t')));

    static const char *const eventCps[] = {"PushEvent1", "ReleaseEvent1", "HoldEvent1", "ReleaseLateEvent1",
                                           "PushEvent2", "ReleaseEvent2", "HoldEvent2", "ReleaseLateEvent2"};
    for (const Binding &b : setup.bindings) {
        // Channel object n is the LonMark object behind the node object.
        const LnsRef<LnsLonMarkObject> object = device->lonMarkObjects()->item(b.object + 1);
        object->setName(b.name);
        setCp(object, QStringLiteral("FptIndex"), {b.fptKey >> 8, b.fptKey & 0xFF});
        setCp(object, QStringLiteral("ModuleType"), {b.moduleType});
        setCp(object, QStringLiteral("ModuleNumber"), {b.slot});
        setCp(object, QStringLiteral("ModuleChannel"), {b.channel});

        QList<int> events;
        if (b.fptKey == FptKeys::Switch) {
            const M_SwitchObject::SwitchRow &row = M_SwitchObject::SwitchTableRow(b.subType);
            for (int i = 0; i < 8; ++i) {
                events.append(row.at(static_cast<size_t>(i)));
                setCp(object, QLatin1String(eventCps[i]), {events.last() & 0xFF});
            }
            setCp(object, QStringLiteral("SwitchType"), {row.at(8) & 0xFF});
        }
        if (b.fptKey == FptKeys::Hvac) {
            setCp(object, QStringLiteral("ActuateType"), {b.subType});
            const cLmo::HvacDefaults hvac = cLmo::HvacDefaultsFor(b.subType);
            if (hvac.actuateControl >= 0)
                setCp(object, QStringLiteral("ActuateControl"), {hvac.actuateControl});
            if (hvac.discLevels >= 0)
                setCp(object, QStringLiteral("DiscLevels"), {hvac.discLevels});
        }

        const cLmo::NvTypes types = cLmo::DefaultNvTypes(m_template, b.fptKey, events);
        const auto nvs = object->networkVariables();
        nvs->item(QStringLiteral("PrimeValue"))->changeType(types.prime);
        nvs->item(QStringLiteral("SecValue"))->changeType(types.sec);
        nvs->item(QStringLiteral("Output"))->changeType(types.out);

        setCp(object, QStringLiteral("SecInputPriority"),
              {m_template.DefaultSecInputPriorityByFptIndex(b.fptKey)});
        const auto word = [](int value) { return QList<int>{value >> 8, value & 0xFF}; };
        setCp(object, QStringLiteral("PrimeValMaxRcvTime"), word(cLmo::DefaultPrimeValMaxRcvTime));
        setCp(object, QStringLiteral("SecValMaxRcvTime"), word(cLmo::DefaultSecValMaxRcvTime));
        setCp(object, QStringLiteral("OutputMinSendTime"), word(cLmo::DefaultOutputMinSendTime));
        setCp(object, QStringLiteral("OutputMaxSendTime"), word(cLmo::DefaultOutputMaxSendTime));
        const cLmo::RangeDefaults ranges = cLmo::RangeDefaultsFor(types.out);
        setLeadingWord(object, QStringLiteral("MinRange"), ranges.minRange);
        setLeadingWord(object, QStringLiteral("MaxRange"), ranges.maxRange);
        setLeadingWord(object, QStringLiteral("SendDelta"), ranges.sendDelta);
        setLeadingWord(object, QStringLiteral("OvrResetValue"), ranges.ovrResetValue);
        setLeadingWord(object, QStringLiteral("SafetyValue"), ranges.safetyValue);
    }
}
