// A network copied beside itself: one client reads and writes in one
// transaction, and the copy gets rows of its own.
#include "NetDbTestFixture.h"

namespace {

class NetDbNetworkCopyTest : public NetDbTestFixture
{
};

TEST_P(NetDbNetworkCopyTest, ACopyBesideTheOriginalIsEqualAndApart)
{
    scenes()->setValue(QStringLiteral("09 08 07 06 05 04"));
    const QDateTime when(QDate(2024, 5, 1), QTime(8, 30, 0, 125), Qt::UTC);
    device()->recordHistory(
        {0, when, QStringLiteral("anna"), {}, {}, {}, QStringLiteral("a"), QStringLiteral("b")}, 9);
    device()->recordHistory(
        {0, when, QStringLiteral("anna"), {}, {}, {}, QStringLiteral("b"), QStringLiteral("c")}, 9);
    LnsPluginRegistration registration;
    registration.programId = QStringLiteral("9000A5E018040100");
    db->openNetwork(QStringLiteral("Plant"), false)->registerPlugin(registration);

    ASSERT_EQ(db->copyNetworkTo(QStringLiteral("Plant"), *db, QStringLiteral("Plant B")), 1);
    const auto copy =
        db->device(QStringLiteral("Plant B"), QStringLiteral("Plant.Floor1"), QStringLiteral("RX1"));
    const auto copiedScenes =
        copy->lonMarkObjects()->item(2)->configProperties()->item(QStringLiteral("Scenes"));
    EXPECT_EQ(copiedScenes->value(), QStringLiteral("09 08 07 06 05 04"));
    ASSERT_EQ(copy->history().size(), 2);
    EXPECT_EQ(copy->historyEntry(2).before, QStringLiteral("b"));
    EXPECT_EQ(copy->historyEntry(2).after, QStringLiteral("c"));
    EXPECT_EQ(copy->historyEntry(1).when, when);
    EXPECT_EQ(db->openNetwork(QStringLiteral("Plant B"), false)->pluginRegistrations().size(), 1);

    copiedScenes->setValue(QStringLiteral("01 01 01 01 01 01"));
    EXPECT_EQ(scenes()->value(), QStringLiteral("09 08 07 06 05 04"));
    EXPECT_EQ(
        lnsErrorNumber([&] { db->copyNetworkTo(QStringLiteral("Plant"), *db, QStringLiteral("Plant B")); }),
        LnsErrorCode::InvalidArgument);
}

RX24_ON_BOTH_ENGINES(NetDbNetworkCopyTest);

} // namespace
