#include "platform/services/PathUtility.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

TEST(PathUtilityTest, AddsOneTrailingSeparator)
{
    EXPECT_EQ(PathUtility::withTrailingSeparator(QStringLiteral("/opt/rx24")), QStringLiteral("/opt/rx24/"));
    EXPECT_EQ(PathUtility::withTrailingSeparator(QStringLiteral("/opt/rx24/")), QStringLiteral("/opt/rx24/"));
    EXPECT_EQ(PathUtility::withTrailingSeparator(QStringLiteral("C:\\rx24\\")), QStringLiteral("C:\\rx24\\"));
    EXPECT_EQ(PathUtility::withTrailingSeparator(QString()), QString());
}

TEST(PathUtilityTest, ProgramFolderIsTheExecutablesFolder)
{
    EXPECT_EQ(PathUtility::programFolder(), QCoreApplication::applicationDirPath() + QLatin1Char('/'));
}
