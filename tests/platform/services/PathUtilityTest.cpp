#include "platform/services/PathUtility.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
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

TEST(PathUtilityTest, DataBesideTheExecutableElseInTheInstalledShareFolder)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString bin = root.filePath(QStringLiteral("usr/bin"));
    const QString share = root.filePath(QStringLiteral("usr/share/tarvinaRX24"));
    ASSERT_TRUE(QDir().mkpath(bin));
    // Nothing anywhere: the executable's folder, where a message will say the file is missing.
    EXPECT_EQ(PathUtility::dataFolderOf(bin), bin + QLatin1Char('/'));
    ASSERT_TRUE(QDir().mkpath(share));
    EXPECT_EQ(PathUtility::dataFolderOf(bin), share + QLatin1Char('/'));
    // A program folder that holds its data files (the build tree) wins over an install.
    QFile marker(QDir(bin).filePath(QStringLiteral("tarvinaRX24.ini")));
    ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    marker.close();
    EXPECT_EQ(PathUtility::dataFolderOf(bin), bin + QLatin1Char('/'));
}
