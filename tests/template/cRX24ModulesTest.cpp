#include "TemplateFixture.h"

namespace {

using cRX24Modules = TemplateFixture;

TEST_F(cRX24Modules, ChannelCountsAndTerminalsAreBytes)
{
    EXPECT_EQ(rx24().ChannelCountByModuleType(0), 8);
    EXPECT_EQ(rx24().TerminalsPerChannelByModuleType(1), 2);
    EXPECT_EQ(rx24().ChannelCountByModuleType(5), 12); // "12abc"
    EXPECT_EQ(rx24().ChannelCountByModuleType(8), 2);  // 2.5 to the even neighbour
    EXPECT_EQ(rx24().ChannelCountByModuleType(9), 4);  // 3.5 to the even neighbour
}

TEST_F(cRX24Modules, MissingModuleTypeHasNothing)
{
    EXPECT_EQ(rx24().ChannelCountByModuleType(6), 0);
    EXPECT_EQ(rx24().TerminalsPerChannelByModuleType(20), 0);
    EXPECT_TRUE(rx24().SupportedFptsByModuleType(20).isEmpty());
    EXPECT_FALSE(rx24().SupportsDimmingByModuleType(20));
}

TEST_F(cRX24Modules, CountOutsideAByteOverflows)
{
    EXPECT_EQ(errorNumberOf([this] { rx24().ChannelCountByModuleType(4); }), 6);
    EXPECT_EQ(errorNumberOf([this] { rx24().ChannelCountByModuleType(7); }), 6);
}

TEST_F(cRX24Modules, TemplateTheReaderRefusesIsReportedNotReadAsNoChannels)
{
    QFile file(rx24().templatePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("\xFF\xFE" + templateText());
    file.close();
    try {
        rx24().ChannelCountByModuleType(0);
        ADD_FAILURE() << "no error";
    } catch (const AppError &error) {
        EXPECT_EQ(error.number(), 75);
        EXPECT_TRUE(error.description().contains(rx24().templatePath())) << error.description().toStdString();
    }
    EXPECT_EQ(errorNumberOf([this] { rx24().SupportedFptsByModuleType(0); }), 75);
}

TEST_F(cRX24Modules, DimmingOnlyForPositiveNumbers)
{
    EXPECT_FALSE(rx24().SupportsDimmingByModuleType(5)); // 0
    EXPECT_FALSE(rx24().SupportsDimmingByModuleType(1)); // -1
    EXPECT_FALSE(rx24().SupportsDimmingByModuleType(2)); // missing
    EXPECT_TRUE(rx24().SupportsDimmingByModuleType(3));  // 1
    EXPECT_TRUE(rx24().SupportsDimmingByModuleType(4));  // 2
}

TEST_F(cRX24Modules, ListEndsAtTheFirstEmptyItem)
{
    EXPECT_EQ(rx24().SupportedFptsByModuleType(5),
              (QStringList{QStringLiteral("21400"), QStringLiteral("22400")}));
}

TEST_F(cRX24Modules, ExtendedFunctionsFollowOnlyWhenEnabled)
{
    EXPECT_FALSE(rx24().ExtendedFptsEnabled());
    EXPECT_EQ(rx24().SupportedFptsByModuleType(0),
              (QStringList{QStringLiteral("21400"), QStringLiteral("22400")}));
    rx24().setExtendedFptsEnabled(true);
    EXPECT_EQ(rx24().SupportedFptsByModuleType(0),
              (QStringList{QStringLiteral("21400"), QStringLiteral("22400"), QStringLiteral("23400/7")}));
    // Behind the items that were read, not behind the items after an empty one.
    EXPECT_EQ(rx24().SupportedFptsByModuleType(5),
              (QStringList{QStringLiteral("21400"), QStringLiteral("22400"), QStringLiteral("520/1")}));
    EXPECT_EQ(rx24().SupportedFptsByModuleType(6), QStringList{QStringLiteral("23400/7")});
}

TEST_F(cRX24Modules, DefaultFunctionIsTheFirstOne)
{
    EXPECT_EQ(rx24().DefaultFptByModuleType(1), QStringLiteral("22400"));
    EXPECT_EQ(rx24().DefaultFptByModuleType(2), QStringLiteral("21201/9"));
}

TEST_F(cRX24Modules, DefaultFunctionOfAModuleWithoutFunctionsRaises)
{
    EXPECT_EQ(errorNumberOf([this] { rx24().DefaultFptByModuleType(6); }), 9);
    rx24().setExtendedFptsEnabled(true);
    EXPECT_EQ(rx24().DefaultFptByModuleType(6), QStringLiteral("23400/7"));
}

TEST_F(cRX24Modules, SupportedModuleTypesFollowTheFixedOrder)
{
    rx24().setFptIndex(22400);
    // Fixed order begins 8, 10, 9, 11, 5, 6, 17, 7, 1, 0, ... 16.
    EXPECT_EQ(rx24().SupportedModuleTypes(), (QList<int>{5, 1, 0, 16}));
    rx24().setFptIndex(21201);
    EXPECT_EQ(rx24().SupportedModuleTypes(), (QList<int>{2, 16}));
}

TEST_F(cRX24Modules, SupportedModuleTypesMatchSubTypedFunctionsByKey)
{
    rx24().setFptIndex(23400);
    EXPECT_EQ(rx24().SupportedModuleTypes(), QList<int>{1});
    rx24().setExtendedFptsEnabled(true);
    EXPECT_EQ(rx24().SupportedModuleTypes(), (QList<int>{6, 1, 0}));
}

TEST_F(cRX24Modules, SupportedModuleTypesEmptyForAnUnknownKey)
{
    EXPECT_EQ(rx24().FptIndex(), 0);
    EXPECT_TRUE(rx24().SupportedModuleTypes().isEmpty());
    rx24().setFptIndex(99999);
    EXPECT_TRUE(rx24().SupportedModuleTypes().isEmpty());
}

using cRX24Channels = TemplateFixture;

TEST_F(cRX24Channels, UsedTerminalsComeFromTheFptsSection)
{
    EXPECT_EQ(rx24().UsedTerminalsBySupportedFpt(QStringLiteral("23400/7")), 3);
    EXPECT_EQ(rx24().UsedTerminalsBySupportedFpt(QStringLiteral("520/1")), 0);
    EXPECT_EQ(rx24().UsedTerminalsBySupportedFpt(QStringLiteral("23400")), 0);
}

TEST_F(cRX24Channels, UsedChannelsRoundUpFromAlmostAHalf)
{
    EXPECT_EQ(rx24().UsedChannelsByModuleTypeAndSupportedFpt(0, QStringLiteral("21400")), 1);   // 1/1
    EXPECT_EQ(rx24().UsedChannelsByModuleTypeAndSupportedFpt(0, QStringLiteral("22400")), 2);   // 2/1
    EXPECT_EQ(rx24().UsedChannelsByModuleTypeAndSupportedFpt(1, QStringLiteral("21400")), 1);   // 1/2
    EXPECT_EQ(rx24().UsedChannelsByModuleTypeAndSupportedFpt(1, QStringLiteral("23400/7")), 2); // 3/2
    EXPECT_EQ(rx24().UsedChannelsByModuleTypeAndSupportedFpt(1, QStringLiteral("521/0")), 0);   // 0/2
    EXPECT_EQ(rx24().UsedChannelsByModuleTypeAndSupportedFpt(0, QStringLiteral("520/1")), 0);   // no key
}

TEST_F(cRX24Channels, UsedChannelsWithoutTerminalsPerChannelRaises)
{
    EXPECT_EQ(
        errorNumberOf([this] { rx24().UsedChannelsByModuleTypeAndSupportedFpt(3, QStringLiteral("21400")); }),
        11);
    EXPECT_EQ(
        errorNumberOf([this] { rx24().UsedChannelsByModuleTypeAndSupportedFpt(3, QStringLiteral("520/1")); }),
        11);
}

TEST_F(cRX24Channels, TwoChannelFunctionStartsOnOddChannels)
{
    for (int channel = 1; channel <= 8; ++channel)
        EXPECT_EQ(rx24().ModuleChannelSupportsFpt(0, channel, QStringLiteral("22400")), channel % 2 == 1)
            << "channel " << channel;
}

TEST_F(cRX24Channels, TwoChannelFunctionOnTheNx8StartsAnywhereWithRoom)
{
    for (int channel = 1; channel <= 7; ++channel)
        EXPECT_TRUE(rx24().ModuleChannelSupportsFpt(16, channel, QStringLiteral("22400")))
            << "channel " << channel;
    EXPECT_FALSE(rx24().ModuleChannelSupportsFpt(16, 8, QStringLiteral("22400")));
}

TEST_F(cRX24Channels, SingleAndEmptyFunctionsFitEveryChannel)
{
    for (int channel = 1; channel <= 8; ++channel) {
        EXPECT_TRUE(rx24().ModuleChannelSupportsFpt(0, channel, QStringLiteral("21400")));
        EXPECT_TRUE(rx24().ModuleChannelSupportsFpt(0, channel, QStringLiteral("520/1")));
    }
}

TEST_F(cRX24Channels, ChannelBehindTheLastOneOverflows)
{
    EXPECT_EQ(errorNumberOf([this] { rx24().ModuleChannelSupportsFpt(0, 9, QStringLiteral("21400")); }), 6);
    EXPECT_EQ(errorNumberOf([this] { rx24().ModuleChannelSupportsFpt(2, 5, QStringLiteral("21201/9")); }), 6);
    EXPECT_EQ(errorNumberOf([this] { rx24().ModuleChannelSupportsFpt(20, 1, QStringLiteral("21400")); }), 11);
}

TEST_F(cRX24Channels, FunctionWiderThanTheRemainingChannelsDoesNotFit)
{
    // 3 terminals on 1 terminal per channel: 3 channels, starting 1, 4, 7.
    rx24().setExtendedFptsEnabled(true);
    EXPECT_TRUE(rx24().ModuleChannelSupportsFpt(0, 1, QStringLiteral("23400/7")));
    EXPECT_FALSE(rx24().ModuleChannelSupportsFpt(0, 3, QStringLiteral("23400/7")));
    EXPECT_TRUE(rx24().ModuleChannelSupportsFpt(0, 4, QStringLiteral("23400/7")));
    EXPECT_FALSE(rx24().ModuleChannelSupportsFpt(0, 7, QStringLiteral("23400/7")));
}

} // namespace
