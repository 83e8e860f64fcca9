#pragma once

#include "host/DeviceAccess.h"
#include "host/LcaPlugIn.h"
#include "host/MainWindowHost.h"
#include "host/PlugInGlobals.h"
#include "host/PlugInMain.h"
#include "host/ResourceStrings.h"
#include "host/ServerRegistration.h"
#include "host/ServerRegistrationStore.h"
#include "platform/netdb/DeviceInterfaceFile.h"
#include "platform/netdb/NetworkDatabase.h"
#include "platform/services/Clock.h"
#include "platform/services/MessageBox.h"
#include "platform/services/RegistryUtility.h"
#include "platform/services/SettingsLocation.h"
#include "support/PgTestServer.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

// A main window that records what the host asked of it and keeps its placement.
class RecordingMainWindow : public MainWindowHost
{
public:
    QStringList calls;
    int tabMask = -1;
    int menuCommandIndex = -1;
    bool loaded = false;
    bool throwOnUnload = false;

    void PrepareMenu(int commandIndex) override
    {
        menuCommandIndex = commandIndex;
        calls << QStringLiteral("PrepareMenu");
    }
    void SetOfferedTabs(int mask) override
    {
        tabMask = mask;
        calls << QStringLiteral("SetOfferedTabs");
    }
    void Start() override
    {
        loaded = true;
        calls << QStringLiteral("Start");
    }
    bool IsLoaded() const override { return loaded; }
    void Unload() override
    {
        calls << QStringLiteral("Unload");
        loaded = false;
    }
    void ShowAbout() override { calls << QStringLiteral("ShowAbout"); }
    int Left() const override { return left; }
    void setLeft(int v) override { left = v; }
    int Top() const override { return top; }
    void setTop(int v) override { top = v; }
    int Width() const override { return width; }
    void setWidth(int v) override { width = v; }
    int Height() const override { return height; }
    void setHeight(int v) override { height = v; }
    bool Minimized() const override { return minimized; }
    void setMinimized(bool v) override { minimized = v; }
    bool Visible() const override { return visible; }
    void setVisible(bool v) override { visible = v; }

    int left = 10, top = 20, width = 300, height = 200;
    bool minimized = true, visible = true;
};

// Everything the host touches, in a temporary folder:
//   prog/                 program folder with tarvinaRX24.ini (and the log)
//   registry.ini          settings store
//   share/dbus-1/services D-Bus services folder
//   net.lnsdb             network database with network "Demo" / system "LNS System":
//                         subsystem "Floor 1" holding "RX24 Hall" (reachable) and
//                         "RX24 Store" (unreachable); subsystem "Floor 2" without devices.
class HostFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        PlugInGlobals::Reset();
        ResourceStrings::SetLanguageOffset(0);
        DeviceAccess::resetCache();
        MessageBox::setTestMode(true);
        MessageBox::clearTestRecord();
        setTime(QTime(12, 0, 0));

        SettingsLocation::setFilePath(path("registry.ini"));
        ServerRegistrationStore::setServicesDir(path("share/dbus-1/services"));
        ServerRegistration::setExecutable(path("bin/tarvinaRX24"));
        PlugInMain::setDetachedStarter([this](const QString &program, const QStringList &arguments) {
            started << program + QLatin1Char(' ') + arguments.join(QLatin1Char(' '));
            return true;
        });

        ASSERT_TRUE(QDir().mkpath(path("prog")));
        ASSERT_TRUE(QFile::copy(QStringLiteral(RX24_SOURCE_DIR "/resources/data/tarvinaRX24.ini"),
                                path("prog/tarvinaRX24.ini")));
        PlugInGlobals::ProgramFolderOverride = path("prog");

        if (databaseOnServer()) {
            m_schema = std::make_unique<PgTestSchema>(QStringLiteral("host"));
            m_databaseLocation = m_schema->uri();
        } else {
            m_databaseLocation = path("net.lnsdb");
        }
        m_server = std::make_unique<NetworkDatabase>(m_databaseLocation, NetworkDatabase::OpenMode::Create);
        buildDemoNetwork();
        PlugInGlobals::ObjectServerOverride = m_server.get();
        PlugInGlobals::MainWindow = &window;
    }

    void TearDown() override
    {
        PlugInGlobals::Reset();
        ResourceStrings::SetLanguageOffset(0);
        DeviceAccess::resetCache();
        MessageBox::clearTestRecord();
        Clock::setSource({});
        SettingsLocation::setFilePath({});
        ServerRegistrationStore::setServicesDir({});
        ServerRegistration::setExecutable({});
        PlugInMain::setDetachedStarter({});
    }

    void buildDemoNetwork()
    {
        const DeviceInterface rx24 =
            DeviceInterfaceFile::parse(QStringLiteral(RX24_SOURCE_DIR "/resources/data/RX24.xif"));
        m_server->connectServer(0);
        m_server->createNetwork(QStringLiteral("Demo"), QStringLiteral("LNS System"));
        m_server->createSubsystem(QStringLiteral("Demo"), QStringLiteral("LNS System.Floor 1"));
        m_server->createSubsystem(QStringLiteral("Demo"), QStringLiteral("LNS System.Floor 2"));
        m_server->addDevice(QStringLiteral("Demo"), QStringLiteral("LNS System.Floor 1"),
                            QStringLiteral("RX24 Hall"), rx24);
        m_server->addDevice(QStringLiteral("Demo"), QStringLiteral("LNS System.Floor 1"),
                            QStringLiteral("RX24 Store"), rx24);
        m_server->setDeviceReachable(QStringLiteral("Demo"), QStringLiteral("LNS System.Floor 1"),
                                     QStringLiteral("RX24 Store"), false);
        m_server->disconnectServer();
    }

    // One more device in "LNS System.Floor 1", an RX24 under another program id.
    void addDevice(const QString &name, const QString &programId)
    {
        DeviceInterface device =
            DeviceInterfaceFile::parse(QStringLiteral(RX24_SOURCE_DIR "/resources/data/RX24.xif"));
        device.programId = programId;
        const bool wasConnected = m_server->isConnected();
        if (!wasConnected)
            m_server->connectServer(0);
        m_server->addDevice(QStringLiteral("Demo"), QStringLiteral("LNS System.Floor 1"), name, device);
        if (!wasConnected)
            m_server->disconnectServer();
    }

    // A fixture that answers true keeps its network in a schema of its own on
    // the test server instead of the file "net.lnsdb".
    virtual bool databaseOnServer() const { return false; }
    // The file or server URI the network lives in.
    const QString &databaseLocation() const { return m_databaseLocation; }

    QString path(const QString &relative) const { return m_dir.filePath(relative); }
    QString path(const char *relative) const { return path(QString::fromUtf8(relative)); }

    static void setTime(const QTime &time)
    {
        const QDateTime at(QDate(2024, 3, 14), time);
        Clock::setSource([at] { return at; });
    }

    // All values in the settings store, as "group/value=text".
    QStringList settingsContent() const
    {
        QStringList lines;
        const QSettings settings(path("registry.ini"), QSettings::IniFormat);
        for (const QString &key : settings.allKeys())
            lines << key + QLatin1Char('=') + settings.value(key).toString();
        return lines;
    }

    // Every file and folder below dir, relative to it.
    static QStringList tree(const QString &dir)
    {
        QStringList entries;
        QDir root(dir);
        if (!root.exists())
            return entries;
        for (const QFileInfo &info :
             root.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
            entries << info.fileName() + (info.isDir() ? QStringLiteral("/") : QString());
            if (info.isDir()) {
                for (const QString &inner : tree(info.filePath()))
                    entries << info.fileName() + QLatin1Char('/') + inner;
            }
        }
        return entries;
    }

    QStringList traces() const
    {
        QStringList lines;
        if (PlugInGlobals::Logger) {
            for (const LogEntry &entry : PlugInGlobals::Logger->entries())
                lines << entry.text;
        }
        return lines;
    }

    QStringList errorProcedures() const
    {
        QStringList names;
        if (PlugInGlobals::Logger) {
            for (const LogEntry &entry : PlugInGlobals::Logger->entries()) {
                if (entry.kind == LogEntry::Kind::Error)
                    names << entry.moduleName + QLatin1Char('.') + entry.procedureName;
            }
        }
        return names;
    }

    QStringList messageTexts() const
    {
        QStringList texts;
        for (const MessageBox::Shown &shown : MessageBox::shownBoxes())
            texts << shown.text;
        return texts;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<PgTestSchema> m_schema; // outlives the clients below
    QString m_databaseLocation;
    std::unique_ptr<NetworkDatabase> m_server;
    RecordingMainWindow window;
    QStringList started;
};
