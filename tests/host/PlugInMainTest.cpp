#include "HostFixture.h"
#include "host/PlugInProcess.h"

#include <QFileInfo>

class MainStart : public HostFixture
{
protected:
    void TearDown() override
    {
        qunsetenv("DBUS_STARTER_BUS_TYPE");
        HostFixture::TearDown();
    }
};

TEST_F(MainStart, NoOptionsShowsAboutAndRegistersItself)
{
    PlugInMain::Main(QString());
    EXPECT_EQ(window.calls, QStringList{QStringLiteral("ShowAbout")});
    EXPECT_EQ(started, QStringList{path("bin/tarvinaRX24") + QStringLiteral(" /regserver")});
    EXPECT_TRUE(PlugInGlobals::Ended);
    EXPECT_TRUE(traces().contains(QStringLiteral("[M_PlugIn] Public Sub Main()")));
}

TEST_F(MainStart, CommandWithoutObjectNameIsNotRun)
{
    PlugInMain::Main(QStringLiteral(" /CLASSID:7 /COMMANDID:13"));
    EXPECT_EQ(window.calls, QStringList{QStringLiteral("ShowAbout")});
    EXPECT_EQ(started.size(), 1);
    EXPECT_EQ(PlugInGlobals::CommandIndex, 0);
}

TEST_F(MainStart, DirectorCommandLineOpensTheDevice)
{
    PlugInMain::Main(
        QStringLiteral(" /COMMANDID:13 /CLASSID:7 /OBJECTNAME:Demo\\LNS System.Floor 1\\RX24 Hall"));
    EXPECT_EQ(PlugInGlobals::CommandIndex, 1);
    EXPECT_EQ(PlugInGlobals::ObjectName, QStringLiteral("Demo\\LNS System.Floor 1\\RX24 Hall"));
    EXPECT_TRUE(window.calls.contains(QStringLiteral("Start")));
    EXPECT_TRUE(started.isEmpty());
}

TEST_F(MainStart, RemoteOptionsReachTheGlobals)
{
    PlugInMain::Main(QStringLiteral(
        " /REMOTE /NI:Internet/COMMANDID:13/CLASSID:7/OBJECTNAME:Demo\\LNS System.Floor 1\\RX24 Hall"));
    EXPECT_TRUE(PlugInGlobals::Remote);
    EXPECT_EQ(PlugInGlobals::NetworkInterfaceName, QStringLiteral("Internet"));
    // The local network database serves no remote connection.
    EXPECT_EQ(MessageBox::lastShown().text,
              QStringLiteral("The LNS server can not be opened ! tarvina RX24 is being closed."));
}

TEST_F(MainStart, StandaloneStartsTheWindowWithoutLns)
{
    PlugInMain::Main(QStringLiteral(" /S /UNREG"));
    EXPECT_EQ(PlugInGlobals::CommandIndex, 100);
    EXPECT_EQ(window.tabMask, 28);
    EXPECT_TRUE(window.calls.contains(QStringLiteral("Start")));
    EXPECT_TRUE(PlugInGlobals::Status->isVisible());
    EXPECT_FALSE(PlugInGlobals::UnregisterRequested);
    EXPECT_FALSE(PlugInGlobals::Ended);
    EXPECT_FALSE(m_server->isConnected());
}

TEST_F(MainStart, DirectStartShowsNoStatusWindow)
{
    PlugInMain::Main(QStringLiteral(" /KLAR3904"));
    EXPECT_EQ(PlugInGlobals::CommandIndex, 100);
    EXPECT_TRUE(window.calls.contains(QStringLiteral("Start")));
    EXPECT_FALSE(PlugInGlobals::Status->isVisible());
}

TEST_F(MainStart, AutomationStartReadsNothing)
{
    qputenv("DBUS_STARTER_BUS_TYPE", "session");
    PlugInMain::Main(QStringLiteral(" /S"));
    EXPECT_FALSE(PlugInGlobals::Logger);
    EXPECT_EQ(PlugInGlobals::CommandIndex, 0);
    EXPECT_TRUE(window.calls.isEmpty());
}

TEST_F(MainStart, FailedInitReturnsBeforeReadingOptions)
{
    ASSERT_TRUE(QFile::remove(path("prog/tarvinaRX24.ini")));
    PlugInMain::Main(QStringLiteral(" /S"));
    EXPECT_EQ(PlugInGlobals::CommandIndex, 0);
    EXPECT_TRUE(window.calls.isEmpty());
}

TEST_F(MainStart, ProcessWithoutWindowEndsAndRunsNoEventLoop)
{
    bool looped = false;
    const int code = PlugInProcess::run(
        {QStringLiteral("/COMMANDID:13"), QStringLiteral("/CLASSID:28"), QStringLiteral("/OBJECTNAME:Demo")},
        window, [&] {
            looped = true;
            return 3;
        });
    // The refused command is a failed start.
    EXPECT_EQ(code, PlugInProcess::FailedStart);
    EXPECT_FALSE(looped);
    EXPECT_FALSE(PlugInGlobals::Logger); // everything released
}

TEST_F(MainStart, ProcessWithWindowRunsTheEventLoop)
{
    const int code = PlugInProcess::run({QStringLiteral("/S")}, window, [] { return 3; });
    EXPECT_EQ(code, 3);
    EXPECT_TRUE(QFileInfo::exists(path("share/dbus-1/services/veltoTarvinaRX24.Application.service")));
    EXPECT_EQ(PlugInProcess::commandLineText({QStringLiteral("/S"), QStringLiteral("x y")}),
              QStringLiteral(" /S x y"));
    EXPECT_TRUE(PlugInProcess::commandLineText({}).isEmpty());
}
