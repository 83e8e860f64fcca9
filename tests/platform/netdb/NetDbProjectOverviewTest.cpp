// The overview a project window lists: one network's devices with their
// slots and last write, none of another network's.
#include "platform/netdb/NetDbProjectOverview.h"

#include "NetDbTestFixture.h"
#include "platform/lns/LnsConfigProperty.h"

#include <QTimeZone>

namespace {

class NetDbProjectOverviewTest : public NetDbTestFixture
{
protected:
    void setSlots(const LnsRef<LnsAppDevice> &device, const QString &raw)
    {
        const auto slots = device->configProperties()->item(QStringLiteral("DeviceModules"));
        slots->setValueFormat(QStringLiteral("RAW"));
        slots->setValue(raw);
    }
};

TEST_P(NetDbProjectOverviewTest, ListsSlotsAndTheLastWriteOfTheNetworksDevicesOnly)
{
    const DeviceInterface device = DeviceInterfaceFile::parseText(kTestInterface, QStringLiteral("test.xif"));
    db->addDevice(QStringLiteral("Plant"), QStringLiteral("Plant.Floor2"), QStringLiteral("RX2"), device);
    db->setDeviceReachable(QStringLiteral("Plant"), QStringLiteral("Plant.Floor2"), QStringLiteral("RX2"),
                           false);
    db->createNetwork(QStringLiteral("Other"));
    db->addDevice(QStringLiteral("Other"), QStringLiteral("Other.Floor1"), QStringLiteral("RX9"), device);
    setSlots(deviceOf(*db), QStringLiteral("2\t5\t255\t255\t255\t255\t255\t255"));
    setSlots(db->device(QStringLiteral("Other"), QStringLiteral("Other.Floor1"), QStringLiteral("RX9")),
             QStringLiteral("1\t1\t1\t1\t1\t1\t1\t1"));
    LnsHistoryEntry first;
    first.when = QDateTime(QDate(2026, 3, 1), QTime(8, 0), QTimeZone::utc());
    first.user = QStringLiteral("anna");
    first.host = QStringLiteral("desk1");
    LnsHistoryEntry second = first;
    second.when = first.when.addDays(1);
    second.user = QStringLiteral("ben");
    db->atomically([&] {
        deviceOf(*db)->recordHistory(first, 10);
        deviceOf(*db)->recordHistory(second, 10);
    });

    const auto overview = NetDbProjectOverview::of(db->openNetwork(QStringLiteral("Plant"), false));
    ASSERT_TRUE(overview);
    QList<NetDbProjectOverview::Device> devices = overview->devices();
    ASSERT_EQ(devices.size(), 2);
    std::sort(devices.begin(), devices.end(), [](const auto &a, const auto &b) { return a.name < b.name; });
    EXPECT_EQ(devices.at(0).modules, (QList<int>{2, 5, 255, 255, 255, 255, 255, 255}));
    EXPECT_TRUE(devices.at(0).reachable);
    EXPECT_EQ(devices.at(0).lastWritten, second.when);
    EXPECT_EQ(devices.at(0).lastWriter, QStringLiteral("ben@desk1"));
    // Never configured, never written, not answering.
    EXPECT_EQ(devices.at(1).modules, QList<int>(8, 255));
    EXPECT_FALSE(devices.at(1).reachable);
    EXPECT_TRUE(devices.at(1).lastWritten.isNull());
    EXPECT_NE(devices.at(0).subsystemId, devices.at(1).subsystemId);
}

RX24_ON_BOTH_ENGINES(NetDbProjectOverviewTest);

} // namespace
