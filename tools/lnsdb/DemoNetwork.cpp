#include "DemoNetwork.h"

#include "RawValueText.h"
#include "platform/lns/LnsError.h"
#include "platform/netdb/DeviceInterfaceFile.h"
#include "platform/netdb/NetworkDatabase.h"

#include <QCoreApplication>

namespace {

// The events of the two switch types the demo uses (push 1 first, 14 = no message).
QList<int> switchEvents(int switchType)
{
    QList<int> events(8, 14);
    if (switchType == 0)
        events[0] = 9; // toggle with pushbutton
    else if (switchType == 3)
        events[0] = 1; // switch on with pushbutton
    return events;
}

void setCp(const LnsRef<LnsLonMarkObject> &object, const QString &cp, const QList<int> &bytes)
{
    QStringList pieces;
    for (int b : bytes)
        pieces << QString::number(b);
    RawValueText::write(*object->configProperties()->item(cp), pieces.join(QLatin1Char('\t')));
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

DemoNetwork::DemoNetwork(NetworkDatabase &db) : m_db(db) {}

QString DemoNetwork::defaultInterfaceFile()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/RX24.xif");
}

DemoNetwork::FunctionDefaults DemoNetwork::defaultsFor(int fptKey)
{
    switch (fptKey) {
    case 21400:
        return {95, 95, 95, 2};
    case 22400:
        return {117, 95, 117, 4};
    case 23400:
        return {81, 81, 81, 2};
    case 21201:
        return {95, 95, 95, 3};
    default:
        return {95, 95, 95, 0};
    }
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

void DemoNetwork::configure(const LnsRef<LnsAppDevice> &device, const DeviceSetup &setup)
{
    QStringList slotBytes;
    for (int type : setup.slots)
        slotBytes << QString::number(type);
    RawValueText::write(*device->configProperties()->item(QStringLiteral("DeviceModules")),
                        slotBytes.join(QLatin1Char('\t')));

    for (const Binding &b : setup.bindings) {
        // Channel object n is the LonMark object behind the node object.
        const LnsRef<LnsLonMarkObject> object = device->lonMarkObjects()->item(b.object + 1);
        object->setName(b.name);
        const FunctionDefaults d = defaultsFor(b.fptKey);
        setCp(object, QStringLiteral("FptIndex"), {b.fptKey >> 8, b.fptKey & 0xFF});
        setCp(object, QStringLiteral("ModuleType"), {b.moduleType});
        setCp(object, QStringLiteral("ModuleNumber"), {b.slot});
        setCp(object, QStringLiteral("ModuleChannel"), {b.channel});
        setCp(object, QStringLiteral("SecInputPriority"), {d.priority});
        if (b.fptKey == 23400)
            setCp(object, QStringLiteral("ActuateType"), {b.subType});
        if (b.fptKey == 21201) {
            setCp(object, QStringLiteral("SwitchType"), {0});
            static const char *const names[] = {"PushEvent1",        "ReleaseEvent1",    "HoldEvent1",
                                                "ReleaseLateEvent1", "PushEvent2",       "ReleaseEvent2",
                                                "HoldEvent2",        "ReleaseLateEvent2"};
            const QList<int> events = switchEvents(b.subType);
            for (int i = 0; i < 8; ++i)
                setCp(object, QLatin1String(names[i]), {events[i] & 0xFF});
        }
        const auto nvs = object->networkVariables();
        nvs->item(QStringLiteral("PrimeValue"))->changeType(d.primeType);
        nvs->item(QStringLiteral("SecValue"))->changeType(d.secType);
        nvs->item(QStringLiteral("Output"))->changeType(d.outputType);
    }
}
