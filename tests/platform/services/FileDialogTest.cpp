#include "platform/services/FileDialog.h"

#include <gtest/gtest.h>

namespace {
class FileDialogTest : public ::testing::Test
{
protected:
    void SetUp() override { FileDialog::clearTestRecord(); }
    void TearDown() override { FileDialog::clearTestRecord(); }
};
} // namespace

TEST_F(FileDialogTest, QueuedPathsAnswerAndRequestsAreRecorded)
{
    FileDialog::queueAnswer(QStringLiteral("/tmp/a.dat"));
    EXPECT_EQ(FileDialog::getSaveFileName(QStringLiteral("Save"), QStringLiteral("Parameter files (*.dat)"),
                                          QStringLiteral("/tmp")),
              QStringLiteral("/tmp/a.dat"));
    // Nothing queued: the user cancelled.
    EXPECT_EQ(FileDialog::getOpenFileName(QStringLiteral("Open"), QString(), QStringLiteral("/home")),
              QString());
    const QList<FileDialog::Request> requests = FileDialog::requests();
    ASSERT_EQ(requests.size(), 2);
    EXPECT_EQ(requests.at(0).kind, FileDialog::Kind::Save);
    EXPECT_EQ(requests.at(0).title, QStringLiteral("Save"));
    EXPECT_EQ(requests.at(0).filter, QStringLiteral("Parameter files (*.dat)"));
    EXPECT_EQ(requests.at(1).kind, FileDialog::Kind::Open);
    EXPECT_EQ(requests.at(1).startFolder, QStringLiteral("/home"));
}

TEST_F(FileDialogTest, ClassicFiltersBecomeQtFilters)
{
    EXPECT_EQ(FileDialog::qtFilter(QStringLiteral("Parameter files|*.dat|All files|*.*")),
              QStringLiteral("Parameter files (*.dat);;All files (*.*)"));
    EXPECT_EQ(FileDialog::qtFilter(QStringLiteral("Data (*.dat)|*.dat")), QStringLiteral("Data (*.dat)"));
    EXPECT_EQ(FileDialog::qtFilter(QStringLiteral("Both|*.dat;*.ini")), QStringLiteral("Both (*.dat *.ini)"));
    EXPECT_EQ(FileDialog::qtFilter(QStringLiteral("Qt (*.dat)")), QStringLiteral("Qt (*.dat)"));
}

TEST_F(FileDialogTest, ASaveAddsTheSuffixOfTheFirstFilterOnly)
{
    EXPECT_EQ(FileDialog::defaultSuffix(QStringLiteral("Data (*.dat)|*.dat|All (*.*)|*.*")),
              QStringLiteral("dat"));
    EXPECT_EQ(FileDialog::defaultSuffix(QStringLiteral("Both (*.ini *.dat)")), QStringLiteral("ini"));
    EXPECT_EQ(FileDialog::defaultSuffix(QStringLiteral("All|*.*|Data|*.dat")), QString());
}
