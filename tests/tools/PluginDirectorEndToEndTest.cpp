// The whole road from a director to the plug-in program: a private session
// bus that starts the built tarvinaRX24 by D-Bus activation, and the built
// lnsdb as the director. Every process is bounded; the bus is killed at the
// end, which also ends any plug-in still serving it.
#include "support/PrivateSessionBus.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

const QString Program = QStringLiteral(RX24_BINARY_DIR "/bin/tarvinaRX24");
const QString Lnsdb = QStringLiteral(RX24_BINARY_DIR "/bin/lnsdb");
const QString ServiceName = QStringLiteral("veltoTarvinaRX24.Application");

class PluginDirectorEndToEndTest : public ::testing::Test
{
protected:
    struct Result
    {
        int code = -1;
        QString out;
        QString err;
    };

    void SetUp() override
    {
        if (!PrivateSessionBus::available())
            GTEST_SKIP() << "dbus-daemon is not installed";
        ASSERT_TRUE(QFileInfo::exists(Program)) << "build tarvinaRX24 first";
        ASSERT_TRUE(QFileInfo::exists(Lnsdb)) << "build lnsdb first";
        ASSERT_TRUE(m_dir.isValid());
        for (const char *folder : {"config/velto", "data", "run"})
            ASSERT_TRUE(QDir().mkpath(path(folder)));
        QFile::setPermissions(path("run"),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

        // The network database, named through the settings store as a user would.
        QSettings settings(path("config/velto/registry.ini"), QSettings::IniFormat);
        settings.setValue(QStringLiteral("SOFTWARE/velto/LNS/DatabasePath"), path("net.lnsdb"));
        settings.sync();

        m_env = QProcessEnvironment::systemEnvironment();
        m_env.insert(QStringLiteral("XDG_CONFIG_HOME"), path("config"));
        m_env.insert(QStringLiteral("XDG_DATA_HOME"), path("data"));
        m_env.insert(QStringLiteral("XDG_RUNTIME_DIR"), path("run"));
        m_env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        m_env.remove(QStringLiteral("DISPLAY"));
        m_env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        ASSERT_TRUE(m_daemon.start(path("dbus"), m_env)) << m_daemon.error().toStdString();
        m_env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_daemon.address());
        m_bus = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(m_daemon.address(), QStringLiteral("e2e-observer")));
        ASSERT_TRUE(m_bus->isConnected());
    }

    void TearDown() override
    {
        if (m_bus) {
            QDBusConnection::disconnectFromBus(QStringLiteral("e2e-observer"));
            m_bus.reset();
        }
    }

    void writeServiceFile() { ASSERT_TRUE(m_daemon.addService(ServiceName, Program)); }

    Result lnsdb(const QStringList &args, const QProcessEnvironment &env)
    {
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(Lnsdb, args);
        Result r;
        if (!process.waitForFinished(60000)) {
            process.kill();
            process.waitForFinished(5000);
            r.err = QStringLiteral("lnsdb did not finish");
            return r;
        }
        r.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        r.out = QString::fromLocal8Bit(process.readAllStandardOutput());
        r.err = QString::fromLocal8Bit(process.readAllStandardError());
        return r;
    }
    Result lnsdb(const QStringList &args) { return lnsdb(args, m_env); }

    bool pluginServes() const { return m_bus->interface()->isServiceRegistered(ServiceName).value(); }

    // Waits (bounded) until the activated plug-in has left the bus.
    bool pluginEnds(int timeoutMs = 20000) const
    {
        const QDeadlineTimer deadline(timeoutMs);
        while (pluginServes()) {
            if (deadline.hasExpired())
                return false;
            QThread::msleep(50);
        }
        return true;
    }

    QString path(const char *relative) const { return m_dir.filePath(QString::fromUtf8(relative)); }

    QTemporaryDir m_dir;
    QProcessEnvironment m_env;
    PrivateSessionBus m_daemon;
    std::unique_ptr<QDBusConnection> m_bus;
};

} // namespace

TEST_F(PluginDirectorEndToEndTest, RegisterPluginThroughTheActivatedProgramRegistersCommand13)
{
    writeServiceFile();
    ASSERT_EQ(lnsdb({QStringLiteral("demo")}).code, 0);

    const Result registered = lnsdb(
        {QStringLiteral("register-plugin"), QStringLiteral("Demo"), QStringLiteral("9000A5E018040100")});
    EXPECT_EQ(registered.code, 0) << registered.err.toStdString();
    EXPECT_TRUE(registered.out.contains(QStringLiteral("registered in network \"Demo\"")));

    const Result listed = lnsdb({QStringLiteral("list-plugins"), QStringLiteral("Demo")});
    EXPECT_TRUE(listed.out.contains(QStringLiteral("9000A5E018040100  command 13  class 7")))
        << listed.out.toStdString();
    // Only the program id asked for.
    EXPECT_FALSE(listed.out.contains(QStringLiteral("9000A5E018040000")));
    // The plug-in was done after the command and left.
    EXPECT_TRUE(pluginEnds());
}

TEST_F(PluginDirectorEndToEndTest, RegisteringInAnUnknownNetworkFails)
{
    writeServiceFile();
    ASSERT_EQ(lnsdb({QStringLiteral("demo")}).code, 0);
    const Result r = lnsdb(
        {QStringLiteral("register-plugin"), QStringLiteral("Nowhere"), QStringLiteral("9000A5E018040100")});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(pluginEnds());
}

TEST_F(PluginDirectorEndToEndTest, StartPluginForAnUnknownDeviceEndsTheActivatedProgram)
{
    writeServiceFile();
    ASSERT_EQ(lnsdb({QStringLiteral("demo")}).code, 0);
    const Result r =
        lnsdb({QStringLiteral("start-plugin"), QStringLiteral("Demo\\LNS System.Floor 1\\No Such Device")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    // The refusal's message box had nobody to answer it and did not hold the program.
    EXPECT_TRUE(pluginEnds());
}

TEST_F(PluginDirectorEndToEndTest, WithoutTheServiceFileThePlugInIsNotKnown)
{
    const Result r =
        lnsdb({QStringLiteral("start-plugin"), QStringLiteral("Demo\\LNS System.Floor 1\\RX24 Full")});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("is not known to the session bus"))) << r.err.toStdString();
    EXPECT_EQ(r.err.count(QLatin1Char('\n')), 1);
}

TEST_F(PluginDirectorEndToEndTest, WithoutASessionBusTheDirectorSaysSo)
{
    QProcessEnvironment env = m_env;
    env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    const Result r = lnsdb({QStringLiteral("register-plugin"), QStringLiteral("Demo")}, env);
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("no D-Bus session bus"))) << r.err.toStdString();
}
