#include "platform/services/ObjectNameAnalyzer.h"

#include <gtest/gtest.h>

TEST(ObjectNameAnalyzerTest, SplitsNamesInAnySeparatorForm)
{
    struct Case
    {
        const char *name;
        const char *network;
        const char *networkPart;
        const char *system;
        const char *subsystem; // nullptr: not checked
        const char *device;
        const char *remainder;
    };
    const Case cases[] = {
        {"Building A\\LNS System.Floor 1.Room 12\\RX24 Room 12", "Building A", "Building A\\",
         "LNS System.Floor 1.Room 12", "Room 12", "RX24 Room 12", ""},
        {"Net/Sys.Sub/Dev", "Net", "Net/", "Sys.Sub", nullptr, "Dev", ""},
        {"Net\\Sys.Sub/Dev", "Net", "Net\\", "Sys.Sub", nullptr, "Dev", ""},
        {"Net\\Sys.Floor 1", "Net", "Net\\", "Sys.Floor 1", nullptr, "", ""},
        {"Net\\Sys.Floor 1\\", "Net", "Net\\", "Sys.Floor 1", nullptr, "", ""},
        // Extra separators, quotes and outer blanks are dropped.
        {"  \"\\\\Net A\\\\ Sys . Sub 1 \\\\Dev 1 \\\"  ", "Net A", "Net A\\", "Sys.Sub 1", nullptr, "Dev 1",
         ""},
        {"N/Sys..Sub./D", "N", "N/", "Sys.Sub", nullptr, "D", ""},
        {"Net/LNS System/Dev", "Net", "Net/", "LNS System", "", "Dev", ""},
        {"Net", "Net", "Net", "", nullptr, "", ""},
        {"", "", "", "", nullptr, "", ""},
        {"N\\S.U\\Dev\\Channel 3\\x", "N", "N\\", "S.U", nullptr, "Dev", "Channel 3/x"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const ObjectNameParts parts = ObjectNameAnalyzer::analyze(QString::fromUtf8(c.name));
        EXPECT_EQ(parts.networkName, QString::fromUtf8(c.network));
        EXPECT_EQ(parts.networkPart, QString::fromUtf8(c.networkPart));
        EXPECT_EQ(parts.systemPart, QString::fromUtf8(c.system));
        if (c.subsystem) {
            EXPECT_EQ(parts.subsystemName, QString::fromUtf8(c.subsystem));
        }
        EXPECT_EQ(parts.deviceName, QString::fromUtf8(c.device));
        EXPECT_EQ(parts.remainder, QString::fromUtf8(c.remainder));
    }
}
