#include "HostFixture.h"

// A device that counts how often it was contacted.
class CountingDeviceFixture : public HostFixture
{
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        m_server->connectServer(0);
        hall = m_server->device(QStringLiteral("Demo"), QStringLiteral("LNS System.Floor 1"),
                                QStringLiteral("RX24 Hall"));
        ASSERT_TRUE(hall);
    }

    void setHallReachable(bool reachable)
    {
        m_server->setDeviceReachable(QStringLiteral("Demo"), QStringLiteral("LNS System.Floor 1"),
                                     QStringLiteral("RX24 Hall"), reachable);
    }

    LnsRef<LnsAppDevice> hall;
};

TEST_F(CountingDeviceFixture, AnswerIsCachedForTenSeconds)
{
    EXPECT_TRUE(DeviceAccess::DeviceIsAccessible(hall, false));
    setHallReachable(false);
    setTime(QTime(12, 0, 10));
    EXPECT_TRUE(DeviceAccess::DeviceIsAccessible(hall, false));
    setTime(QTime(12, 0, 10, 100));
    EXPECT_FALSE(DeviceAccess::DeviceIsAccessible(hall, false));
    // A forced check ignores the cache, and its answer is cached in turn.
    setHallReachable(true);
    setTime(QTime(12, 0, 11));
    EXPECT_TRUE(DeviceAccess::DeviceIsAccessible(hall, true));
    setHallReachable(false);
    setTime(QTime(12, 0, 15));
    EXPECT_TRUE(DeviceAccess::DeviceIsAccessible(hall, false));
    DeviceAccess::resetCache();
    EXPECT_FALSE(DeviceAccess::DeviceIsAccessible(hall, false));
}

TEST_F(CountingDeviceFixture, CheckAcrossMidnightAsksAgain)
{
    setTime(QTime(23, 59, 58));
    EXPECT_TRUE(DeviceAccess::DeviceIsAccessible(hall, false));
    setHallReachable(false);
    setTime(QTime(0, 0, 2));
    EXPECT_FALSE(DeviceAccess::DeviceIsAccessible(hall, false));
}

TEST_F(CountingDeviceFixture, WithoutDeviceTheSessionDeviceIsAsked)
{
    PlugInGlobals::Session.device = hall;
    EXPECT_TRUE(DeviceAccess::DeviceIsAccessible(nullptr, true));
    PlugInGlobals::Session.device.reset();
    EXPECT_FALSE(DeviceAccess::DeviceIsAccessible(nullptr, true));
}
