#include "HostFixture.h"
#include "host/AppVersion.h"
#include "host/CommandValidator.h"
#include "host/DirectorEntry.h"
#include "host/LnsProjectRegistration.h"
#include "host/PlugInProcess.h"
#include "host/RegResultReceiver.h"
#include "platform/lns/LnsNetwork.h"

#include <QDateTime>
#include <QFileInfo>

namespace {
const QString ServiceFile = QStringLiteral("veltoTarvinaRX24.Application.service");

QString readText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    return QString::fromUtf8(file.readAll());
}

class RecordingRegResult : public RegResultReceiver
{
public:
    QList<qint16> results;
    void setRegResult(qint16 result) override { results << result; }
};
} // namespace

class WindowsRegistration : public HostFixture
{
};

TEST_F(WindowsRegistration, RegisterWritesRecordAndServiceFile)
{
    LcaPlugIn::InitApp();
    ServerRegistration::Register();

    EXPECT_EQ(tree(path("share")), (QStringList{QStringLiteral("dbus-1/"), QStringLiteral("dbus-1/services/"),
                                                QStringLiteral("dbus-1/services/") + ServiceFile}));
    EXPECT_EQ(readText(path("share/dbus-1/services/") + ServiceFile),
              QStringLiteral("[D-BUS Service]\nName=veltoTarvinaRX24.Application\nExec=") +
                  path("bin/tarvinaRX24") + QLatin1Char('\n'));

    const RegistrationRecord record = ServerRegistrationStore::read(AppVersion::ProgId());
    EXPECT_EQ(record.projectName, QStringLiteral("veltoTarvinaRX24"));
    EXPECT_EQ(record.objectType, QStringLiteral("3"));
    EXPECT_TRUE(settingsContent().contains(
        QStringLiteral("SOFTWARE/Classes/veltoTarvinaRX24.Application/LocalServer=") +
        path("bin/tarvinaRX24")));
}

// Every end of the program refreshes the registration: when nothing changed
// it touches no file, and when the program moved both files follow.
TEST_F(WindowsRegistration, ARefreshThatChangesNothingTouchesNoFile)
{
    LcaPlugIn::InitApp();
    ServerRegistration::Register();
    const QString settings = SettingsLocation::filePath();
    const QString service = path("share/dbus-1/services/") + ServiceFile;
    const QDateTime old = QDateTime::currentDateTime().addDays(-1);
    for (const QString &file : {settings, service}) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite) && f.setFileTime(old, QFileDevice::FileModificationTime));
    }

    ServerRegistration::Register();
    EXPECT_EQ(QFileInfo(settings).lastModified(), old);
    EXPECT_EQ(QFileInfo(service).lastModified(), old);

    ServerRegistration::setExecutable(path("moved/tarvinaRX24"));
    ServerRegistration::Register();
    EXPECT_GT(QFileInfo(settings).lastModified(), old);
    EXPECT_GT(QFileInfo(service).lastModified(), old);
    EXPECT_TRUE(readText(service).contains(QStringLiteral("Exec=") + path("moved/tarvinaRX24")));
    // On disk, as the next process reads it.
    EXPECT_TRUE(readText(settings).contains(QStringLiteral("LocalServer=") + path("moved/tarvinaRX24")));
    EXPECT_EQ(ServerRegistrationStore::read(AppVersion::ProgId()).projectName,
              QStringLiteral("veltoTarvinaRX24"));
}

TEST_F(WindowsRegistration, ExecutableWithBlanksIsQuoted)
{
    EXPECT_EQ(ServerRegistrationStore::execLine(QStringLiteral("/opt/velto plug-ins/tarvinaRX24")),
              QStringLiteral("\"/opt/velto plug-ins/tarvinaRX24\""));
}

TEST_F(WindowsRegistration, RegOptionWritesOnlyTheProductLanguage)
{
    PlugInMain::Main(QStringLiteral(" /REG:1000"));
    EXPECT_EQ(RegistryUtility::read(QStringLiteral("SOFTWARE\\velto\\tarvina RX24\\Options"),
                                    QStringLiteral("Language")),
              QStringLiteral("1000"));
    EXPECT_FALSE(RegistryUtility::contains(LcaPlugIn::LanguageKey(), QStringLiteral("Language")));
    for (const QString &line : settingsContent()) {
        EXPECT_TRUE(line.startsWith(QStringLiteral("SOFTWARE/Classes/veltoTarvinaRX24.Application/")) ||
                    line == QStringLiteral("SOFTWARE/velto/tarvina RX24/Options/Language=1000"))
            << line.toStdString();
    }
    // The way out registers the plug-in again, and no window opened.
    EXPECT_TRUE(QFileInfo::exists(path("share/dbus-1/services/") + ServiceFile));
    EXPECT_TRUE(window.calls.isEmpty());
    EXPECT_TRUE(PlugInGlobals::Ended);
}

TEST_F(WindowsRegistration, UnregLeavesNothingBehind)
{
    LcaPlugIn::InitApp();
    ServerRegistration::Register();
    LcaPlugIn::WriteLanguage(1000);
    RegistryUtility::write(QStringLiteral("SOFTWARE\\velto\\tarvina RX24\\Settings"), QStringLiteral("Top"),
                           QStringLiteral("120"));
    PlugInGlobals::Reset();
    PlugInGlobals::ProgramFolderOverride = path("prog");
    PlugInGlobals::ObjectServerOverride = m_server.get();

    PlugInMain::Main(QStringLiteral(" /UNREG"));
    EXPECT_TRUE(PlugInGlobals::UnregisterRequested);
    EXPECT_TRUE(PlugInGlobals::Ended);
    EXPECT_TRUE(traces().contains(QStringLiteral("[M_PlugIn] Public Sub Unregister()")));
    EXPECT_FALSE(traces().contains(QStringLiteral("[M_PlugIn] Public Sub Register()")));
    EXPECT_TRUE(tree(path("share")).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(path("share/dbus-1")));
    EXPECT_FALSE(QFileInfo::exists(path("registry.ini")));
}

TEST_F(WindowsRegistration, UnregKeepsTheSharedSettings)
{
    RegistryUtility::write(LcaPlugIn::LanguageKey(), QStringLiteral("Language"), QStringLiteral("0"));
    PlugInMain::Main(QStringLiteral(" /UNREG"));
    EXPECT_EQ(settingsContent(),
              QStringList{QStringLiteral("SOFTWARE/velto/koradesk Register/Options/Language=0")});
}

TEST_F(WindowsRegistration, ServicesFolderOfOtherServicesStays)
{
    QDir().mkpath(path("share/dbus-1/services"));
    QFile other(path("share/dbus-1/services/org.example.Other.service"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.close();
    ServerRegistrationStore::write(ServerRegistration::CurrentRecord(), path("bin/tarvinaRX24"));
    ServerRegistrationStore::remove(AppVersion::ProgId());
    EXPECT_EQ(tree(path("share/dbus-1/services")), QStringList{QStringLiteral("org.example.Other.service")});
}

TEST_F(WindowsRegistration, RegServerAndUnregServerOptions)
{
    EXPECT_EQ(PlugInProcess::run({QStringLiteral("/regserver")}, window, {}), 0);
    EXPECT_TRUE(QFileInfo::exists(path("share/dbus-1/services/") + ServiceFile));
    EXPECT_EQ(ServerRegistrationStore::read(AppVersion::ProgId()).objectType, QStringLiteral("3"));
    EXPECT_FALSE(PlugInGlobals::Logger); // no InitApp, no log

    EXPECT_EQ(PlugInProcess::run({QStringLiteral("/UnRegServer")}, window, {}), 0);
    EXPECT_TRUE(tree(path("share")).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(path("registry.ini")));
}

class ProjectRegistration : public HostFixture
{
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        LcaPlugIn::InitApp();
        ASSERT_FALSE(PlugInGlobals::TerminateRequested);
    }

    QList<LnsPluginRegistration> registrations(const QString &network = QStringLiteral("Demo"))
    {
        if (!m_server->isConnected())
            m_server->connectServer(0);
        return m_server->openNetwork(network, false)->pluginRegistrations();
    }
};

TEST_F(ProjectRegistration, ListedProgramIdIsRegisteredAndReported)
{
    RecordingRegResult receiver;
    DirectorEntry::setProgramIdsToRegister(QStringLiteral("9000a5e018040100"));
    DirectorEntry::setRegResult(&receiver);
    DirectorEntry::SendCommand(50, 0, QStringLiteral("Demo"));

    EXPECT_EQ(receiver.results, QList<qint16>{-1});
    EXPECT_TRUE(MessageBox::shownBoxes().isEmpty());
    EXPECT_TRUE(PlugInGlobals::Ended);

    const QList<LnsPluginRegistration> stored = registrations();
    ASSERT_EQ(stored.size(), 1);
    const LnsPluginRegistration &r = stored.first();
    EXPECT_EQ(r.programId, QStringLiteral("9000A5E018040100"));
    EXPECT_EQ(r.commandId, 13);
    EXPECT_EQ(r.classId, 7);
    EXPECT_EQ(r.projectName, QStringLiteral("veltoTarvinaRX24"));
}

TEST_F(ProjectRegistration, SuccessWithoutReceiverIsShownWithTheNetworkName)
{
    DirectorEntry::setProgramIdsToRegister(QStringLiteral("9000A5E018040100,9000A5E018040000"));
    CommandValidator::ValidateCommand(50, 0, QStringLiteral("Demo"));
    EXPECT_EQ(MessageBox::lastShown().text,
              QStringLiteral("The plug-in was successfully registered to project \"Demo\"."));
    EXPECT_EQ(MessageBox::lastShown().title, QStringLiteral("tarvina RX24"));
    EXPECT_EQ(registrations().size(), 2);
}

// An unknown network, or program ids of no device template, register
// nothing and end as a failed run, with or without program ids.
TEST_F(ProjectRegistration, UnknownNetworkOrProgramIdsFail)
{
    const struct
    {
        const char *network;
        const char *programIds;
        const char *cause;
    } cases[] = {
        {"Nowhere", "9000A5E018040100", "Nowhere"},
        {"Nowhere", "", "Nowhere"},
        {"Demo", "0000000000000000", "0000000000000000"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.network + std::string(" ") + c.programIds);
        for (const bool withReceiver : {false, true}) {
            PlugInGlobals::Reset();
            PlugInGlobals::ProgramFolderOverride = path("prog");
            PlugInGlobals::ObjectServerOverride = m_server.get();
            PlugInGlobals::MainWindow = &window;
            MessageBox::clearTestRecord();
            LcaPlugIn::InitApp();
            RecordingRegResult receiver;
            DirectorEntry::setProgramIdsToRegister(QString::fromLatin1(c.programIds));
            if (withReceiver)
                DirectorEntry::setRegResult(&receiver);
            CommandValidator::ValidateCommand(50, 1, QString::fromLatin1(c.network));
            if (withReceiver) {
                EXPECT_EQ(receiver.results, QList<qint16>{0});
                EXPECT_TRUE(MessageBox::shownBoxes().isEmpty());
            } else {
                EXPECT_EQ(MessageBox::lastShown().text,
                          QStringLiteral("Errors occured while registering the plug-in."));
            }
            EXPECT_TRUE(PlugInGlobals::TerminateRequested);
            bool causeLogged = false;
            for (const QString &line : traces())
                causeLogged = causeLogged || (line.contains(QStringLiteral("failed")) &&
                                              line.contains(QString::fromLatin1(c.cause)));
            EXPECT_TRUE(causeLogged) << traces().join(QLatin1Char('\n')).toStdString();
        }
    }
    EXPECT_TRUE(registrations().isEmpty());
}

TEST_F(ProjectRegistration, WithoutProgramIdsTheHelperRegistersInTheNamedNetworkOnly)
{
    m_server->connectServer(0);
    m_server->createNetwork(QStringLiteral("Other"));
    RecordingRegResult receiver;
    DirectorEntry::setRegResult(&receiver);
    CommandValidator::ValidateCommand(50, 7, QStringLiteral("Demo"));
    EXPECT_EQ(receiver.results, QList<qint16>{-1});
    EXPECT_FALSE(traces().contains(QStringLiteral("Status: Registering plug-in ...")));
    EXPECT_EQ(registrations().size(), 2);
    EXPECT_TRUE(registrations(QStringLiteral("Other")).isEmpty());
    EXPECT_TRUE(PlugInGlobals::Ended);
    EXPECT_FALSE(PlugInGlobals::TerminateRequested);
}

TEST_F(WindowsRegistration, UnregRemovesTheEmptiedSettingsFolder)
{
    SettingsLocation::setFilePath(path("config/velto/registry.ini"));
    PlugInProcess::registerServer();
    ASSERT_TRUE(QFileInfo::exists(path("config/velto/registry.ini")));
    PlugInMain::Main(QStringLiteral(" /UNREG"));
    EXPECT_EQ(tree(path("config")), QStringList());
}
