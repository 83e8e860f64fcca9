#include "host/CommandLine.h"

#include "host/LeadingNumber.h"

#include <gtest/gtest.h>

using Action = CommandLineOptions::Action;

TEST(CommandLineParse, EachLineGivesItsActionAndValues)
{
    struct Case
    {
        const char *line;
        Action action;
        int commandId;
        int classId;
        const char *objectName; // nullptr: no object name given
        int language = 0;
    };
    const Case cases[] = {
        {"", Action::EndOfOptions, 0, 0, nullptr},
        {"CLASSID:9 /COMMANDID:13", Action::EndOfOptions, 13, 0, nullptr}, // text before the first slash
        {"/  commandId :13/ClassID:7 /objectname:Demo", Action::EndOfOptions, 13, 7, "Demo"}, // case, blanks
        {"/OBJECTNAME:Demo:Floor:Device", Action::EndOfOptions, 0, 0, "Demo"}, // only up to the second ":"
        {"/CLASSID:7/CLASSID:28", Action::EndOfOptions, 0, 28, nullptr},       // the later one counts
        {"/COMMANDID:13//CLASSID:7/OBJECTNAME:Demo", Action::EndOfOptions, 13, 0, nullptr}, // "//" ends
        {"/VERBOSE/X:1/COMMANDID:13", Action::EndOfOptions, 13, 0, nullptr}, // unknown keywords
        {"/SS", Action::EndOfOptions, 0, 0, nullptr},                        // whole keywords only
        {"/REGISTER", Action::EndOfOptions, 0, 0, nullptr},
        {"/REG:1000/UNREG", Action::Reg, 0, 0, nullptr, 1000},
        {"/REG", Action::Reg, 0, 0, nullptr, 0},
        {"/REG:german", Action::Reg, 0, 0, nullptr, 0},
        {"/UNREG/OBJECTNAME:Demo", Action::Unreg, 0, 0, nullptr},
        {"/S/UNREG", Action::Standalone, 0, 0, nullptr}, // S before UNREG never reads UNREG
        {" /s /unreg", Action::Standalone, 0, 0, nullptr},
        {"/klar3904/REG:1000", Action::Direct, 0, 0, nullptr, 0},
        {"/COMMANDID:abc/CLASSID:", Action::EndOfOptions, 0, 0, nullptr},       // non-numbers read as 0
        {"/COMMANDID:13abc/CLASSID: 7 ", Action::EndOfOptions, 13, 7, nullptr}, // the leading number
        {"/CLASSID:32767", Action::EndOfOptions, 0, 32767, nullptr},
        {"/CLASSID:-32768", Action::EndOfOptions, 0, -32768, nullptr},
        {"/CLASSID:40000/COMMANDID:40000", Action::EndOfOptions, 40000, 0, nullptr}, // outside 16 bits: 0
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.line);
        const CommandLineOptions options = CommandLine::parse(QString::fromUtf8(c.line));
        EXPECT_EQ(options.action, c.action);
        EXPECT_EQ(options.commandId, c.commandId);
        EXPECT_EQ(options.classId, c.classId);
        EXPECT_EQ(options.objectNameGiven, c.objectName != nullptr);
        if (c.objectName) {
            EXPECT_EQ(options.objectName, QString::fromUtf8(c.objectName));
        }
        EXPECT_EQ(options.languageOffset, c.language);
    }
}

TEST(CommandLineParse, DirectorCommandLineFillsAllValues)
{
    const CommandLineOptions options = CommandLine::parse(QStringLiteral(
        " /COMMANDID:13 /CLASSID:7 /REMOTE /NI:LON 1 /OBJECTNAME:Demo\\LNS System.Floor 1\\RX24 Hall"));
    EXPECT_EQ(options.action, Action::EndOfOptions);
    EXPECT_EQ(options.commandId, 13);
    EXPECT_EQ(options.classId, 7);
    EXPECT_TRUE(options.remote);
    EXPECT_TRUE(options.networkInterfaceGiven);
    // The value is kept unchanged, the blank before the next option included.
    EXPECT_EQ(options.networkInterfaceName, QStringLiteral("LON 1 "));
    EXPECT_EQ(options.objectName, QStringLiteral("Demo\\LNS System.Floor 1\\RX24 Hall"));
}

TEST(CommandLineNumbers, LeadingNumberRules)
{
    EXPECT_EQ(LeadingNumber::of(QStringLiteral("  -12x")), -12);
    EXPECT_EQ(LeadingNumber::of(QStringLiteral("+5")), 5);
    EXPECT_EQ(LeadingNumber::of(QStringLiteral("7.9")), 7);
    EXPECT_EQ(LeadingNumber::of(QStringLiteral("-")), 0);
    EXPECT_EQ(LeadingNumber::of32(QStringLiteral("99999999999")), 0);
}

TEST(CommandLineLength, TenThousandCharactersAreReadToTheEnd)
{
    QString text;
    while (text.size() < 10000)
        text += QStringLiteral(" /NI:interface");
    text += QStringLiteral(" /OBJECTNAME:") + QString(200, QLatin1Char('x'));
    ASSERT_GE(text.size(), 10000);
    const CommandLineOptions options = CommandLine::parse(text);
    EXPECT_TRUE(options.objectNameGiven);
    EXPECT_EQ(options.objectName.size(), 200);
    EXPECT_EQ(options.networkInterfaceName, QStringLiteral("interface "));
}
