#include "params/LogService.h"

#include "platform/services/Clock.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

class LogServiceTest : public ::testing::Test
{
protected:
    void SetUp() override { LogService::reset(); }
    void TearDown() override
    {
        Clock::setSource({});
        LogService::reset();
    }
    LogService &log = LogService::instance();
};

TEST_F(LogServiceTest, PureColoursAreDarkenedAndOnlyPureRedMarksAnError)
{
    log.WriteLogLine(QStringLiteral("g"), 65280);
    log.WriteLogLine(QStringLiteral("b"), 16711680);
    log.WriteLogLine(QStringLiteral("mixed"), 16711681);
    log.WriteLogLine(QStringLiteral("plain"));
    ASSERT_EQ(log.Lines().size(), 4);
    EXPECT_EQ(log.Lines().at(0).colour, 32768);
    EXPECT_EQ(log.Lines().at(1).colour, 192 << 16);
    EXPECT_EQ(log.Lines().at(2).colour, 16711681);
    EXPECT_EQ(log.Lines().at(3).colour, 0);
    // Only pure red marks an error, and the mark stays.
    log.WriteLogLine(QStringLiteral("almost"), 254);
    log.WriteLogLine(QStringLiteral("also not"), 255 + 256);
    EXPECT_FALSE(log.ErrorLogged());
    QSignalSpy spy(&log, &LogService::errorLoggedChanged);
    log.WriteLogLine(QStringLiteral("failed"), 255, true);
    EXPECT_TRUE(log.ErrorLogged());
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(log.Lines().last(), (LogLine{QStringLiteral("failed"), 255, true}));
    log.WriteLogLine(QStringLiteral("after"));
    EXPECT_TRUE(log.ErrorLogged());
}

TEST_F(LogServiceTest, TimePrefixComesFromTheClock)
{
    Clock::setSource([] { return QDateTime(QDate(2024, 5, 1), QTime(14, 3, 7)); });
    log.WriteLogLine(QStringLiteral("Start"), 0, false, true);
    EXPECT_EQ(log.Lines().last().text, QStringLiteral("14:03:07 - Start"));
    Clock::setSource([] { return QDateTime(QDate(2024, 5, 1), QTime(9, 0, 0)); });
    log.WriteLogLine(QStringLiteral("Morning"), 0, false, true);
    EXPECT_EQ(log.Lines().last().text, QStringLiteral("09:00:00 - Morning"));
    log.WriteLogLine(QStringLiteral("Untimed"));
    EXPECT_EQ(log.Lines().last().text, QStringLiteral("Untimed"));
}

TEST_F(LogServiceTest, BlankLinesFollowTheLine)
{
    QSignalSpy spy(&log, &LogService::lineAdded);
    log.WriteLogLine(QStringLiteral("x"), 65280, true, false, 2);
    ASSERT_EQ(log.Lines().size(), 3);
    EXPECT_EQ(log.Lines().at(1), LogLine{});
    EXPECT_EQ(log.Lines().at(2), LogLine{});
    EXPECT_EQ(spy.count(), 3);
}

TEST_F(LogServiceTest, NameListHasHeadingGreenNamesAndAnEmptyLine)
{
    log.LogNameList({QStringLiteral("FptIndex"), QStringLiteral("Scenes")});
    ASSERT_EQ(log.Lines().size(), 4);
    EXPECT_EQ(log.Lines().at(0).text, QStringLiteral("  The following config properties will be written:"));
    EXPECT_EQ(log.Lines().at(1), (LogLine{QStringLiteral("    - FptIndex"), 32768, false}));
    EXPECT_EQ(log.Lines().at(2).text, QStringLiteral("    - Scenes"));
    EXPECT_TRUE(log.Lines().at(3).text.isEmpty());
    log.LogNameList({});
    ASSERT_EQ(log.Lines().size(), 6);
    EXPECT_TRUE(log.Lines().at(5).text.isEmpty());
}

TEST_F(LogServiceTest, StateChangesAreAnnouncedAndResetClearsThem)
{
    QSignalSpy status(&log, &LogService::statusTextChanged);
    QSignalSpy apply(&log, &LogService::applyEnabledChanged);
    QSignalSpy changed(&log, &LogService::parametersChangedChanged);
    QSignalSpy show(&log, &LogService::showLoggerRequested);
    log.setStatusText(QStringLiteral("Ready."));
    log.setApplyEnabled(true);
    log.setParametersChanged(true);
    log.ShowLogger();
    EXPECT_EQ(status.count() + apply.count() + changed.count() + show.count(), 4);
    LogService::reset();
    EXPECT_FALSE(log.ParametersChanged());
    EXPECT_TRUE(log.Lines().isEmpty());
    EXPECT_TRUE(log.StatusText().isEmpty());
}

} // namespace
