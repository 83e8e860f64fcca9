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

TEST_F(CountingDeviceFixture, FirstCheckAsksTheDevice)
{
    EXPECT_TRUE(DeviceAccess::DeviceIsAccessible(hall, false));
    setHallReachable(false);
    DeviceAccess::resetCache();
    EXPECT_FALSE(DeviceAccess::DeviceIsAccessible(hall, false));
}

TEST_F(CountingDeviceFixture, WithinTenSecondsTheCachedResultIsReturned)
{
    EXPECT_TRUE(DeviceAccess::DeviceIsAccessible(hall, false));
    setHallReachable(false);
    setTime(QTime(12, 0, 10));
    EXPECT_TRUE(DeviceAccess::DeviceIsAccessible(hall, false));
}

TEST_F(CountingDeviceFixture, AfterTenSecondsTheDeviceIsAskedAgain)
{
    EXPECT_TRUE(DeviceAccess::DeviceIsAccessible(hall, false));
    setHallReachable(false);
    setTime(QTime(12, 0, 10, 100));
    EXPECT_FALSE(DeviceAccess::DeviceIsAccessible(hall, false));
}

TEST_F(CountingDeviceFixture, ForcedCheckIgnoresTheCache)
{
    EXPECT_TRUE(DeviceAccess::DeviceIsAccessible(hall, false));
    setHallReachable(false);
    setTime(QTime(12, 0, 1));
    EXPECT_FALSE(DeviceAccess::DeviceIsAccessible(hall, true));
    // The forced answer is cached for the next ten seconds.
    setHallReachable(true);
    setTime(QTime(12, 0, 5));
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
