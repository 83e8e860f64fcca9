// lnsdb as a director, against a stand-in for the plug-in's automation object
// served by this process on the test session bus.
#include "director/DirectorClient.h"

#include "LnsdbTool.h"
#include "director/RegResultListener.h"
#include "platform/AppError.h"
#include "platform/netdb/NetworkDatabase.h"
#include "platform/services/SettingsLocation.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Records what a director does and, for command 50, reports a result the
// way the plug-in does: a Properties.Set on the handed object.
class FakeApplication : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "veltoTarvinaRX24.Application")
    Q_PROPERTY(bool Remote MEMBER remote)
    Q_PROPERTY(QString NetworkInterfaceName MEMBER networkInterfaceName)
    Q_PROPERTY(QString LnsObjectByTool MEMBER lnsObjectByTool)
    Q_PROPERTY(QString ProgramIdsToRegister MEMBER programIds)
    Q_PROPERTY(QString RegResult MEMBER regResult)
    Q_PROPERTY(QString Name READ name)
public:
    explicit FakeApplication(QDBusConnection bus) : m_bus(bus) {}

    bool remote = false;
    QString networkInterfaceName;
    QString lnsObjectByTool;
    QString programIds;
    QString regResult;
    QStringList commands;
    QStringList propertyOrder;
    // What command 50 reports; no report when unset.
    std::optional<short> result;

    QString name() const { return QStringLiteral("tarvina RX24"); }

public Q_SLOTS:
    void SendCommand(int commandId, short classId, const QString &objectName)
    {
        commands << QStringLiteral("%1 %2 %3").arg(commandId).arg(classId).arg(objectName);
        if (commandId != 50 || !result || regResult.isEmpty())
            return;
        const QStringList address = regResult.split(QLatin1Char(' '));
        QDBusMessage set = QDBusMessage::createMethodCall(address.value(0), address.value(1),
                                                          QStringLiteral("org.freedesktop.DBus.Properties"),
                                                          QStringLiteral("Set"));
        set << QStringLiteral("veltoTarvinaRX24.RegResult") << QStringLiteral("RegResult")
            << QVariant::fromValue(QDBusVariant(QVariant::fromValue(*result)));
        // Not waiting: the director answers on this very thread.
        m_bus.send(set);
    }

private:
    QDBusConnection m_bus;
};

class DirectorClientTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!QDBusConnection::sessionBus().isConnected())
            GTEST_SKIP() << "no session bus";
        m_service = QStringLiteral("veltoTarvinaRX24.Fake.p%1").arg(QCoreApplication::applicationPid());
        m_pluginBus = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("fake-plugin")));
        fake = std::make_unique<FakeApplication>(*m_pluginBus);
        ASSERT_TRUE(m_pluginBus->registerObject(DirectorClient::ApplicationPath(), fake.get(),
                                                QDBusConnection::ExportAllProperties |
                                                    QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(m_pluginBus->registerService(m_service));
    }

    void TearDown() override
    {
        if (m_pluginBus) {
            m_pluginBus->unregisterService(m_service);
            m_pluginBus->unregisterObject(DirectorClient::ApplicationPath());
        }
        m_pluginBus.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("fake-plugin"));
    }

    DirectorClient client()
    {
        DirectorClient c(QDBusConnection::sessionBus());
        c.setServiceName(m_service);
        c.setTimeout(3000);
        return c;
    }

    struct Result
    {
        int code;
        QString out;
        QString err;
    };

    Result runTool(const QStringList &args)
    {
        QString out;
        QString err;
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        LnsdbTool tool(outStream, errStream);
        tool.setBus(QDBusConnection::sessionBus(), m_service);
        const int code = tool.run(QStringList{QStringLiteral("--db"), dbPath()} + args);
        outStream.flush();
        errStream.flush();
        return {code, out, err};
    }

    static QString failureOf(const std::function<void()> &action)
    {
        try {
            action();
        } catch (const AppError &error) {
            return error.description();
        }
        return QString();
    }

    QString dbPath() const { return m_dir.filePath(QStringLiteral("networks.lnsdb")); }

    QTemporaryDir m_dir;
    QString m_service;
    std::unique_ptr<QDBusConnection> m_pluginBus;
    std::unique_ptr<FakeApplication> fake;
};

} // namespace

TEST_F(DirectorClientTest, ARunningPlugInNeedsNoStart)
{
    EXPECT_EQ(failureOf([this] { client().activate(); }), QString());
}

TEST_F(DirectorClientTest, AnUnknownServiceIsOneClearLine)
{
    DirectorClient c = client();
    c.setServiceName(
        QStringLiteral("veltoTarvinaRX24.NotInstalled.p%1").arg(QCoreApplication::applicationPid()));
    const QString failure = failureOf([&c] { c.activate(); });
    EXPECT_TRUE(failure.contains(QStringLiteral("is not known to the session bus"))) << failure.toStdString();
    EXPECT_FALSE(failure.contains(QLatin1Char('\n')));
}

TEST_F(DirectorClientTest, PropertiesReachThePlugIn)
{
    DirectorClient c = client();
    c.setProperty(QStringLiteral("Remote"), true);
    c.setProperty(QStringLiteral("NetworkInterfaceName"), QStringLiteral("LON1"));
    EXPECT_TRUE(fake->remote);
    EXPECT_EQ(fake->networkInterfaceName, QStringLiteral("LON1"));
}

TEST_F(DirectorClientTest, ARefusedPropertyRaisesWithThePlugInsText)
{
    const QString failure =
        failureOf([this] { client().setProperty(QStringLiteral("Name"), QStringLiteral("x")); });
    EXPECT_TRUE(failure.startsWith(QStringLiteral("setting Name: "))) << failure.toStdString();
}

TEST_F(DirectorClientTest, RegistrationWaitsForTheResult)
{
    fake->result = -1;
    EXPECT_TRUE(client().registerPlugin(
        QStringLiteral("Demo"), {QStringLiteral("9000A5E018040100"), QStringLiteral("9000A5E018040000")}));
    EXPECT_EQ(fake->programIds, QStringLiteral("9000A5E018040100,9000A5E018040000"));
    EXPECT_EQ(fake->commands, QStringList{QStringLiteral("50 1 Demo")});
    EXPECT_TRUE(fake->regResult.endsWith(QStringLiteral(" /RegResult")));
    EXPECT_TRUE(fake->regResult.startsWith(QDBusConnection::sessionBus().baseService()));
}

TEST_F(DirectorClientTest, AFailedRegistrationIsFalse)
{
    fake->result = 0;
    EXPECT_FALSE(client().registerPlugin(QStringLiteral("Demo"), {}));
    EXPECT_EQ(fake->programIds, QString());
}

TEST_F(DirectorClientTest, NoResultEndsTheWaitWithAnError)
{
    DirectorClient c = client();
    c.setTimeout(300);
    const QString failure = failureOf([&c] { c.registerPlugin(QStringLiteral("Demo"), {}); });
    EXPECT_TRUE(failure.contains(QStringLiteral("no registration result"))) << failure.toStdString();
}

// --- the lnsdb commands ---------------------------------------------------------

TEST_F(DirectorClientTest, StartPluginSetsTheConnectionThenSendsCommand13)
{
    const QString device = QStringLiteral("Demo\\LNS System.Floor 1\\RX24 Full");
    const Result r =
        runTool({QStringLiteral("start-plugin"), device, QStringLiteral("--remote"), QStringLiteral("--ni"),
                 QStringLiteral("Internet"), QStringLiteral("--object"), QStringLiteral("#2")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(fake->remote);
    EXPECT_EQ(fake->networkInterfaceName, QStringLiteral("Internet"));
    EXPECT_EQ(fake->lnsObjectByTool, device + QStringLiteral("\\#2"));
    EXPECT_EQ(fake->commands, QStringList{QStringLiteral("13 7 ") + device});
    EXPECT_TRUE(r.out.contains(QStringLiteral("Sent command 13")));
}

TEST_F(DirectorClientTest, StartPluginWithoutObjectLeavesLnsObjectByToolAlone)
{
    fake->remote = true;
    const Result r = runTool({QStringLiteral("start-plugin"), QStringLiteral("Demo\\LNS System\\RX24")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_FALSE(fake->remote);
    EXPECT_EQ(fake->lnsObjectByTool, QString());
}

// A plug-in whose settings name the server connects to it remotely; the
// settings may hold a password the command line leaves out.
TEST_F(DirectorClientTest, StartPluginOnTheSettingsServerConnectsRemotely)
{
    SettingsLocation::setFilePath(m_dir.filePath(QStringLiteral("registry.ini")));
    QSettings(SettingsLocation::filePath(), QSettings::IniFormat)
        .setValue(QStringLiteral("SOFTWARE/velto/LNS/Server"), QStringLiteral("postgresql://anna:pw@db/lns"));
    QString out;
    QTextStream stream(&out);
    LnsdbTool tool(stream, stream);
    tool.setBus(QDBusConnection::sessionBus(), m_service);
    EXPECT_EQ(tool.run({QStringLiteral("--server"), QStringLiteral("postgresql://anna@db/lns"),
                        QStringLiteral("start-plugin"), QStringLiteral("N\\S\\D")}),
              0);
    SettingsLocation::setFilePath({});
    EXPECT_TRUE(fake->remote);
    EXPECT_EQ(fake->commands, QStringList{QStringLiteral("13 7 N\\S\\D")});
}

TEST_F(DirectorClientTest, StartPluginArgumentMistakesAreUsageErrors)
{
    for (const QStringList &args :
         {QStringList{QStringLiteral("start-plugin")},
          QStringList{QStringLiteral("start-plugin"), QStringLiteral("D"), QStringLiteral("--ni")},
          QStringList{QStringLiteral("start-plugin"), QStringLiteral("D"), QStringLiteral("E")},
          QStringList{QStringLiteral("start-plugin"), QStringLiteral("D"), QStringLiteral("--fast")}}) {
        const Result r = runTool(args);
        EXPECT_EQ(r.code, 2) << args.join(QLatin1Char(' ')).toStdString();
    }
    EXPECT_TRUE(fake->commands.isEmpty());
}

TEST_F(DirectorClientTest, RegisterPluginExitCodeFollowsTheResult)
{
    fake->result = -1;
    Result r = runTool(
        {QStringLiteral("register-plugin"), QStringLiteral("Demo"), QStringLiteral("9000A5E018040100")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("registered in network \"Demo\"")));

    // A success the network does not show is no success; what it holds is listed.
    NetworkDatabase db(dbPath(), NetworkDatabase::OpenMode::Create);
    db.connectServer(0);
    db.createNetwork(QStringLiteral("Demo"));
    r = runTool(
        {QStringLiteral("register-plugin"), QStringLiteral("Demo"), QStringLiteral("9000A5E018040100")});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("holds no registration"))) << r.err.toStdString();
    LnsPluginRegistration registration;
    registration.programId = QStringLiteral("9000A5E018040100");
    registration.commandId = 13;
    registration.classId = 7;
    db.openNetwork(QStringLiteral("Demo"), false)->registerPlugin(registration);
    r = runTool(
        {QStringLiteral("register-plugin"), QStringLiteral("Demo"), QStringLiteral("9000a5e018040100")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("9000A5E018040100  command 13  class 7")))
        << r.out.toStdString();

    fake->result = 0;
    r = runTool({QStringLiteral("register-plugin"), QStringLiteral("Demo")});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err.count(QLatin1Char('\n')), 1);
}

TEST_F(DirectorClientTest, HelpNamesTheDirectorCommands)
{
    const QString help = LnsdbTool::helpText();
    EXPECT_TRUE(help.contains(QStringLiteral("start-plugin DEVICE [--remote] [--ni NAME] [--object LMO]")));
    EXPECT_TRUE(help.contains(QStringLiteral("register-plugin NETWORK [PROGRAMID...]")));
}

#include "DirectorClientTest.moc"
