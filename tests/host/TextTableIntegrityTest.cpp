// Checks of the shipped text table itself: both languages complete and alike
// in structure, and the texts that other parts of the program compare against.
#include "host/ResourceStrings.h"
#include "host/ResourceTable.h"
#include "platform/services/MultiDeviceSelectionTexts.h"

#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

namespace {

QString u(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

const QChar ItemSeparator(0x00A6);

QStringList itemsOf(const QString &raw)
{
    return raw.split(ItemSeparator);
}

QSet<QString> placeholdersOf(const QString &text)
{
    static const QRegularExpression placeholder(QStringLiteral("%[1-9]"));
    QSet<QString> found;
    auto it = placeholder.globalMatch(text);
    while (it.hasNext())
        found.insert(it.next().captured(0));
    return found;
}

const ResourceTable &table()
{
    return ResourceTable::builtIn();
}

QList<int> englishIds()
{
    QList<int> ids;
    for (int id : table().ids())
        if (id >= 1000 && id <= 1999)
            ids.append(id);
    return ids;
}

TEST(TextTableFile, HasNoMalformedDuplicateUnorderedOrEmptyEntries)
{
    EXPECT_TRUE(table().malformedLines().isEmpty()) << "first bad line " << table().malformedLines().value(0);
    EXPECT_TRUE(table().duplicateIds().isEmpty()) << "first repeated id " << table().duplicateIds().value(0);
    EXPECT_TRUE(table().unorderedIds().isEmpty())
        << "first id out of order " << table().unorderedIds().value(0);
    for (int id : table().ids()) {
        EXPECT_TRUE(id >= 1000 && id <= 2999) << id;
        const QStringList items = itemsOf(table().text(id));
        for (int n = 0; n < items.size(); ++n)
            EXPECT_FALSE(items.at(n).trimmed().isEmpty()) << "id " << id << " item " << n + 1;
        if (id >= 2000) {
            EXPECT_TRUE(table().contains(id - 1000)) << "no English text for " << id;
        }
    }
    EXPECT_FALSE(table().contains(1021)); // the unused second tab strip
}

TEST(TextTableLanguages, PartnersHaveTheSameItemsPlaceholdersAndLineStructure)
{
    // Message boxes rely on the blank line between the two parts of a message.
    const QChar mark(0x00B6);
    for (int id : englishIds()) {
        ASSERT_TRUE(table().contains(id + 1000)) << "no German text for " << id;
        const QStringList english = itemsOf(table().text(id));
        const QStringList german = itemsOf(table().text(id + 1000));
        EXPECT_EQ(english.size(), german.size()) << id;
        for (int n = 0; n < std::min(english.size(), german.size()); ++n) {
            EXPECT_EQ(placeholdersOf(english.at(n)), placeholdersOf(german.at(n))) << id << " item " << n + 1;
            EXPECT_EQ(english.at(n).count(mark), german.at(n).count(mark)) << id << " item " << n + 1;
        }
    }
}

TEST(TextTableLanguages, GermanTextsAreTranslated)
{
    // Names that are the same in both languages.
    const QSet<int> sameInBothLanguages = {1029, 1802, 1809, 1851};
    for (int id : englishIds()) {
        if (sameInBothLanguages.contains(id))
            continue;
        EXPECT_NE(table().text(id), table().text(id + 1000)) << "untranslated " << id;
    }
}

TEST(TextTableMenus, AccessKeysAreUniqueWithinEachMenu)
{
    // The File menu holds 1371 and, after the parameter file tools, 1980.
    const QList<QList<int>> menus{{1370}, {1371, 1980}, {1372}};
    for (const QList<int> &menu : menus) {
        for (int offset : {0, 1000}) {
            const int id = menu.first();
            QSet<QChar> keys;
            QStringList items;
            for (int part : menu)
                items << itemsOf(table().text(part + offset));
            for (const QString &item : std::as_const(items)) {
                EXPECT_LE(item.count(QLatin1Char('&')), 1) << id + offset;
                const qsizetype amp = item.indexOf(QLatin1Char('&'));
                if (amp < 0 || amp + 1 >= item.size())
                    continue;
                const QChar key = item.at(amp + 1).toLower();
                EXPECT_FALSE(keys.contains(key)) << "access key used twice in " << id + offset;
                keys.insert(key);
            }
        }
    }
}

TEST(TextTableLists, ListsHaveTheirItemCounts)
{
    EXPECT_EQ(itemsOf(table().text(1040)).size(), 22); // "not used" and 21 module types
    EXPECT_EQ(itemsOf(table().text(1045)).size(), 2);
    EXPECT_EQ(itemsOf(table().text(1046)).size(), 11);
    EXPECT_EQ(itemsOf(table().text(1047)).size(), 15);
    EXPECT_EQ(itemsOf(table().text(1048)).size(), 6);
    EXPECT_EQ(itemsOf(table().text(1370)).size(), 2);
    EXPECT_EQ(itemsOf(table().text(1371)).size(), 7);
    EXPECT_EQ(itemsOf(table().text(1372)).size(), 4);
    EXPECT_EQ(itemsOf(table().text(1373)).size(), 2);
    EXPECT_EQ(itemsOf(table().text(1374)).size(), 3);
    // The words of what differs between two configuration sets.
    EXPECT_EQ(itemsOf(table().text(1960)).size(), 9);
    EXPECT_EQ(itemsOf(table().text(1961)).size(), 31); // captions, the eight events last
    EXPECT_EQ(itemsOf(table().text(1962)).size(), 8);  // priorities 0 .. 7
    EXPECT_EQ(itemsOf(table().text(1963)).size(), 6);
    EXPECT_EQ(itemsOf(table().text(1964)).size(), 2);
    EXPECT_EQ(itemsOf(table().text(1965)).size(), 21); // events -1 .. 19
    EXPECT_EQ(itemsOf(table().text(1966)).size(), 3);
    EXPECT_EQ(itemsOf(table().text(1967)).size(), 6);
    EXPECT_EQ(itemsOf(table().text(1968)).size(), 2);
    EXPECT_EQ(itemsOf(table().text(1969)).size(), 5);
    // The batch tool: errors, reasons, results, headings, summary lines.
    EXPECT_EQ(itemsOf(table().text(1971)).size(), 11);
    EXPECT_EQ(itemsOf(table().text(1972)).size(), 8);
    EXPECT_EQ(itemsOf(table().text(1973)).size(), 9);
    EXPECT_EQ(itemsOf(table().text(1974)).size(), 12);
    EXPECT_EQ(itemsOf(table().text(1975)).size(), 5);
    EXPECT_EQ(itemsOf(table().text(1982)).size(), 5); // a heading for each column of the earlier sets
}

TEST(TextTableLists, ModuleNamesFollowTheirListOrder)
{
    const QStringList expected = {u("not used"),      u("sorvan KW8"),    u("sorvan KW16"), u("sorvan RP4"),
                                  u("sorvan RP8"),    u("sorvan WM4"),    u("drova JT2"),   u("drova JT4"),
                                  u("drova JT4-DC"),  u("drova JT4-DMI"), u("kesto HF4"),   u("kesto HF8"),
                                  u("kesto HF4-10V"), u("kesto HF8-10V"), u("kesto GZ2"),   u("kesto GZ4"),
                                  u("sorvan NX8"),    u("sorvan RP2"),    u("drova JT3"),   u("sorvan KW4"),
                                  u("kesto YS4"),     u("kesto YS8")};
    EXPECT_EQ(itemsOf(table().text(1040)), expected);
    // Module names are product names: the same in German, except "not used".
    const QStringList german = itemsOf(table().text(2040));
    EXPECT_EQ(german.mid(1), expected.mid(1));
    EXPECT_EQ(german.value(0), u("nicht benutzt"));
}

// The selection window takes its texts from 1710 item by item.
TEST(TextTableLists, DeviceSelectionTextsMatchTheWindowsFields)
{
    int fields = 0;
    MultiDeviceSelectionTexts::fromItems([&](int) {
        ++fields;
        return QString();
    });
    EXPECT_EQ(itemsOf(table().text(1710)).size(), fields);
    const MultiDeviceSelectionTexts english = MultiDeviceSelectionTexts::fromItems(
        [](int n) { return ResourceStrings::ItemOf(table().text(1710), n); });
    const MultiDeviceSelectionTexts defaults;
    EXPECT_EQ(english.title, defaults.title);
    EXPECT_EQ(english.searchDone, defaults.searchDone);
    EXPECT_EQ(english.columnReachable, defaults.columnReachable);
    EXPECT_EQ(english.cancel, defaults.cancel);
}

} // namespace
