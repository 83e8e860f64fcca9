#include "host/ResourceStrings.h"

#include <gtest/gtest.h>

namespace {

QString u(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

// Every test starts in English and leaves the process in English.
class ResourceStringsTest : public ::testing::Test
{
protected:
    void SetUp() override { ResourceStrings::SetLanguageOffset(ResourceStrings::English); }
    void TearDown() override { ResourceStrings::SetLanguageOffset(ResourceStrings::English); }
};

TEST_F(ResourceStringsTest, PicksTheNumberedItemAndItemZeroIsItemOne)
{
    EXPECT_EQ(ResourceStrings::LoadResString(1600, 2), u("Save data to file"));
    EXPECT_EQ(ResourceStrings::LoadResString(1600, 0), u("Load data from file"));
    EXPECT_EQ(ResourceStrings::LoadResString(1600, 0), ResourceStrings::LoadResString(1600, 1));
    EXPECT_EQ(ResourceStrings::LoadResString(1600), u("Load data from file"));
}

TEST_F(ResourceStringsTest, MissingItemOrIdGivesEmptyText)
{
    EXPECT_TRUE(ResourceStrings::LoadResString(1999, 1).isEmpty());
    EXPECT_TRUE(ResourceStrings::LoadResString(-5, 1).isEmpty());
    EXPECT_TRUE(ResourceStrings::LoadResString(1600, 3).isEmpty());
    EXPECT_TRUE(ResourceStrings::LoadResString(1517, 2).isEmpty());
    EXPECT_TRUE(ResourceStrings::LoadResString(1600, -1).isEmpty());
}

TEST_F(ResourceStringsTest, LineBreakMarksBecomeNewlines)
{
    const QString text = ResourceStrings::LoadResString(1428, 3);
    EXPECT_EQ(text, u("Parameters have been changed !\n\nDo you want to quit the plug-in?"));
    EXPECT_FALSE(text.contains(QChar(0x00B6)));
    EXPECT_EQ(ResourceStrings::LoadResString(1547, 1),
              u("Configuring this device has been canceled.\nNo changes were made.\n"
                "Please solve the problem first and try again."));
}

TEST_F(ResourceStringsTest, GermanOffsetLoadsTheTextThousandHigher)
{
    const QString directGerman = ResourceStrings::LoadResString(2504, 2);
    ResourceStrings::SetLanguageOffset(ResourceStrings::German);
    EXPECT_EQ(ResourceStrings::LoadResString(1504, 2), directGerman);
    EXPECT_EQ(ResourceStrings::LoadResString(1504, 2), u("Verbindung zum LNS-Server wird hergestellt ..."));
    EXPECT_EQ(ResourceStrings::LoadResString(1042), u("Objekt"));
}

TEST_F(ResourceStringsTest, GermanOffsetDoesNotFallBackToEnglish)
{
    ResourceStrings::SetLanguageOffset(ResourceStrings::German);
    // 2504 + 1000 lies outside the table.
    EXPECT_TRUE(ResourceStrings::LoadResString(2504, 2).isEmpty());
    ResourceStrings::SetLanguageOffset(ResourceStrings::English);
    EXPECT_EQ(ResourceStrings::LoadResString(1517), u("Ready."));
}

TEST(ResourceStringsItemOf, SplitsAtTheBrokenBar)
{
    EXPECT_EQ(ResourceStrings::ItemOf(u("a¦b¶c¦"), 2), u("b\nc"));
    EXPECT_EQ(ResourceStrings::ItemOf(u("a¦b¶c¦"), 3), QString());
    EXPECT_EQ(ResourceStrings::ItemOf(u("a¦b¶c¦"), 4), QString());
    EXPECT_EQ(ResourceStrings::ItemOf(u("¦x"), 0), QString());
    EXPECT_EQ(ResourceStrings::ItemOf(u("plain"), 0), u("plain"));
    // The ordinary vertical bar is no separator (file dialog filters use it).
    EXPECT_EQ(ResourceStrings::ItemOf(u("a|b"), 1), u("a|b"));
}

TEST(ResourceStringsFill, ReplacesOneDigitPlaceholdersOnce)
{
    EXPECT_EQ(ResourceStrings::FillPlaceholders(u("%2 before %1"), {u("one"), u("two")}),
              u("two before one"));
    EXPECT_EQ(ResourceStrings::FillPlaceholders(u("%1%1"), {u("x")}), u("xx"));
    const QStringList values = {u("a"), u("b"), u("c"), u("d"), u("e"), u("f"), u("g"), u("h"), u("i")};
    EXPECT_EQ(ResourceStrings::FillPlaceholders(u("%9%8%7%6%5%4%3%2%1"), values), u("ihgfedcba"));
    // Values are not scanned again; unfilled and foreign marks stay.
    EXPECT_EQ(ResourceStrings::FillPlaceholders(u("%1 and %2"), {u("%2"), u("B")}), u("%2 and B"));
    EXPECT_EQ(ResourceStrings::FillPlaceholders(u("%1 %2"), {u("x")}), u("x %2"));
    EXPECT_EQ(ResourceStrings::FillPlaceholders(u("100% %0 %a %"), {u("x")}), u("100% %0 %a %"));
    EXPECT_EQ(ResourceStrings::FillPlaceholders(u("%10"), {u("x")}), u("x0"));
}

TEST_F(ResourceStringsTest, LoadsAndFillsInOneCall)
{
    EXPECT_EQ(ResourceStrings::LoadResString(1031, 1, {u("3")}), u("Module 3"));
    EXPECT_EQ(ResourceStrings::LoadResString(1500, 2, {u("2/5")}), u("Writing set 2/5 ..."));
}

} // namespace
