#include "director/NetworkGenerator.h"

#include "director/DemoNetwork.h"
#include "platform/lns/LnsError.h"
#include "platform/netdb/DeviceInterfaceFile.h"
#include "platform/netdb/NetworkDatabase.h"

#include <QElapsedTimer>
#include <algorithm>

namespace {
// A sensor of another maker: a search for devices the plug-in can configure
// must leave it out.
const char *kOtherKindInterface = R"(ProgramId 9000A5E0FF000002
Model RoomSensor
Object Node profile=0
  NV nviRequest type=92 allowed=92
Object Sensor profile=1040
  NV nvoTemp type=105 allowed=105
  CP SendDelta length=2 default=0,50
)";

constexpr int kFloorsPerBuilding = 10;
} // namespace

NetworkGenerator::NetworkGenerator(NetworkDatabase &db) : m_db(db) {}

QString NetworkGenerator::subsystemPath(int k)
{
    return QStringLiteral("%1.Building %2.Floor %3")
        .arg(systemName(), QString::number(k / kFloorsPerBuilding + 1),
             QString::number(k % kFloorsPerBuilding + 1));
}

QString NetworkGenerator::deviceName(int i)
{
    return QStringLiteral("%1 %2").arg(isOtherKind(i) ? QStringLiteral("Room Sensor")
                                                      : QStringLiteral("RX24"),
                                       QString::number(i + 1).rightJustified(5, QLatin1Char('0')));
}

NetworkGenerator::Summary NetworkGenerator::generate(const Options &options)
{
    if (options.devices < 1)
        throw LnsError(LnsErrorCode::InvalidArgument, QStringLiteral("A network needs at least one device."));
    if (m_db.networkNames().contains(options.network))
        throw LnsError(
            LnsErrorCode::InvalidArgument,
            QStringLiteral("The network \"%1\" exists already (\"lnsdb remove-network\" removes it).")
                .arg(options.network));
    QElapsedTimer clock;
    clock.start();
    const DeviceInterface rx24 = DeviceInterfaceFile::parse(
        options.interfaceFile.isEmpty() ? DemoNetwork::defaultInterfaceFile() : options.interfaceFile);
    const DeviceInterface other = DeviceInterfaceFile::parseText(QString::fromLatin1(kOtherKindInterface),
                                                                 QStringLiteral("RoomSensor.xif"));
    const DemoNetwork demo(m_db, options.templateFile.isEmpty() ? DemoNetwork::defaultTemplateFile()
                                                                : options.templateFile);
    const QList<DemoNetwork::DeviceSetup> setups = DemoNetwork::rx24Devices();
    const int subsystems = std::clamp(
        options.subsystems > 0 ? options.subsystems : defaultSubsystems(options.devices), 1, options.devices);

    Summary summary;
    summary.subsystems = subsystems;
    m_db.atomically([&] {
        m_db.createNetwork(options.network, systemName());
        for (int k = 0; k < subsystems; ++k)
            m_db.createSubsystem(options.network, subsystemPath(k));
        for (int i = 0; i < options.devices; ++i) {
            const QString path = devicePath(i, options.devices, subsystems);
            const QString name = deviceName(i);
            if (isOtherKind(i)) {
                m_db.addDevice(options.network, path, name, other);
                ++summary.otherKind;
                continue;
            }
            m_db.addDevice(options.network, path, name, rx24);
            demo.configure(m_db.device(options.network, path, name), setups.at(i % setups.size()));
            if (isUnreachable(i)) {
                m_db.setDeviceReachable(options.network, path, name, false);
                ++summary.unreachable;
            }
            ++summary.rx24;
        }
    });
    summary.milliseconds = clock.elapsed();
    return summary;
}
