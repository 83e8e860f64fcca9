#include "HostFixture.h"
#include "host/AppVersion.h"
#include "host/ElapsedClock.h"
#include "host/FileExists.h"
#include "host/HelpDisplay.h"
#include "host/HelpViewer.h"
#include "platform/AppError.h"

#include <QFileInfo>

class ApplicationStart : public HostFixture
{
};

TEST_F(ApplicationStart, InitAppFillsTheGlobals)
{
    LcaPlugIn::InitApp();
    EXPECT_FALSE(PlugInGlobals::TerminateRequested);
    EXPECT_EQ(PlugInGlobals::HelpFilePath, path("prog/help/en/index.html"));
    EXPECT_TRUE(PlugInGlobals::HelpAvailable);
    EXPECT_EQ(PlugInGlobals::ObjectServer, m_server.get());
    EXPECT_FALSE(m_server->isConnected()); // the probe leaves it as it found it
    ASSERT_TRUE(PlugInGlobals::Status);
    EXPECT_FALSE(PlugInGlobals::Status->isVisible());
    EXPECT_EQ(traces().first(), QStringLiteral("[M_LcaPlugIn] Public Sub InitApp()"));
    EXPECT_EQ(PlugInGlobals::Logger->logFilePath(), path("prog/tarvinaRX24.LOG"));
    EXPECT_TRUE(QFileInfo::exists(path("prog/tarvinaRX24.LOG")));
}

TEST_F(ApplicationStart, CommandTableHasOnlyTheConfigurationEntry)
{
    LcaPlugIn::InitApp();
    EXPECT_TRUE(PlugInGlobals::Command(1).Enabled);
    for (int i = 2; i <= 4; ++i)
        EXPECT_FALSE(PlugInGlobals::Command(i).Enabled) << i;
    EXPECT_THROW(PlugInGlobals::Command(5), AppError);
}

TEST_F(ApplicationStart, GermanLanguageFromTheSharedKeyEnglishWithout)
{
    QSettings(path("registry.ini"), QSettings::IniFormat)
        .setValue(QStringLiteral("SOFTWARE/velto/koradesk Register/Options/Language"),
                  QStringLiteral("1000"));
    LcaPlugIn::InitApp();
    EXPECT_EQ(ResourceStrings::LanguageOffset(), 1000);
    EXPECT_EQ(ResourceStrings::LoadResString(1504, 2),
              QStringLiteral("Verbindung zum LNS-Server wird hergestellt ..."));
    EXPECT_NE(PlugInGlobals::Command(1).Name, QStringLiteral("configure velto tarvina RX24"));
    EXPECT_EQ(PlugInGlobals::HelpFilePath, path("prog/help/de/index.html"));
    // Without the key, and with a value that selects no language, the texts are English.
    for (const char *value : {"", "5", "2000", "-1000", "German"}) {
        SCOPED_TRACE(value);
        QSettings settings(path("registry.ini"), QSettings::IniFormat);
        settings.clear();
        if (*value)
            settings.setValue(QStringLiteral("SOFTWARE/velto/koradesk Register/Options/Language"),
                              QString::fromUtf8(value));
        settings.sync();
        LcaPlugIn::InitApp();
        EXPECT_EQ(ResourceStrings::LanguageOffset(), 0);
        EXPECT_EQ(PlugInGlobals::Command(1).Name, QStringLiteral("configure velto tarvina RX24"));
        EXPECT_EQ(PlugInGlobals::HelpFilePath, path("prog/help/en/index.html"));
    }
}

TEST_F(ApplicationStart, MissingDescriptionFileEndsButRegistersAgain)
{
    ASSERT_TRUE(QFile::remove(path("prog/tarvinaRX24.ini")));
    PlugInGlobals::ObjectServerOverride = nullptr;
    QSettings(path("registry.ini"), QSettings::IniFormat)
        .setValue(QStringLiteral("SOFTWARE/velto/LNS/DatabasePath"), path("fresh/net.lnsdb"));

    LcaPlugIn::InitApp();
    ASSERT_EQ(MessageBox::shownBoxes().size(), 1);
    const MessageBox::Shown shown = MessageBox::lastShown();
    EXPECT_EQ(shown.text, QStringLiteral("The INI file does not exist :\n\n") + path("prog/tarvinaRX24.ini"));
    EXPECT_EQ(shown.icon, MessageBox::Icon::Critical);
    EXPECT_TRUE(PlugInGlobals::TerminateRequested);
    EXPECT_TRUE(PlugInGlobals::Ended);
    // Every end registers again; only the database is not created.
    EXPECT_TRUE(traces().contains(QStringLiteral("[M_PlugIn] Public Sub Register()")));
    EXPECT_TRUE(QFileInfo::exists(ServerRegistrationStore::serviceFilePath(AppVersion::ProgId())));
    EXPECT_FALSE(QFileInfo::exists(path("fresh")));
}

TEST_F(ApplicationStart, EndAppTracesClosesAndUnloads)
{
    LcaPlugIn::InitApp();
    PlugInGlobals::CommandIndex = 1;
    window.loaded = true;
    bool monitoringSwitchedOff = false;
    PlugInGlobals::SetMonitoring = [&](bool on) { monitoringSwitchedOff = !on; };
    m_server->connectServer(0);
    PlugInGlobals::Session.objectServer = m_server.get();

    LcaPlugIn::EndApp();
    EXPECT_TRUE(traces().contains(QStringLiteral("[M_LcaPlugIn] Public Sub EndApp()")));
    EXPECT_TRUE(traces().contains(QStringLiteral("[M_PlugIn] Public Sub Register()")));
    EXPECT_TRUE(monitoringSwitchedOff);
    EXPECT_FALSE(m_server->isConnected());
    EXPECT_EQ(window.calls, QStringList{QStringLiteral("Unload")});
    EXPECT_EQ(PlugInGlobals::ObjectServer, nullptr);
    EXPECT_FALSE(PlugInGlobals::Status);
    EXPECT_FALSE(PlugInGlobals::Utility);
    EXPECT_TRUE(PlugInGlobals::Ended);
}

TEST_F(ApplicationStart, EndAppKeepsTheDirectorsConnection)
{
    LcaPlugIn::InitApp();
    PlugInGlobals::StartedFromLnsObject = true;
    m_server->connectServer(0);
    PlugInGlobals::Session.objectServer = m_server.get();
    LcaPlugIn::EndApp();
    EXPECT_TRUE(m_server->isConnected());
}

TEST_F(ApplicationStart, EndAppGoesOnAfterFailingSteps)
{
    LcaPlugIn::InitApp();
    window.loaded = true;
    PlugInGlobals::SetMonitoring = [](bool) {
        throw AppError(91, QStringLiteral("cMonitoring"), QStringLiteral("Object variable not set"));
    };
    LcaPlugIn::EndApp();
    EXPECT_EQ(errorProcedures(), QStringList{QStringLiteral("M_LcaPlugIn.EndApp")});
    EXPECT_TRUE(window.calls.contains(QStringLiteral("Unload")));
    EXPECT_EQ(PlugInGlobals::ObjectServer, nullptr);
    EXPECT_FALSE(PlugInGlobals::Status);
    EXPECT_TRUE(PlugInGlobals::Ended);
}

TEST_F(ApplicationStart, UnregisterRequestedSuppressesReRegistration)
{
    LcaPlugIn::InitApp();
    PlugInGlobals::UnregisterRequested = true;
    LcaPlugIn::EndApp();
    EXPECT_FALSE(traces().contains(QStringLiteral("[M_PlugIn] Public Sub Register()")));
    EXPECT_FALSE(QFileInfo::exists(ServerRegistrationStore::serviceFilePath(AppVersion::ProgId())));
}

TEST(ElapsedTime, CountsSecondsAlsoAcrossMidnight)
{
    Clock::setSource([] { return QDateTime(QDate(2024, 1, 1), QTime(8, 0, 0)); });
    ElapsedClock clock;
    clock.start();
    Clock::setSource([] { return QDateTime(QDate(2024, 1, 1), QTime(8, 0, 2, 500)); });
    EXPECT_DOUBLE_EQ(clock.elapsed(), 2.5);
    // A run across midnight counts forward.
    Clock::setSource([] { return QDateTime(QDate(2024, 1, 1), QTime(23, 59, 59)); });
    clock.start();
    Clock::setSource([] { return QDateTime(QDate(2024, 1, 2), QTime(0, 0, 1)); });
    EXPECT_DOUBLE_EQ(clock.elapsed(), 2.0);
    Clock::setSource({});
}

TEST(FileCheck, ExistsOnlyForReadableFiles)
{
    QTemporaryDir dir;
    EXPECT_FALSE(FileExists(dir.filePath(QStringLiteral("none.txt"))));
    EXPECT_FALSE(FileExists(dir.path()));
    EXPECT_FALSE(FileExists(QString()));
    QFile file(dir.filePath(QStringLiteral("a.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_TRUE(FileExists(file.fileName()));
}

namespace {
class RecordingHelpViewer : public HelpViewer
{
public:
    QStringList shown;
    bool opens = true;
    bool show(const QString &path, int topic) override
    {
        shown << path + QLatin1Char('#') + QString::number(topic);
        return opens;
    }
};
} // namespace

class HelpShow : public HostFixture
{
protected:
    RecordingHelpViewer viewer;
};

TEST_F(HelpShow, ExistingManualIsShownAtTopic)
{
    PlugInGlobals::Help = &viewer;
    const QString manual = path("prog/tarvinaRX24.ini");
    EXPECT_TRUE(HelpDisplay::ShowHelp(manual, 1002));
    EXPECT_EQ(viewer.shown, QStringList{manual + QStringLiteral("#1002")});
    EXPECT_TRUE(MessageBox::shownBoxes().isEmpty());
}

TEST(ManualForLanguage, TheLanguageFolderGoesInFrontOfTheFileName)
{
    const QString manual = QStringLiteral("/opt/rx24/help/index.html");
    EXPECT_EQ(HelpDisplay::ManualForLanguage(manual, 0), QStringLiteral("/opt/rx24/help/en/index.html"));
    EXPECT_EQ(HelpDisplay::ManualForLanguage(manual, 1000), QStringLiteral("/opt/rx24/help/de/index.html"));
    // An INI file of an older version names a manual without a folder.
    EXPECT_EQ(HelpDisplay::ManualForLanguage(QStringLiteral("/opt/rx24/old.html"), 1000),
              QStringLiteral("/opt/rx24/de/old.html"));
    EXPECT_EQ(HelpDisplay::ManualForLanguage(QStringLiteral("index.html"), 0),
              QStringLiteral("en/index.html"));
    EXPECT_EQ(HelpDisplay::ManualForLanguage(QString(), 0), QString());
}

TEST_F(HelpShow, MissingManualGivesMessage1425)
{
    PlugInGlobals::Help = &viewer;
    const QString manual = path("prog/none.html");
    EXPECT_FALSE(HelpDisplay::ShowHelp(manual, -1));
    EXPECT_TRUE(viewer.shown.isEmpty());
    EXPECT_EQ(MessageBox::lastShown().text,
              QStringLiteral("The help file \"") + manual + QStringLiteral("\" was not found !"));
    EXPECT_EQ(MessageBox::lastShown().icon, MessageBox::Icon::Critical);
}

TEST_F(HelpShow, NoHelpWindowGivesMessage1426)
{
    EXPECT_FALSE(HelpDisplay::ShowHelp(path("prog/tarvinaRX24.ini"), -1));
    EXPECT_TRUE(
        MessageBox::lastShown().text.startsWith(QStringLiteral("At least one of the required components")));
}

TEST_F(ApplicationStart, DatabaseNotCreatedYetIsLeftToTheFirstConnection)
{
    PlugInGlobals::ObjectServerOverride = nullptr;
    QSettings(path("registry.ini"), QSettings::IniFormat)
        .setValue(QStringLiteral("SOFTWARE/velto/LNS/DatabasePath"), path("fresh/net.lnsdb"));
    LcaPlugIn::InitApp();
    EXPECT_NE(PlugInGlobals::ObjectServer, nullptr);
    EXPECT_FALSE(QFileInfo::exists(path("fresh")));
}
