// A set as the device history stores it: written and read back whole,
// whatever the names and values hold.
#include "params/ConfigurationSet.h"

#include <gtest/gtest.h>

TEST(ConfigurationSetText, EverythingReadsBackAndTheSameSetGivesTheSameText)
{
    ConfigurationSet set;
    set.programId = QStringLiteral("9000A5E018040100");
    set.values.insert(QStringLiteral("Label_1"), QStringLiteral("K\u00fcche \"Nord\", C:\\temp\t,"));
    set.values.insert(QStringLiteral("FptIndex_3"), QStringLiteral("83,152"));
    set.values.insert(QStringLiteral("\u5ba2\u5385_2"), QStringLiteral("\x01\n"));
    set.wholeCps.insert(QStringLiteral("Scenes_1"), {0, 255, 17});
    set.nvTypes.insert(3, {95, 81, 22});
    set.nvTypes.insert(12, {0, 0, 0});
    set.names.insert(3, QStringLiteral("Licht \u00bbFlur\u00ab; DROP TABLE x;--"));
    set.names.insert(10, QString());

    ConfigurationSet back;
    ASSERT_TRUE(ConfigurationSet::fromText(set.toText(), back)) << set.toText().toStdString();
    EXPECT_EQ(back.programId, set.programId);
    EXPECT_EQ(back.values, set.values);
    EXPECT_EQ(back.wholeCps, set.wholeCps);
    EXPECT_EQ(back.nvTypes, set.nvTypes);
    EXPECT_EQ(back.names, set.names);
    EXPECT_EQ(back.toText(), set.toText());

    ConfigurationSet untouched = set;
    for (const QString &bad :
         {QString(), QStringLiteral("{"), QStringLiteral("[1,2]"), QStringLiteral("{\"values\":{}}"),
          QStringLiteral("{\"programId\":\"x\",\"values\":{},\"nvTypes\":{\"1\":[1]}}")})
        EXPECT_FALSE(ConfigurationSet::fromText(bad, untouched)) << bad.toStdString();
    EXPECT_EQ(untouched.values, set.values);
}
