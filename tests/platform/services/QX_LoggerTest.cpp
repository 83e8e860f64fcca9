#include "platform/services/QX_Logger.h"

#include <QFile>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QX_Logger::Config configIn(const QString &folder)
{
    QX_Logger::Config config;
    config.logFileName = QStringLiteral("test_platform.LOG");
    config.logFolder = folder;
    config.majorVersion = 2;
    config.minorVersion = 0;
    config.revision = 7;
    config.productName = QStringLiteral("tarvina RX24");
    return config;
}

QString readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}
} // namespace

TEST(QX_LoggerTest, WritesStampedLinesToTheLogFileAndLaterSessionsAppend)
{
    QTemporaryDir dir;
    QX_Logger logger;
    logger.configure(configIn(dir.path()));
    EXPECT_EQ(logger.logFilePath(), dir.filePath(QStringLiteral("test_platform.LOG")));
    logger.trace(QStringLiteral("[M_LcaPlugIn] Public Sub InitApp()"));
    logger.error(42, 4001, QStringLiteral("Item not found"), QStringLiteral("M_PlugIn"),
                 QStringLiteral("FetchCPs"));

    const QStringList lines = readAll(logger.logFilePath()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines.at(0).contains(QStringLiteral("tarvina RX24 2.0.7")));
    EXPECT_TRUE(lines.at(1).contains(QStringLiteral("[M_LcaPlugIn] Public Sub InitApp()")));
    // A time stamp leads every line.
    EXPECT_TRUE(QDateTime::fromString(lines.at(1).left(19), QStringLiteral("yyyy-MM-dd hh:mm:ss")).isValid());
    for (const QString &part :
         {QStringLiteral("42"), QStringLiteral("4001"), QStringLiteral("Item not found"),
          QStringLiteral("M_PlugIn"), QStringLiteral("FetchCPs")})
        EXPECT_TRUE(lines.at(2).contains(part)) << part.toStdString();
    // A later session appends.
    QX_Logger second;
    second.configure(configIn(dir.path()));
    second.trace(QStringLiteral("second"));
    const QString text = readAll(logger.logFilePath());
    EXPECT_TRUE(text.contains(QStringLiteral("InitApp")) && text.contains(QStringLiteral("second")));
}

TEST(QX_LoggerTest, UnwritableFolderFallsBackToDataLocation)
{
    QTemporaryDir dir;
    const QString blocker = dir.filePath(QStringLiteral("not-a-folder"));
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    QX_Logger logger;
    logger.configure(configIn(blocker + QStringLiteral("/sub")));
    const QString fallback = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    EXPECT_TRUE(logger.logFilePath().startsWith(fallback));
    logger.trace(QStringLiteral("still logged"));
    EXPECT_TRUE(readAll(logger.logFilePath()).contains(QStringLiteral("still logged")));
    QFile::remove(logger.logFilePath());
}

TEST(QX_LoggerTest, FileOutputOffWritesNoFile)
{
    QTemporaryDir dir;
    QX_Logger::Config config = configIn(dir.path());
    config.fileOutput = false;
    QX_Logger logger;
    logger.configure(config);
    logger.trace(QStringLiteral("memory only"));
    EXPECT_TRUE(logger.logFilePath().isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath(config.logFileName)));
    ASSERT_EQ(logger.entries().size(), 1);
    EXPECT_EQ(logger.entries().first().text, QStringLiteral("memory only"));
}

TEST(QX_LoggerTest, KeepsEntriesAndSignalsThemForTheWindow)
{
    QTemporaryDir dir;
    QX_Logger logger;
    logger.configure(configIn(dir.path()));
    QSignalSpy added(&logger, &QX_Logger::entryAdded);
    QSignalSpy show(&logger, &QX_Logger::showWindowRequested);
    logger.trace(QStringLiteral("t"));
    logger.error(7, 10000, QStringLiteral("INI - File Error : X"), QStringLiteral("M_LNS_Utilities"),
                 QStringLiteral("FetchLmoCp2"));
    logger.showLogWindow();
    EXPECT_EQ(added.count(), 2);
    EXPECT_EQ(show.count(), 1);
    ASSERT_EQ(logger.entries().size(), 2);
    const LogEntry &error = logger.entries().at(1);
    EXPECT_EQ(error.kind, LogEntry::Kind::Error);
    EXPECT_EQ(error.lineNumber, 7);
    EXPECT_EQ(error.errorNumber, 10000);
    EXPECT_EQ(error.moduleName, QStringLiteral("M_LNS_Utilities"));
    EXPECT_EQ(error.procedureName, QStringLiteral("FetchLmoCp2"));
    EXPECT_TRUE(error.time.isValid());
    logger.clearEntries();
    EXPECT_TRUE(logger.entries().isEmpty());
}
