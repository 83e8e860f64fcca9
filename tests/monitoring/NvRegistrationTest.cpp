#include "monitoring/NvRegistration.h"

#include "monitoring/cMonitorPoints.h"
#include "params/ParamsTestSupport.h"

namespace {

class NvRegistrationTest : public ParamsDbFixture
{
};

TEST_F(NvRegistrationTest, NvOfAChannelObjectBecomesAMonitorPoint)
{
    cMonitorPoints points;
    channel(1)->networkVariables()->item(QStringLiteral("PrimeValue"))->setValue(QStringLiteral("61.5 1"));
    cMonitorPoint *prime = nullptr;
    ASSERT_TRUE(NvRegistration::RegisterNetworkVariable(points, QStringLiteral("PrimeValue"), channel(1),
                                                        QStringLiteral("PrimeValue_1"), prime));
    EXPECT_EQ(points.GetMonitorPointByName(QStringLiteral("PrimeValue_1")), prime);
    EXPECT_EQ(prime->NetworkVariable()->name(), QStringLiteral("PrimeValue"));
    EXPECT_EQ(prime->Value(), QStringLiteral("61.5 1")); // channel 1's, not another channel's
    EXPECT_EQ(prime->EventTag(), 5000);

    cMonitorPoint *status = nullptr; // without key: the NV name
    ASSERT_TRUE(NvRegistration::RegisterDeviceNetworkVariable(points, QStringLiteral("nvoStatus"), rx24(),
                                                              QString(), status));
    EXPECT_EQ(status->Name(), QStringLiteral("nvoStatus"));
    EXPECT_EQ(status->NetworkVariable()->name(), QStringLiteral("nvoStatus"));
}

TEST_F(NvRegistrationTest, UnknownNvFailsAndAddsNoPoint)
{
    cMonitorPoints points;
    cMonitorPoint *none = nullptr;
    EXPECT_FALSE(NvRegistration::RegisterNetworkVariable(points, QStringLiteral("NoSuchNv"), channel(1),
                                                         QStringLiteral("X_1"), none));
    EXPECT_FALSE(NvRegistration::RegisterDeviceNetworkVariable(points, QStringLiteral("NoSuchNv"), rx24(),
                                                               QStringLiteral("X"), none));
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(points.Count(), 0);
}

} // namespace
