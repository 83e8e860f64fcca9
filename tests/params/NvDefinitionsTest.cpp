#include "params/NvDefinitions.h"

#include "ParamsTestSupport.h"

namespace {

class NvDefinitionsTest : public ParamsDbFixture
{
};

TEST_F(NvDefinitionsTest, FetchNvTakesThePositionInTheObject)
{
    QX_Logger &logger = installLogger();
    LnsRef<LnsNetworkVariable> nv;
    bool succeed = false;
    EXPECT_TRUE(
        NvDefinitions::FetchNv(QStringLiteral("Output"), CpDefinitions::NvSection, channel(5), nv, &succeed));
    EXPECT_TRUE(succeed);
    EXPECT_EQ(nv->name(), QStringLiteral("Output"));
    EXPECT_EQ(nv->parent()->name(), channel(5)->name());
    ASSERT_FALSE(logger.entries().isEmpty());
    EXPECT_EQ(logger.entries().first().text, QStringLiteral("[M_PlugIn] Public Sub FetchNv()"));
}

TEST_F(NvDefinitionsTest, UnknownNvRaisesUnlessSucceedIsPassed)
{
    LnsRef<LnsNetworkVariable> nv;
    try {
        NvDefinitions::FetchNv(QStringLiteral("Nope"), CpDefinitions::NvSection, channel(1), nv);
        FAIL() << "an undefined NV raises";
    } catch (const AppError &error) {
        EXPECT_EQ(error.number(), 10000);
        EXPECT_EQ(error.description(), QStringLiteral("INI - File Error : Nope"));
    }
    bool succeed = true;
    EXPECT_FALSE(
        NvDefinitions::FetchNv(QStringLiteral("Nope"), CpDefinitions::NvSection, channel(1), nv, &succeed));
    EXPECT_FALSE(succeed);
    EXPECT_EQ(nv, nullptr);
}

TEST_F(NvDefinitionsTest, FetchDevNvTakesThePositionInTheDevice)
{
    QX_Logger &logger = installLogger();
    LnsRef<LnsNetworkVariable> nv;
    bool succeed = false;
    EXPECT_TRUE(NvDefinitions::FetchDevNv(QStringLiteral("nvoStatus"), CpDefinitions::NvSection, rx24(), nv,
                                          &succeed));
    EXPECT_EQ(nv->name(), QStringLiteral("nvoStatus"));
    EXPECT_EQ(logger.entries().first().text, QStringLiteral("[M_PlugIn] Public Sub FetchDevNv()"));
    EXPECT_EQ(raisedBy([&] {
                  NvDefinitions::FetchDevNv(QStringLiteral("Nope"), CpDefinitions::NvSection, rx24(), nv);
              }).number,
              10000);
}

TEST_F(NvDefinitionsTest, FetchDevNvLogsAMissingDevice)
{
    QX_Logger &logger = installLogger();
    LnsRef<LnsNetworkVariable> nv;
    bool succeed = true;
    EXPECT_FALSE(
        NvDefinitions::FetchDevNv(QStringLiteral("Output"), CpDefinitions::NvSection, nullptr, nv, &succeed));
    EXPECT_FALSE(succeed);
    bool logged = false;
    for (const LogEntry &entry : logger.entries())
        logged = logged ||
                 (entry.kind == LogEntry::Kind::Error && entry.procedureName == QStringLiteral("FetchDevNv"));
    EXPECT_TRUE(logged);
}

} // namespace
