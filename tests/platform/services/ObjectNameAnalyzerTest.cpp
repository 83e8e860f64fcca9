#include "platform/services/ObjectNameAnalyzer.h"

#include <gtest/gtest.h>

TEST(ObjectNameAnalyzerTest, SplitsBackslashFormWithBlanks)
{
    const ObjectNameParts parts =
        ObjectNameAnalyzer::analyze(QStringLiteral("Building A\\LNS System.Floor 1.Room 12\\RX24 Room 12"));
    EXPECT_EQ(parts.networkName, QStringLiteral("Building A"));
    EXPECT_EQ(parts.networkPart, QStringLiteral("Building A\\"));
    EXPECT_EQ(parts.systemPart, QStringLiteral("LNS System.Floor 1.Room 12"));
    EXPECT_EQ(parts.deviceName, QStringLiteral("RX24 Room 12"));
    EXPECT_EQ(parts.subsystemName, QStringLiteral("Room 12"));
    EXPECT_EQ(parts.remainder, QString());
}

TEST(ObjectNameAnalyzerTest, AcceptsSlashesAndMixedSeparators)
{
    const ObjectNameParts slash = ObjectNameAnalyzer::analyze(QStringLiteral("Net/Sys.Sub/Dev"));
    EXPECT_EQ(slash.networkName, QStringLiteral("Net"));
    EXPECT_EQ(slash.networkPart, QStringLiteral("Net/"));
    EXPECT_EQ(slash.systemPart, QStringLiteral("Sys.Sub"));
    EXPECT_EQ(slash.deviceName, QStringLiteral("Dev"));
    const ObjectNameParts mixed = ObjectNameAnalyzer::analyze(QStringLiteral("Net\\Sys.Sub/Dev"));
    EXPECT_EQ(mixed.systemPart, QStringLiteral("Sys.Sub"));
    EXPECT_EQ(mixed.deviceName, QStringLiteral("Dev"));
}

TEST(ObjectNameAnalyzerTest, WithoutDevicePartTheDeviceNameIsEmpty)
{
    const ObjectNameParts parts = ObjectNameAnalyzer::analyze(QStringLiteral("Net\\Sys.Floor 1"));
    EXPECT_EQ(parts.systemPart, QStringLiteral("Sys.Floor 1"));
    EXPECT_EQ(parts.deviceName, QString());
    const ObjectNameParts trailing = ObjectNameAnalyzer::analyze(QStringLiteral("Net\\Sys.Floor 1\\"));
    EXPECT_EQ(trailing.systemPart, QStringLiteral("Sys.Floor 1"));
    EXPECT_EQ(trailing.deviceName, QString());
}

TEST(ObjectNameAnalyzerTest, DropsExtraSeparatorsQuotesAndOuterBlanks)
{
    const ObjectNameParts parts =
        ObjectNameAnalyzer::analyze(QStringLiteral("  \"\\\\Net A\\\\ Sys . Sub 1 \\\\Dev 1 \\\"  "));
    EXPECT_EQ(parts.networkName, QStringLiteral("Net A"));
    EXPECT_EQ(parts.networkPart, QStringLiteral("Net A\\"));
    EXPECT_EQ(parts.systemPart, QStringLiteral("Sys.Sub 1"));
    EXPECT_EQ(parts.deviceName, QStringLiteral("Dev 1"));
    const ObjectNameParts dots = ObjectNameAnalyzer::analyze(QStringLiteral("N/Sys..Sub./D"));
    EXPECT_EQ(dots.systemPart, QStringLiteral("Sys.Sub"));
}

TEST(ObjectNameAnalyzerTest, SystemOnlyAndNetworkOnly)
{
    const ObjectNameParts system = ObjectNameAnalyzer::analyze(QStringLiteral("Net/LNS System/Dev"));
    EXPECT_EQ(system.systemPart, QStringLiteral("LNS System"));
    EXPECT_EQ(system.subsystemName, QString());
    const ObjectNameParts network = ObjectNameAnalyzer::analyze(QStringLiteral("Net"));
    EXPECT_EQ(network.networkName, QStringLiteral("Net"));
    EXPECT_EQ(network.networkPart, QStringLiteral("Net"));
    EXPECT_EQ(network.systemPart, QString());
    EXPECT_EQ(network.deviceName, QString());
}

TEST(ObjectNameAnalyzerTest, EmptyNameAndLevelsBehindTheDevice)
{
    const ObjectNameParts empty = ObjectNameAnalyzer::analyze(QString());
    EXPECT_EQ(empty.networkName, QString());
    EXPECT_EQ(empty.deviceName, QString());
    const ObjectNameParts deep = ObjectNameAnalyzer::analyze(QStringLiteral("N\\S.U\\Dev\\Channel 3\\x"));
    EXPECT_EQ(deep.deviceName, QStringLiteral("Dev"));
    EXPECT_EQ(deep.remainder, QStringLiteral("Channel 3/x"));
}
