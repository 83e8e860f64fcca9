#include "host/ResourceTable.h"

#include <gtest/gtest.h>

namespace {

QString u(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

TEST(ResourceTableParsing, ReadsIdAndRawTextAtTheFirstTab)
{
    const ResourceTable table =
        ResourceTable::fromText(u("1001\tConfiguration\r\n1002\tA\tB\n1428\tA !¶¶B?¦C\n1003\t\n"));
    EXPECT_EQ(table.count(), 4);
    EXPECT_EQ(table.text(1428), u("A !¶¶B?¦C"));
    EXPECT_TRUE(table.contains(1003)); // an empty text is still an entry
    EXPECT_TRUE(table.text(1999).isEmpty());
    EXPECT_EQ(table.text(1001), u("Configuration"));
    // Only the first tab separates; the rest belongs to the text.
    EXPECT_EQ(table.text(1002), u("A\tB"));
}

TEST(ResourceTableParsing, SkipsCommentsAndEmptyLines)
{
    const ResourceTable table = ResourceTable::fromText(u("# id\ttext\n\n1001\tX\n# 1002\tY\n"));
    EXPECT_EQ(table.ids(), QList<int>({1001}));
    EXPECT_FALSE(table.contains(1002));
    EXPECT_TRUE(table.malformedLines().isEmpty());
}

TEST(ResourceTableParsing, RecordsMalformedLinesByNumber)
{
    const ResourceTable table = ResourceTable::fromText(u("1001\tok\nno tab here\nabc\ttext\n\tno id\n"));
    EXPECT_EQ(table.count(), 1);
    EXPECT_EQ(table.malformedLines(), QList<int>({2, 3, 4}));
}

TEST(ResourceTableParsing, FirstOfRepeatedIdsWinsAndTheRepeatIsRecorded)
{
    const ResourceTable table = ResourceTable::fromText(u("1001\tfirst\n1002\tx\n1001\tsecond\n"));
    EXPECT_EQ(table.text(1001), u("first"));
    EXPECT_EQ(table.duplicateIds(), QList<int>({1001}));
}

TEST(ResourceTableParsing, RecordsIdsOutOfAscendingOrder)
{
    const ResourceTable table = ResourceTable::fromText(u("1001\ta\n1005\tb\n1003\tc\n1007\td\n"));
    EXPECT_EQ(table.unorderedIds(), QList<int>({1003}));
    EXPECT_EQ(table.ids(), QList<int>({1001, 1003, 1005, 1007}));
}

TEST(ResourceTableBuiltIn, IsLoadedFromTheProgramResources)
{
    const ResourceTable &table = ResourceTable::builtIn();
    EXPECT_GT(table.count(), 100);
    EXPECT_EQ(&table, &ResourceTable::builtIn()) << "parsed once and shared";
}

} // namespace
