#include "platform/netdb/SnvtCatalog.h"

#include <gtest/gtest.h>

TEST(SnvtCatalogTest, StructuredTypesNameTheirElements)
{
    EXPECT_EQ(SnvtCatalog::elementNames(95), (QStringList{QStringLiteral("value"), QStringLiteral("state")}));
    EXPECT_EQ(SnvtCatalog::elementNames(117).size(), 3);
    EXPECT_EQ(SnvtCatalog::defaultValue(95).split(QLatin1Char(' ')).size(), 2);
    EXPECT_EQ(SnvtCatalog::defaultValue(117).split(QLatin1Char(' ')).size(), 3);
}

TEST(SnvtCatalogTest, KnownIndexNumbers)
{
    EXPECT_EQ(SnvtCatalog::name(81), QStringLiteral("SNVT_lev_percent"));
    EXPECT_EQ(SnvtCatalog::name(95), QStringLiteral("SNVT_switch"));
    EXPECT_EQ(SnvtCatalog::name(105), QStringLiteral("SNVT_temp_p"));
    EXPECT_EQ(SnvtCatalog::name(117), QStringLiteral("SNVT_setting"));
    EXPECT_TRUE(SnvtCatalog::elementNames(81).isEmpty());
}

TEST(SnvtCatalogTest, UnknownTypesAreScalarsStartingAtZero)
{
    EXPECT_FALSE(SnvtCatalog::isKnown(9999));
    EXPECT_TRUE(SnvtCatalog::elementNames(9999).isEmpty());
    EXPECT_EQ(SnvtCatalog::defaultValue(9999), QStringLiteral("0"));
    EXPECT_EQ(SnvtCatalog::name(9999), QStringLiteral("SNVT #9999"));
}
