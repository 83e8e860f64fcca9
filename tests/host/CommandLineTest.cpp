#include "host/CommandLine.h"

#include "host/LeadingNumber.h"

#include <gtest/gtest.h>

using Action = CommandLineOptions::Action;

namespace {
CommandLineOptions parse(const char *text)
{
    return CommandLine::parse(QString::fromUtf8(text));
}
} // namespace

TEST(CommandLineParse, EmptyLineEndsOptionsWithoutObjectName)
{
    const CommandLineOptions options = parse("");
    EXPECT_EQ(options.action, Action::EndOfOptions);
    EXPECT_FALSE(options.objectNameGiven);
    EXPECT_EQ(options.commandId, 0);
    EXPECT_EQ(options.classId, 0);
}

TEST(CommandLineParse, DirectorCommandLineFillsAllValues)
{
    const CommandLineOptions options =
        parse(" /COMMANDID:13 /CLASSID:7 /REMOTE /NI:LON 1 /OBJECTNAME:Demo\\LNS System.Floor 1\\RX24 Hall");
    EXPECT_EQ(options.action, Action::EndOfOptions);
    EXPECT_EQ(options.commandId, 13);
    EXPECT_EQ(options.classId, 7);
    EXPECT_TRUE(options.remote);
    EXPECT_TRUE(options.networkInterfaceGiven);
    // The value is kept unchanged, the blank before the next option included.
    EXPECT_EQ(options.networkInterfaceName, QStringLiteral("LON 1 "));
    EXPECT_TRUE(options.objectNameGiven);
    EXPECT_EQ(options.objectName, QStringLiteral("Demo\\LNS System.Floor 1\\RX24 Hall"));
}

TEST(CommandLineParse, TextBeforeFirstSlashIsIgnored)
{
    const CommandLineOptions options = parse("CLASSID:9 /COMMANDID:13");
    EXPECT_EQ(options.classId, 0);
    EXPECT_EQ(options.commandId, 13);
}

TEST(CommandLineParse, KeywordsMatchInAnyCaseAndWithBlanks)
{
    const CommandLineOptions options = parse("/  commandId :13/ClassID:7 /objectname:Demo");
    EXPECT_EQ(options.commandId, 13);
    EXPECT_EQ(options.classId, 7);
    EXPECT_TRUE(options.objectNameGiven);
    EXPECT_EQ(options.objectName, QStringLiteral("Demo"));
}

TEST(CommandLineParse, ObjectNameKeepsOnlyTextUpToSecondColon)
{
    const CommandLineOptions options = parse("/OBJECTNAME:Demo:Floor:Device");
    EXPECT_EQ(options.objectName, QStringLiteral("Demo"));
}

TEST(CommandLineParse, LaterOptionOverridesEarlier)
{
    const CommandLineOptions options = parse("/CLASSID:7/CLASSID:28");
    EXPECT_EQ(options.classId, 28);
}

TEST(CommandLineParse, EmptyOptionEndsTheList)
{
    const CommandLineOptions options = parse("/COMMANDID:13//CLASSID:7/OBJECTNAME:Demo");
    EXPECT_EQ(options.action, Action::EndOfOptions);
    EXPECT_EQ(options.commandId, 13);
    EXPECT_EQ(options.classId, 0);
    EXPECT_FALSE(options.objectNameGiven);
}

TEST(CommandLineParse, UnknownKeywordsAreIgnored)
{
    const CommandLineOptions options = parse("/VERBOSE/X:1/COMMANDID:13");
    EXPECT_EQ(options.action, Action::EndOfOptions);
    EXPECT_EQ(options.commandId, 13);
}

TEST(CommandLineActions, RegTakesTheLanguageAndStops)
{
    const CommandLineOptions options = parse("/REG:1000/UNREG");
    EXPECT_EQ(options.action, Action::Reg);
    EXPECT_EQ(options.languageOffset, 1000);
}

TEST(CommandLineActions, RegWithoutNumberIsEnglish)
{
    EXPECT_EQ(parse("/REG").languageOffset, 0);
    EXPECT_EQ(parse("/REG:german").languageOffset, 0);
}

TEST(CommandLineActions, UnregStopsParsing)
{
    const CommandLineOptions options = parse("/UNREG/OBJECTNAME:Demo");
    EXPECT_EQ(options.action, Action::Unreg);
    EXPECT_FALSE(options.objectNameGiven);
}

TEST(CommandLineActions, StandaloneBeforeUnregNeverReadsUnreg)
{
    EXPECT_EQ(parse("/S/UNREG").action, Action::Standalone);
    EXPECT_EQ(parse(" /s /unreg").action, Action::Standalone);
}

TEST(CommandLineActions, HiddenKeywordStartsDirectly)
{
    const CommandLineOptions options = parse("/klar3904/REG:1000");
    EXPECT_EQ(options.action, Action::Direct);
    EXPECT_EQ(options.languageOffset, 0);
}

TEST(CommandLineActions, KeywordsAreMatchedWholeNotByPrefix)
{
    EXPECT_EQ(parse("/SS").action, Action::EndOfOptions);
    EXPECT_EQ(parse("/REGISTER").action, Action::EndOfOptions);
}

TEST(CommandLineNumbers, NonNumbersReadAsZero)
{
    const CommandLineOptions options = parse("/COMMANDID:abc/CLASSID:");
    EXPECT_EQ(options.commandId, 0);
    EXPECT_EQ(options.classId, 0);
}

TEST(CommandLineNumbers, LeadingNumberCounts)
{
    const CommandLineOptions options = parse("/COMMANDID:13abc/CLASSID: 7 ");
    EXPECT_EQ(options.commandId, 13);
    EXPECT_EQ(options.classId, 7);
}

TEST(CommandLineNumbers, ClassIdOutside16BitsIsZero)
{
    EXPECT_EQ(parse("/CLASSID:32767").classId, 32767);
    EXPECT_EQ(parse("/CLASSID:-32768").classId, -32768);
    EXPECT_EQ(parse("/CLASSID:40000").classId, 0);
    EXPECT_EQ(parse("/COMMANDID:40000").commandId, 40000);
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
