// Open configuration as a director does it: the project window starts the
// real plug-in program through D-Bus activation on a bus of the test's own,
// and the plug-in's window comes up on the chosen device.
#include "ProjectWindowFixture.h"
#include "platform/services/MessageBox.h"
#include "support/PrivateSessionBus.h"

#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <optional>

namespace {

const QString ServiceName = QStringLiteral("veltoTarvinaRX24.Application");

class OpenConfigurationTest : public ProjectWindowFixture
{
protected:
    void SetUp() override
    {
        ProjectWindowFixture::SetUp();
        if (!PrivateSessionBus::available())
            GTEST_SKIP() << "dbus-daemon is not installed";
        // A private copy of the plug-in beside its data files writes its log there.
        ASSERT_TRUE(QDir().mkpath(path("program")));
        for (const char *file : {"tarvinaRX24", "tarvinaRX24.ini", "RX24.ini", "RX24.xif"})
            ASSERT_TRUE(QFile::copy(QStringLiteral(RX24_BINARY_DIR "/bin/") + QLatin1String(file),
                                    path("program/") + QLatin1String(file)))
                << file;
        // On a server, the plug-in's settings name it (and its desk file
        // holds another project).
        if (databaseOnServer()) {
            QSettings settings(path("registry.ini"), QSettings::IniFormat);
            settings.setValue(QStringLiteral("SOFTWARE/velto/LNS/Server"), databaseLocation());
        }
        // The plug-in reads the settings this process uses: the same project.
        ASSERT_TRUE(QDir().mkpath(path("config/velto")));
        ASSERT_TRUE(QFile::copy(path("registry.ini"), path("config/velto/registry.ini")));

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), path("config"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        if (serviceFileGiven()) {
            ASSERT_TRUE(m_bus.start(path("dbus"), env)) << m_bus.error().toStdString();
            ASSERT_TRUE(m_bus.addService(ServiceName, path("program/tarvinaRX24")));
        } else {
            // The bus serves what a registration writes for a user with this data folder.
            ASSERT_TRUE(m_bus.start(path("data/dbus-1"), env)) << m_bus.error().toStdString();
            m_environment.emplace(qgetenv("XDG_DATA_HOME"), qgetenv("XDG_CONFIG_HOME"));
            qputenv("XDG_DATA_HOME", QFile::encodeName(path("data")));
            qputenv("XDG_CONFIG_HOME", QFile::encodeName(path("config")));
        }
        m_connection = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(m_bus.address(), QStringLiteral("project-director")));
        ASSERT_TRUE(m_connection->isConnected());
        openWindow(databaseOnServer() ? QString() : project());
        window->setDirectorBus(*m_connection);
        ASSERT_TRUE(tree()->choose(databaseOnServer() ? QStringLiteral("Demo") : QStringLiteral("Gen")));
    }

    void TearDown() override
    {
        if (m_environment) {
            qputenv("XDG_DATA_HOME", m_environment->first);
            qputenv("XDG_CONFIG_HOME", m_environment->second);
        }
        window.reset();
        if (m_connection) {
            m_connection.reset();
            QDBusConnection::disconnectFromBus(QStringLiteral("project-director"));
        }
        ProjectWindowFixture::TearDown();
    }

    // Waits (bounded) until the plug-in's window showed a device it read.
    bool showsADevice() const
    {
        const QString shown = QStringLiteral("[frmMain] Public Sub Display()");
        const QDeadlineTimer deadline(30000);
        while (!traces().contains(shown) && !deadline.hasExpired())
            QTest::qWait(100);
        const QStringList lines = traces();
        return lines.contains(shown) &&
               lines.lastIndexOf(QStringLiteral("[M_PlugIn] Public Sub FetchCPs()")) > lines.indexOf(shown);
    }

    QStringList traces() const
    {
        QFile log(path("program/tarvinaRX24.LOG"));
        QStringList lines;
        if (log.open(QIODevice::ReadOnly | QIODevice::Text)) {
            for (const QString &line : QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'))) {
                if (line.contains(QLatin1String("TRACE [")))
                    lines << line.mid(line.indexOf(QLatin1String("TRACE [")) + 6);
            }
        }
        return lines;
    }

    virtual bool serviceFileGiven() const { return true; }

    PrivateSessionBus m_bus;
    std::unique_ptr<QDBusConnection> m_connection;
    std::optional<std::pair<QByteArray, QByteArray>> m_environment;
};

TEST_F(OpenConfigurationTest, ThePlugInStartedOverTheBusShowsTheChosenDevice)
{
    // What the window tells the plug-in, as the bus carries it.
    QProcess monitor;
    monitor.start(QStringLiteral("dbus-monitor"),
                  {QStringLiteral("--address"), m_bus.address(),
                   QStringLiteral("interface='%1',member='SendCommand'").arg(ServiceName)});
    ASSERT_TRUE(monitor.waitForStarted(5000));
    QTest::qWait(300);

    choose({2});
    action("actionOpenConfiguration")->trigger();
    EXPECT_TRUE(MessageBox::shownBoxes().isEmpty()) << MessageBox::lastShown().text.toStdString();

    // The window came up on the device the command named and read it; a
    // device it could not find would have ended the plug-in instead.
    EXPECT_TRUE(showsADevice()) << traces().join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(m_connection->interface()->isServiceRegistered(ServiceName).value());
    monitor.terminate();
    monitor.waitForFinished(5000);
    const QString carried = QString::fromUtf8(monitor.readAllStandardOutput());
    EXPECT_TRUE(carried.contains(
        QStringLiteral("int32 13\n   int16 7\n   string \"Gen\\LNS System.Building 1.Floor 1\\%1\"")
            .arg(NetworkGenerator::deviceName(2))))
        << carried.toStdString();
}

TEST_F(OpenConfigurationTest, RegisterThePlugInRegistersItInTheChosenNetwork)
{
    action("actionRegister")->trigger();
    EXPECT_EQ(MessageBox::lastShown().text, QStringLiteral("The plug-in was registered in network Gen."));
    NetworkDatabase db(project());
    db.connectServer(0);
    const QList<LnsPluginRegistration> registrations =
        db.openNetwork(QStringLiteral("Gen"), false)->pluginRegistrations();
    ASSERT_FALSE(registrations.isEmpty());
    EXPECT_EQ(registrations.first().commandId, 13);
}

// Right after the install the plug-in has never run: the bus does not know it.
class OpenConfigurationFirstTimeTest : public OpenConfigurationTest
{
protected:
    bool serviceFileGiven() const override { return false; }
};

TEST_F(OpenConfigurationFirstTimeTest, ThePlugInIsRegisteredWithTheBusAndStarted)
{
    choose({2});
    action("actionOpenConfiguration")->trigger();
    EXPECT_TRUE(MessageBox::shownBoxes().isEmpty()) << MessageBox::lastShown().text.toStdString();
    EXPECT_TRUE(QFileInfo::exists(path("data/dbus-1/services/veltoTarvinaRX24.Application.service")));
    EXPECT_TRUE(m_connection->interface()->isServiceRegistered(ServiceName).value());
}

class OpenConfigurationOnServerTest : public OpenConfigurationTest
{
protected:
    bool databaseOnServer() const override { return true; }
};

TEST_F(OpenConfigurationOnServerTest, ThePlugInIsStartedRemoteAndOpensTheDeviceOnTheServer)
{
    const int hall =
        window->devices().rowOf(QStringLiteral("LNS System.Floor 1"), QStringLiteral("RX24 Hall"));
    ASSERT_GE(hall, 0);
    table()->selectRow(window->filterModel().mapFromSource(window->devices().index(hall, 0)).row());
    action("actionOpenConfiguration")->trigger();
    EXPECT_TRUE(MessageBox::shownBoxes().isEmpty()) << MessageBox::lastShown().text.toStdString();
    // Its desk file holds no "Demo": only the server could give it the device.
    EXPECT_TRUE(showsADevice()) << traces().join(QLatin1Char('\n')).toStdString();
}

} // namespace
