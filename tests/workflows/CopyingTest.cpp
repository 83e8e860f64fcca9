// Copying the open device's parameter set to devices chosen from the project.
#include "WorkflowFixture.h"
#include "support/ScriptedDeviceSelection.h"

namespace {

class Copying : public WorkflowFixture
{
protected:
    void SetUp() override
    {
        WorkflowFixture::SetUp();
        const DeviceInterface rx24 =
            DeviceInterfaceFile::parse(QStringLiteral(RX24_SOURCE_DIR "/resources/data/RX24.xif"));
        m_server->connectServer(0);
        m_server->addDevice(QStringLiteral("Demo"), QStringLiteral("LNS System.Floor 1"),
                            QStringLiteral("RX24 Office"), rx24);
        m_server->addDevice(QStringLiteral("Demo"), QStringLiteral("LNS System.Floor 2"),
                            QStringLiteral("RX24 Lab"), rx24);
        m_server->disconnectServer();
    }
    QStringList cpsOf(const QString &deviceName)
    {
        NetworkDatabase other(path("net.lnsdb"), NetworkDatabase::OpenMode::ReadOnly);
        other.connectServer(0);
        const QString subsystem = deviceName == QStringLiteral("RX24 Lab")
                                      ? QStringLiteral("LNS System.Floor 2")
                                      : QStringLiteral("LNS System.Floor 1");
        return DeviceState::of(other.device(QStringLiteral("Demo"), subsystem, deviceName), false, false);
    }
    // The log from the last line with this text on.
    static QList<LogLine> linesFrom(const QString &first)
    {
        const QList<LogLine> &all = LogService::instance().Lines();
        for (qsizetype i = all.size() - 1; i >= 0; --i) {
            if (all.at(i).text == first)
                return all.mid(i);
        }
        return {};
    }
};

TEST_F(Copying, TheSetReachesEveryChosenDeviceThatAnswersAndTheLogNamesTheOneThatDidNot)
{
    configureLightAndSwitch();
    ASSERT_TRUE(config().WriteParameters());
    const QStringList set = cpsOf(QStringLiteral("RX24 Hall"));
    const QStringList storeBefore = cpsOf(QStringLiteral("RX24 Store"));
    int searches = 0;
    MultiDeviceSelection::setFactory([&searches] {
        ++searches;
        return std::make_unique<ScriptedDeviceSelection>(QStringList{
            QStringLiteral("RX24 Lab"), QStringLiteral("RX24 Office"), QStringLiteral("RX24 Store")});
    });
    LogService::instance().setParametersChanged(false);

    config().WriteParametersEx();
    EXPECT_EQ(searches, 1);
    EXPECT_EQ(DeviceState::difference(set, cpsOf(QStringLiteral("RX24 Office"))), "");
    EXPECT_EQ(DeviceState::difference(set, cpsOf(QStringLiteral("RX24 Lab"))), "");
    EXPECT_EQ(DeviceState::difference(storeBefore, cpsOf(QStringLiteral("RX24 Store"))), "");

    // The devices in the order found, each under its subsystem, the one that
    // did not answer followed by the red line.
    const QList<LogLine> log = linesFrom(ResourceStrings::LoadResString(1554) + QStringLiteral("  "));
    QStringList headings;
    for (const LogLine &line : log.mid(5)) {
        if (line.text.trimmed().startsWith(QLatin1Char('-')) || line.colour == LogService::Red)
            headings << line.text;
    }
    EXPECT_EQ(headings,
              (QStringList{QStringLiteral("  - LNS System.Floor 1"), QStringLiteral("    - RX24 Office"),
                           QStringLiteral("    - RX24 Store"),
                           QStringLiteral("Device \"RX24 Store\" does not answer (test request 4)."),
                           ResourceStrings::LoadResString(1535), QStringLiteral("  - LNS System.Floor 2"),
                           QStringLiteral("    - RX24 Lab")}));
    EXPECT_EQ(log.at(5).colour, LogService::displayColour(LogService::Green));
    EXPECT_TRUE(log.at(5).bold);
    EXPECT_EQ(log.last().text, ResourceStrings::LoadResString(1551, 2));
    EXPECT_TRUE(LogService::instance().ApplyEnabled());
    EXPECT_EQ(LogService::instance().StatusText(), QStringLiteral("Ready."));
}

// Another client holds the database for the whole copy: no target takes
// part of the set one statement at a time; each keeps its old set and the
// log says the database was busy.
TEST_F(Copying, ABusyDatabaseLeavesEveryTargetWithItsOldSet)
{
    configureLightAndSwitch();
    ASSERT_TRUE(config().WriteParameters());
    const QStringList office = cpsOf(QStringLiteral("RX24 Office"));
    const QStringList lab = cpsOf(QStringLiteral("RX24 Lab"));
    MultiDeviceSelection::setFactory([] {
        return std::make_unique<ScriptedDeviceSelection>(
            QStringList{QStringLiteral("RX24 Office"), QStringLiteral("RX24 Lab")});
    });
    NetworkDatabase other(path("net.lnsdb"));
    other.connectServer(0);
    auto otherNetwork = other.openNetwork(QStringLiteral("Demo"), false);
    otherNetwork->system()->startTransaction();
    config().WriteParametersEx();
    otherNetwork->system()->cancelTransaction();

    EXPECT_EQ(DeviceState::difference(office, cpsOf(QStringLiteral("RX24 Office"))), "");
    EXPECT_EQ(DeviceState::difference(lab, cpsOf(QStringLiteral("RX24 Lab"))), "");
    EXPECT_EQ(redLines().filter(QStringLiteral("is busy")).size(), 2)
        << redLines().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(redLines().count(ResourceStrings::LoadResString(1535)), 2);
    EXPECT_FALSE(PlugInGlobals::Session.system->inTransaction());
}

TEST_F(Copying, NothingChosenWritesNothing)
{
    open();
    const QStringList office = cpsOf(QStringLiteral("RX24 Office"));
    MultiDeviceSelection::setFactory([] { return std::make_unique<ScriptedDeviceSelection>(); });
    config().WriteParametersEx();
    EXPECT_EQ(DeviceState::difference(office, cpsOf(QStringLiteral("RX24 Office"))), "");
    EXPECT_TRUE(redLines().isEmpty());
}

TEST(DeviceHeadingRule, ThePathIsRepeatedOnlyForANewSubsystemOrAfterTheGap)
{
    LogService::reset();
    DeviceHeading heading(LogService::instance());
    QTime at(9, 0, 0);
    Clock::setSource([&at] { return QDateTime(QDate(2026, 1, 5), at); });
    const auto write = [&heading](const QString &path, const QString &name) {
        heading.WriteNamed(path, name, nullptr, true, 15.0);
    };
    write(QStringLiteral("S.A"), QStringLiteral("one"));
    write(QStringLiteral("S.A"), QStringLiteral("two"));
    write(QStringLiteral("S.B"), QStringLiteral("three"));
    at = at.addSecs(16);
    write(QStringLiteral("S.B"), QStringLiteral("three"));
    at = at.addSecs(10);
    write(QStringLiteral("S.B"), QStringLiteral("three"));
    Clock::setSource({});
    QStringList texts;
    for (const LogLine &line : LogService::instance().Lines())
        texts << line.text;
    EXPECT_EQ(texts, (QStringList{QStringLiteral("  - S.A"), QStringLiteral("    - one"),
                                  QStringLiteral("    - two"), QStringLiteral("  - S.B"),
                                  QStringLiteral("    - three"), QStringLiteral("  - S.B"),
                                  QStringLiteral("    - three")}));
}

} // namespace
