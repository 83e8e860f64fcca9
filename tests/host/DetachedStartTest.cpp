#include "host/DetachedStart.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

// The self-registration's second process runs in a session of its own; a
// program that cannot be started is reported at once.
TEST(DetachedStartTest, TheProgramRunsInItsOwnSessionAndAMissingOneIsReported)
{
    QTemporaryDir dir;
    const QString mark = dir.filePath(QStringLiteral("started"));
    // Field 6 of /proc/<pid>/stat is the session.
    ASSERT_TRUE(DetachedStart::start(
        QStringLiteral("/bin/sh"),
        {QStringLiteral("-c"),
         QStringLiteral("echo $$ $(cut -d' ' -f6 /proc/$$/stat) > '%1.tmp' && mv '%1.tmp' '%1'").arg(mark)}));
    ASSERT_TRUE(QTest::qWaitFor([&mark] { return QFile::exists(mark); }, 10000));
    QFile file(mark);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> ids = file.readAll().trimmed().split(' ');
    ASSERT_EQ(ids.size(), 2);
    EXPECT_EQ(ids.at(0), ids.at(1)) << "the process leads a session of its own";

    EXPECT_FALSE(DetachedStart::start(dir.filePath(QStringLiteral("missing")), {}));
}
