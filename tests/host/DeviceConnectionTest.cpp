#include "host/DeviceConnection.h"

#include "HostFixture.h"
#include "host/CommandValidator.h"
#include "platform/AppError.h"

namespace {
const QString HallName = QStringLiteral("Demo\\LNS System.Floor 1\\RX24 Hall");
const QString StoreName = QStringLiteral("Demo\\LNS System.Floor 1\\RX24 Store");
} // namespace

class ConnectionStart : public HostFixture
{
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        LcaPlugIn::InitApp();
        ASSERT_FALSE(PlugInGlobals::TerminateRequested);
        ASSERT_EQ(PlugInGlobals::ObjectServer, m_server.get());
    }

    void start(int commandIndex, const QString &objectName, int connectMode = 0)
    {
        PlugInGlobals::CommandIndex = commandIndex;
        DeviceConnection::Start(objectName, connectMode);
    }

    // The status texts in the order they were set.
    QStringList statusTexts() const
    {
        QStringList texts;
        for (const QString &line : traces()) {
            if (line.startsWith(QStringLiteral("Status: ")))
                texts << line.mid(8);
        }
        return texts;
    }
};

TEST_F(ConnectionStart, DeviceIsFoundAndWindowStarts)
{
    start(1, HallName);
    EXPECT_TRUE(MessageBox::shownBoxes().isEmpty());
    EXPECT_FALSE(PlugInGlobals::TerminateRequested);
    EXPECT_EQ(window.calls, (QStringList{QStringLiteral("PrepareMenu"), QStringLiteral("SetOfferedTabs"),
                                         QStringLiteral("Start")}));
    EXPECT_EQ(window.menuCommandIndex, 1);
    EXPECT_EQ(window.tabMask, 0);
    ASSERT_TRUE(PlugInGlobals::Session.device);
    EXPECT_EQ(PlugInGlobals::Session.device->name(), QStringLiteral("RX24 Hall"));
    ASSERT_TRUE(PlugInGlobals::Session.lonMarkObjects);
    EXPECT_GT(PlugInGlobals::Session.lonMarkObjects->count(), 1);
    EXPECT_EQ(PlugInGlobals::Session.subsystem->name(), QStringLiteral("Floor 1"));
    EXPECT_EQ(PlugInGlobals::WindowTitle(), QStringLiteral("RX24 Hall"));
    EXPECT_EQ(statusTexts(), (QStringList{QStringLiteral("Connecting to LNS server ..."),
                                          QStringLiteral("Reading configuration ...")}));
    EXPECT_TRUE(m_server->isConnected());
}

TEST_F(ConnectionStart, UnknownDeviceGivesConsistencyErrorAfterDisconnecting)
{
    start(1, QStringLiteral("Demo\\LNS System.Floor 1\\RX24 Attic"));
    ASSERT_EQ(MessageBox::shownBoxes().size(), 1);
    const MessageBox::Shown shown = MessageBox::lastShown();
    EXPECT_EQ(
        shown.text,
        QStringLiteral("INI file consistency error !\n\nPlease reinstall and re-register the plug-in."));
    EXPECT_EQ(shown.icon, MessageBox::Icon::Critical);
    EXPECT_EQ(shown.title, QStringLiteral("RX24 Attic"));
    EXPECT_EQ(statusTexts().last(), QStringLiteral("Disconnecting from LNS server ..."));
    EXPECT_FALSE(m_server->isConnected());
    EXPECT_TRUE(PlugInGlobals::TerminateRequested);
    EXPECT_TRUE(PlugInGlobals::Ended);
    EXPECT_FALSE(window.calls.contains(QStringLiteral("Start")));
}

TEST_F(ConnectionStart, NamesReachingNoDeviceOfTheirOwnEndLikeAnUnknownDevice)
{
    // Each of these once opened RX24 Hall, or an empty window of a subsystem,
    // in place of what it named; the log says which level did not fit.
    for (const char *name :
         {"Demo", "Demo\\LNS System.Floor 2", "Demo\\Other System.Floor 1\\RX24 Hall", "Demo\\Other System",
          "Demo\\LNS System.Floor 9\\RX24 Hall", "Demo\\LNS System.Floor 1\\RX24 Hall\\anything",
          "Demo\\LNS System.Floor 1\\RX24 Hall / slash"}) {
        SCOPED_TRACE(name);
        const QString objectName = QString::fromUtf8(name);
        MessageBox::clearTestRecord();
        window.calls.clear();
        PlugInGlobals::TerminateRequested = false;
        LcaPlugIn::InitApp();
        EXPECT_NO_THROW(start(1, objectName));
        ASSERT_EQ(MessageBox::shownBoxes().size(), 1);
        EXPECT_EQ(
            MessageBox::lastShown().text,
            QStringLiteral("INI file consistency error !\n\nPlease reinstall and re-register the plug-in."));
        EXPECT_EQ(MessageBox::lastShown().icon, MessageBox::Icon::Critical);
        EXPECT_EQ(statusTexts().last(), QStringLiteral("Disconnecting from LNS server ..."));
        EXPECT_FALSE(m_server->isConnected());
        EXPECT_TRUE(PlugInGlobals::TerminateRequested);
        EXPECT_TRUE(PlugInGlobals::Ended);
        EXPECT_FALSE(window.calls.contains(QStringLiteral("Start")));
        EXPECT_FALSE(PlugInGlobals::Session.device);
        EXPECT_EQ(
            traces().filter(QStringLiteral("The object name \"") + objectName + QLatin1Char('"')).size(), 1);
    }
}

TEST_F(ConnectionStart, UnknownNetworkGivesProjectMessage)
{
    start(1, QStringLiteral("Nowhere\\LNS System.Floor 1\\RX24 Hall"));
    ASSERT_EQ(MessageBox::shownBoxes().size(), 1);
    EXPECT_EQ(MessageBox::lastShown().text,
              QStringLiteral("The project can not be opened !\n\nPlease close some LNS applications (e.g. "
                             "plug-ins) and retry."));
    EXPECT_EQ(MessageBox::lastShown().icon, MessageBox::Icon::Critical);
    EXPECT_TRUE(PlugInGlobals::TerminateRequested);
    EXPECT_TRUE(window.calls.isEmpty());
    // The box cannot say which project in which database; the log does.
    EXPECT_EQ(traces()
                  .filter(QStringLiteral("The project \"Nowhere\" cannot be opened in the network "
                                         "database \"") +
                          path("net.lnsdb"))
                  .size(),
              1);
}

TEST_F(ConnectionStart, RemoteModeCannotConnect)
{
    start(1, HallName, 1);
    ASSERT_EQ(MessageBox::shownBoxes().size(), 1);
    EXPECT_EQ(MessageBox::lastShown().text,
              QStringLiteral("The LNS server can not be opened ! tarvina RX24 is being closed."));
    EXPECT_EQ(MessageBox::lastShown().icon, MessageBox::Icon::Exclamation);
    EXPECT_TRUE(PlugInGlobals::TerminateRequested);
    EXPECT_TRUE(PlugInGlobals::Ended);
}

TEST_F(ConnectionStart, UnreachableDeviceHidesLiveTabsForConfiguration)
{
    start(1, StoreName);
    EXPECT_TRUE(MessageBox::shownBoxes().isEmpty());
    EXPECT_EQ(window.tabMask, 28);
    EXPECT_TRUE(window.calls.contains(QStringLiteral("Start")));
}

TEST_F(ConnectionStart, UnreachableDeviceRefusesOtherCommands)
{
    for (const int entry : {2, 3, 4}) {
        MessageBox::clearTestRecord();
        PlugInGlobals::TerminateRequested = false;
        LcaPlugIn::InitApp();
        start(entry, StoreName);
        ASSERT_EQ(MessageBox::shownBoxes().size(), 1) << entry;
        EXPECT_EQ(
            MessageBox::lastShown().text,
            QStringLiteral("The selected device is not accessible.\n\nThe plug-in will not be started."));
        EXPECT_EQ(MessageBox::lastShown().icon, MessageBox::Icon::Exclamation);
        EXPECT_TRUE(PlugInGlobals::TerminateRequested);
    }
    EXPECT_FALSE(window.calls.contains(QStringLiteral("Start")));
}

TEST_F(ConnectionStart, ReachableDeviceGetsTheEntrysTabs)
{
    start(3, HallName);
    EXPECT_TRUE(MessageBox::shownBoxes().isEmpty());
    EXPECT_EQ(window.menuCommandIndex, 3);
    EXPECT_EQ(window.tabMask, 27);
    EXPECT_EQ(DeviceConnection::OfferedTabsMask(2), 15);
    EXPECT_EQ(DeviceConnection::OfferedTabsMask(4), 23);
    EXPECT_EQ(DeviceConnection::OfferedTabsMask(100), 28);
    EXPECT_EQ(DeviceConnection::OfferedTabsMask(0), 0);
    EXPECT_EQ(DeviceConnection::OfferedTabsMask(5), 0);
}

class BrokenDatabase : public HostFixture
{
};

TEST_F(BrokenDatabase, CorruptFileIsNamedOnceWithItsCauseInTheUsersLanguage)
{
    PlugInGlobals::ObjectServerOverride = nullptr;
    QFile corrupt(path("corrupt.lnsdb"));
    ASSERT_TRUE(corrupt.open(QIODevice::WriteOnly));
    corrupt.write(QByteArray(4096, 'x'));
    corrupt.close();
    QSettings settings(path("registry.ini"), QSettings::IniFormat);
    settings.setValue(QStringLiteral("SOFTWARE/velto/LNS/DatabasePath"), path("corrupt.lnsdb"));
    settings.sync();

    struct Row
    {
        int language;
        QString box;
        QString cause;
    };
    const Row rows[] = {
        {0, QStringLiteral("The LNS server can not be opened ! tarvina RX24 is being closed."),
         QStringLiteral("The network database \"%1\" cannot be opened: it is not a database (file is not a "
                        "database) (error 4003)")},
        {1000, QStringLiteral("Der LNS-Server kann nicht geöffnet werden ! tarvina RX24 wird beendet."),
         QStringLiteral(
             "Die Netzwerkdatenbank \"%1\" kann nicht geöffnet werden: sie ist keine Datenbank (file is "
             "not a database) (Fehler 4003)")},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.language);
        settings.setValue(QStringLiteral("SOFTWARE/velto/koradesk Register/Options/Language"), row.language);
        settings.sync();
        MessageBox::clearTestRecord();
        LcaPlugIn::InitApp();
        EXPECT_EQ(PlugInGlobals::ObjectServer, nullptr);
        CommandValidator::ValidateCommand(13, 7, HallName);
        ASSERT_EQ(MessageBox::shownBoxes().size(), 1);
        EXPECT_EQ(MessageBox::lastShown().text, row.box);
        EXPECT_TRUE(PlugInGlobals::TerminateRequested);
        // The box keeps its text; the log names the file, once, and the reason.
        const QString cause = row.cause.arg(path("corrupt.lnsdb"));
        EXPECT_TRUE(traces().contains(cause)) << traces().join(QLatin1Char('\n')).toStdString();
    }
}
