#include "platform/services/RegistryUtility.h"

#include "platform/services/SettingsBatch.h"
#include "platform/services/SettingsLocation.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
const QString ProductLine = QStringLiteral("SOFTWARE\\velto\\koradesk Register\\Options");
const QString ProductKey = QStringLiteral("SOFTWARE\\velto\\tarvina RX24");

class RegistryUtilityTest : public ::testing::Test
{
protected:
    void SetUp() override { SettingsLocation::setFilePath(m_dir.filePath(QStringLiteral("registry.ini"))); }
    void TearDown() override { SettingsLocation::setFilePath(QString()); }

    QTemporaryDir m_dir;
};
} // namespace

TEST_F(RegistryUtilityTest, MissingValueGivesDefault)
{
    EXPECT_EQ(RegistryUtility::read(ProductLine, QStringLiteral("Language"), QStringLiteral("0")),
              QStringLiteral("0"));
    EXPECT_FALSE(RegistryUtility::contains(ProductLine, QStringLiteral("Language")));
}

TEST_F(RegistryUtilityTest, WrittenValueReadsBack)
{
    RegistryUtility::write(ProductLine, QStringLiteral("Language"), QStringLiteral("1000"));
    EXPECT_EQ(RegistryUtility::read(ProductLine, QStringLiteral("Language"), QStringLiteral("0")),
              QStringLiteral("1000"));
    // Slash and backslash spellings are the same key.
    EXPECT_EQ(RegistryUtility::read(QStringLiteral("SOFTWARE/velto/koradesk Register/Options"),
                                    QStringLiteral("Language")),
              QStringLiteral("1000"));
}

TEST_F(RegistryUtilityTest, DeleteKeyRemovesSubKeysButNotSiblings)
{
    RegistryUtility::write(ProductKey + QStringLiteral("\\Settings"), QStringLiteral("Top"),
                           QStringLiteral("120"));
    RegistryUtility::write(ProductKey + QStringLiteral("\\Options"), QStringLiteral("Language"),
                           QStringLiteral("0"));
    RegistryUtility::write(ProductLine, QStringLiteral("Language"), QStringLiteral("1000"));
    RegistryUtility::deleteKey(ProductKey);
    EXPECT_FALSE(RegistryUtility::contains(ProductKey + QStringLiteral("\\Settings"), QStringLiteral("Top")));
    EXPECT_EQ(RegistryUtility::read(ProductKey + QStringLiteral("\\Settings"), QStringLiteral("Top"),
                                    QStringLiteral("-1")),
              QStringLiteral("-1"));
    EXPECT_EQ(RegistryUtility::read(ProductLine, QStringLiteral("Language")), QStringLiteral("1000"));
}

TEST_F(RegistryUtilityTest, DeletingTheRootKeyIsRefused)
{
    RegistryUtility::write(ProductLine, QStringLiteral("Language"), QStringLiteral("1000"));
    RegistryUtility::deleteKey(QStringLiteral("\\"));
    EXPECT_EQ(RegistryUtility::read(ProductLine, QStringLiteral("Language")), QStringLiteral("1000"));
}

TEST_F(RegistryUtilityTest, GroupPathDropsEmptyLevels)
{
    EXPECT_EQ(RegistryUtility::groupPath(QStringLiteral("\\SOFTWARE\\\\velto\\")),
              QStringLiteral("SOFTWARE/velto"));
}

// Values written together reach the disk when the batch ends, all of them;
// a batch that finds every value in place leaves the file alone.
TEST_F(RegistryUtilityTest, ABatchWritesWhatChangedWhenItEnds)
{
    const QString file = SettingsLocation::filePath();
    const QString settingsKey = ProductKey + QStringLiteral("\\Settings");
    {
        SettingsBatch batch;
        batch.write(settingsKey, QStringLiteral("Top"), QStringLiteral("120"));
        batch.write(settingsKey, QStringLiteral("Left"), QStringLiteral("240"));
    }
    QFile text(file);
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    const QByteArray content = text.readAll();
    EXPECT_TRUE(content.contains("Top=120") && content.contains("Left=240")) << content.toStdString();
    text.close();

    const QDateTime old = QDateTime::currentDateTime().addDays(-1);
    ASSERT_TRUE(text.open(QIODevice::ReadWrite) && text.setFileTime(old, QFileDevice::FileModificationTime));
    text.close();
    {
        SettingsBatch batch;
        batch.write(settingsKey, QStringLiteral("Top"), QStringLiteral("120"));
        batch.write(settingsKey, QStringLiteral("Left"), QStringLiteral("240"));
        EXPECT_FALSE(batch.changed());
    }
    RegistryUtility::write(settingsKey, QStringLiteral("Top"), QStringLiteral("120"));
    EXPECT_EQ(QFileInfo(file).lastModified(), old);

    RegistryUtility::write(settingsKey, QStringLiteral("Top"), QStringLiteral("360"));
    EXPECT_GT(QFileInfo(file).lastModified(), old);
    EXPECT_EQ(RegistryUtility::read(settingsKey, QStringLiteral("Top")), QStringLiteral("360"));
    EXPECT_EQ(RegistryUtility::read(settingsKey, QStringLiteral("Left")), QStringLiteral("240"));
}
