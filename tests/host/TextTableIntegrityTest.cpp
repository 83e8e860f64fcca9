// Checks of the shipped text table itself: both languages complete and alike
// in structure, and the texts that other parts of the program compare against.
#include "host/ResourceStrings.h"
#include "host/ResourceTable.h"

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

// English item n of an id, as the loader gives it.
QString en(int id, int item = 1)
{
    return ResourceStrings::ItemOf(table().text(id), item);
}

QString de(int id, int item = 1)
{
    return ResourceStrings::ItemOf(table().text(id + 1000), item);
}

TEST(TextTableFile, HasNoMalformedDuplicateOrUnorderedLines)
{
    EXPECT_TRUE(table().malformedLines().isEmpty()) << "first bad line " << table().malformedLines().value(0);
    EXPECT_TRUE(table().duplicateIds().isEmpty()) << "first repeated id " << table().duplicateIds().value(0);
    EXPECT_TRUE(table().unorderedIds().isEmpty())
        << "first id out of order " << table().unorderedIds().value(0);
}

TEST(TextTableFile, AllIdsLieInTheTwoLanguageRanges)
{
    for (int id : table().ids())
        EXPECT_TRUE(id >= 1000 && id <= 2999) << id;
}

TEST(TextTableFile, NoTextIsEmptyOrHasAnEmptyItem)
{
    for (int id : table().ids()) {
        const QStringList items = itemsOf(table().text(id));
        for (int n = 0; n < items.size(); ++n)
            EXPECT_FALSE(items.at(n).trimmed().isEmpty()) << "id " << id << " item " << n + 1;
    }
}

TEST(TextTableLanguages, EveryEnglishTextHasAGermanPartner)
{
    for (int id : englishIds())
        EXPECT_TRUE(table().contains(id + 1000)) << "no German text for " << id;
}

TEST(TextTableLanguages, EveryGermanTextHasAnEnglishPartner)
{
    for (int id : table().ids()) {
        if (id >= 2000) {
            EXPECT_TRUE(table().contains(id - 1000)) << "no English text for " << id;
        }
    }
}

TEST(TextTableLanguages, PartnersHaveTheSameNumberOfItems)
{
    for (int id : englishIds())
        EXPECT_EQ(itemsOf(table().text(id)).size(), itemsOf(table().text(id + 1000)).size()) << id;
}

TEST(TextTableLanguages, PartnerItemsUseTheSamePlaceholders)
{
    for (int id : englishIds()) {
        const QStringList english = itemsOf(table().text(id));
        const QStringList german = itemsOf(table().text(id + 1000));
        for (int n = 0; n < std::min(english.size(), german.size()); ++n)
            EXPECT_EQ(placeholdersOf(english.at(n)), placeholdersOf(german.at(n)))
                << "id " << id << " item " << n + 1;
    }
}

TEST(TextTableLanguages, PartnerItemsHaveTheSameLineStructure)
{
    // Message boxes rely on the blank line between the two parts of a message.
    const QChar mark(0x00B6);
    for (int id : englishIds()) {
        const QStringList english = itemsOf(table().text(id));
        const QStringList german = itemsOf(table().text(id + 1000));
        for (int n = 0; n < std::min(english.size(), german.size()); ++n)
            EXPECT_EQ(english.at(n).count(mark), german.at(n).count(mark))
                << "id " << id << " item " << n + 1;
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
    for (int id : {1370, 1371, 1372}) {
        for (int offset : {0, 1000}) {
            QSet<QChar> keys;
            for (const QString &item : itemsOf(table().text(id + offset))) {
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

TEST(TextTableLists, SwitchTypeNamesFollowTheirCodes)
{
    EXPECT_EQ(en(1047, 0 + 1), u("toggle with pushbutton"));
    EXPECT_EQ(en(1047, 5 + 1), u("make contact"));
    EXPECT_EQ(en(1047, 8 + 1), u("dim with dual pushbutton"));
    EXPECT_EQ(en(1047, 12 + 1), u("no function"));
    EXPECT_EQ(en(1047, 14 + 1), u("user defined (2 contacts)"));
}

TEST(TextTableLists, FunctionAnalogAndHvacNames)
{
    EXPECT_EQ(en(1045, 1), u("Lighting"));
    EXPECT_EQ(en(1045, 2), u("Sunblinds"));
    EXPECT_EQ(en(1048, 1), u("input (0-10 V)"));
    EXPECT_EQ(en(1048, 1 + 3), u("output (2-10 V)"));
    EXPECT_EQ(en(1048, 3 + 3), u("output (4-20 mA)"));
    EXPECT_EQ(en(1046, 1), u("valve 2-point (normally closed)"));
    EXPECT_EQ(en(1046, 7), u("valve 3-point (open/close)"));
    EXPECT_EQ(en(1046, 11), u("valve continuous (4 - 20 mA)"));
}

TEST(TextTableQuotedTexts, ConnectionStartMessages)
{
    EXPECT_EQ(en(1504, 2), u("Connecting to LNS server ..."));
    EXPECT_EQ(en(1501, 3), u("Reading configuration ..."));
    EXPECT_EQ(en(1507), u("Disconnecting from LNS server ..."));
    EXPECT_EQ(en(1437), u("INI file consistency error !\n\nPlease reinstall and re-register the plug-in."));
    EXPECT_EQ(en(1508), u("The LNS server can not be opened ! %1 is being closed."));
    EXPECT_EQ(en(1436), u("The project can not be opened !\n\n"
                          "Please close some LNS applications (e.g. plug-ins) and retry."));
    EXPECT_EQ(en(1491), u("The selected device is not accessible.\n\nThe plug-in will not be started."));
}

TEST(TextTableQuotedTexts, RegistrationResults)
{
    EXPECT_EQ(en(1435, 1), u("The plug-in was successfully registered to project \"%1\"."));
    EXPECT_EQ(en(1435, 2), u("Errors occured while registering the plug-in."));
    EXPECT_EQ(en(1513), u("Registering plug-in ..."));
}

TEST(TextTableQuotedTexts, UnsupportedCommandMessage)
{
    const QString text = ResourceStrings::FillPlaceholders(en(1509), {u("13"), u("28")});
    EXPECT_EQ(text, u("The transmitted CommandId (13) is not\nsupported for  ClassId 28 !"));
}

TEST(TextTableQuotedTexts, RangeMessagesHaveThreeLines)
{
    const QStringList values = {en(1411), u("40"),       u("°C"), u("15"), u("30"),
                                u("°C"),  u("Setpoint"), u("30"), u("°C")};
    EXPECT_EQ(ResourceStrings::FillPlaceholders(en(1421), values),
              u("The value 40 °C is too high. The valid range is from 15 up to 30 °C.\n\n"
                "\"Setpoint\" is set to 30 °C."));
    EXPECT_EQ(en(1422),
              u("%1 %2 %3 is too low. The valid range is from %4 up to %5 %6.\n\n\"%7\" is set to %8 %9."));
    EXPECT_EQ(en(1411), u("The value"));
}

TEST(TextTableQuotedTexts, ChangePromptsAndParameterFileMessages)
{
    EXPECT_EQ(en(1428, 2), u("Parameters have been changed !\n\nDo you want to load parameters from file?"));
    EXPECT_EQ(en(1428, 3), u("Parameters have been changed !\n\nDo you want to quit the plug-in?"));
    EXPECT_TRUE(en(1428, 1).startsWith(u("Parameters have been changed !\n\n")));
    EXPECT_TRUE(en(1428, 1).contains(u("%1")));
    EXPECT_EQ(en(1600, 1), u("Load data from file"));
    EXPECT_EQ(en(1601), u("Data (*.dat)|*.dat|All (*.*)|*.*"));
    EXPECT_EQ(en(1520, 2), u("The selected parameter set is not valid for this device."));
    EXPECT_EQ(en(1521), u("The version of the selected parameter set is not compatible with this plug-in."));
    EXPECT_EQ(en(1523), u("The parameters could not be saved correctly."));
}

TEST(TextTableQuotedTexts, WorkflowLogTexts)
{
    EXPECT_EQ(en(1500, 1), u("Writing parameters..."));
    EXPECT_EQ(en(1500, 2), u("Writing set %1 ..."));
    EXPECT_EQ(en(1551, 2), u("Writing parameters completed."));
    EXPECT_EQ(en(1550, 1), u("Start reading parameters ..."));
    EXPECT_EQ(en(1555), u("Some parameter settings are not valid. Please check the read marked values."));
    EXPECT_EQ(en(1542), u("An error occured while changing the type of network variable \"%1\"."));
    EXPECT_EQ(en(1553), u("The following config properties will be written:"));
}

TEST(TextTableQuotedTexts, CaptionsAndNames)
{
    EXPECT_EQ(en(1031), u("Module %1"));
    EXPECT_EQ(en(1371, 7), u("E&xit"));
    EXPECT_EQ(en(1372, 4), u("A&bout this plug-in..."));
    EXPECT_EQ(en(1373, 1), u("German"));
    EXPECT_EQ(en(1373, 2), u("English"));
    EXPECT_EQ(de(1042), u("Objekt"));
    EXPECT_EQ(en(1802), u("velto"));
    EXPECT_EQ(en(1809), u("velto koradesk tarvina RX24"));
    EXPECT_EQ(en(1850), u("Info about tarvina RX24"));
    EXPECT_EQ(en(1490), u("The language will be changed for all velto kora.desk Plug-ins to %1.\n\n"
                          "This setting will take effect not until the plug-in is restarted."));
}

TEST(TextTableQuotedTexts, TheUnusedSecondTabStripHasNoText)
{
    EXPECT_FALSE(table().contains(1021));
    EXPECT_FALSE(table().contains(2021));
}

} // namespace
