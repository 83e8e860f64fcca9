// The built tarvinaRX24 started the way a script or a director's command line
// starts it, without a display: every run ends on its own, and its exit
// status and standard streams tell what happened.
#include "platform/netdb/NetworkDatabase.h"
#include "support/DeviceState.h"
#include "support/PgTestServer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

const QString Program = QStringLiteral(RX24_BINARY_DIR "/bin/tarvinaRX24");
const QString Lnsdb = QStringLiteral(RX24_BINARY_DIR "/bin/lnsdb");
const QString Tour = QStringLiteral(RX24_BINARY_DIR "/bin/rx24-screenshots");

class PlugInProgramRun : public ::testing::Test
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
        ASSERT_TRUE(QFileInfo::exists(Program)) << "build tarvinaRX24 first";
        ASSERT_TRUE(m_dir.isValid());
        for (const char *folder : {"config/velto", "data", "run"})
            ASSERT_TRUE(QDir().mkpath(path(folder)));
        QFile::setPermissions(path("run"),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        useDatabase(path("net.lnsdb"));

        m_env = QProcessEnvironment::systemEnvironment();
        m_env.insert(QStringLiteral("XDG_CONFIG_HOME"), path("config"));
        m_env.insert(QStringLiteral("XDG_DATA_HOME"), path("data"));
        m_env.insert(QStringLiteral("XDG_RUNTIME_DIR"), path("run"));
        m_env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        for (const char *name :
             {"DISPLAY", "WAYLAND_DISPLAY", "DBUS_STARTER_BUS_TYPE", "DBUS_SESSION_BUS_ADDRESS"})
            m_env.remove(QString::fromUtf8(name));

        QProcess demo;
        demo.setProcessEnvironment(m_env);
        demo.start(Lnsdb, {QStringLiteral("demo")});
        ASSERT_TRUE(demo.waitForFinished(60000));
        ASSERT_EQ(demo.exitCode(), 0) << demo.readAllStandardError().toStdString();
    }

    void useDatabase(const QString &file)
    {
        QSettings settings(path("config/velto/registry.ini"), QSettings::IniFormat);
        settings.setValue(QStringLiteral("SOFTWARE/velto/LNS/DatabasePath"), file);
        settings.sync();
    }

    // Runs the plug-in; a run that does not end within 30 s is killed and
    // gives the code -1.
    Result run(const QStringList &args) { return run(args, m_env); }

    Result run(const QStringList &args, const QProcessEnvironment &env)
    {
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(Program, args);
        Result r;
        if (!process.waitForFinished(30000)) {
            process.kill();
            process.waitForFinished(5000);
            r.err = QStringLiteral("the plug-in did not end");
            return r;
        }
        r.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        r.out = QString::fromLocal8Bit(process.readAllStandardOutput());
        r.err = QString::fromLocal8Bit(process.readAllStandardError());
        return r;
    }

    static QStringList command(const QString &objectName)
    {
        return {QStringLiteral("/COMMANDID:13"), QStringLiteral("/CLASSID:7"),
                QStringLiteral("/OBJECTNAME:") + objectName};
    }

    QString path(const char *relative) const { return m_dir.filePath(QString::fromUtf8(relative)); }

    // The first line the plug-in wrote to standard error, past the offscreen
    // platform's notices that it hints no window sizes.
    static QString firstLine(const QString &err)
    {
        for (const QString &line : err.split(QLatin1Char('\n'))) {
            if (!line.startsWith(QStringLiteral("This plugin does not support")))
                return line;
        }
        return QString();
    }

    QString lnsdb(const QStringList &args)
    {
        QProcess process;
        process.setProcessEnvironment(m_env);
        process.start(Lnsdb, args);
        process.waitForFinished(30000);
        return QString::fromLocal8Bit(process.readAllStandardError());
    }

    QTemporaryDir m_dir;
    QProcessEnvironment m_env;
};

const QString AboutLine = QStringLiteral("velto tarvina RX24 (");

} // namespace

TEST_F(PlugInProgramRun, WithoutAPersonToAnswerTheAboutTextIsPrintedAndOptionsNotUnderstoodAreSaidFirst)
{
    struct Row
    {
        QStringList args;
        int code;
        QString firstErrorLine; // empty: nothing on standard error is asked for
    };
    const Row rows[] = {
        {{}, 0, {}},
        {{QStringLiteral("/COMMANDID:13"), QStringLiteral("/CLASSID:7"),
          QStringLiteral("/OBJECTNAM:Demo\\LNS System.Floor 1\\RX24 Full")},
         2,
         QStringLiteral("tarvina RX24: unknown option /OBJECTNAM:Demo\\LNS System.Floor 1\\RX24 Full")},
        {{QStringLiteral("/regserver"), QStringLiteral("extra")},
         2,
         QStringLiteral("tarvina RX24: unknown option /regserver extra")},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.args.join(QLatin1Char(' ')).toStdString());
        const Result r = run(row.args);
        EXPECT_EQ(r.code, row.code) << r.err.toStdString();
        EXPECT_TRUE(r.out.contains(AboutLine)) << r.out.toStdString();
        if (!row.firstErrorLine.isEmpty()) {
            EXPECT_EQ(r.err.section(QLatin1Char('\n'), 0, 0), row.firstErrorLine) << r.err.toStdString();
        }
    }
}

TEST_F(PlugInProgramRun, WithoutADisplayAWindowStartSaysSoInOneLineAndTheRestRuns)
{
    QProcessEnvironment headless = m_env;
    headless.remove(QStringLiteral("QT_QPA_PLATFORM"));
    const QString device = QStringLiteral("Demo\\LNS System.Floor 1\\RX24 Full");

    Result r = run(command(device), headless);
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(firstLine(r.err).startsWith(QStringLiteral(
        "tarvina RX24: no display to open the window on: neither DISPLAY nor WAYLAND_DISPLAY is set")))
        << r.err.toStdString();

    // A display that is named but not there.
    int unused = 200;
    while (QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(unused)))
        ++unused;
    QProcessEnvironment gone = headless;
    gone.insert(QStringLiteral("DISPLAY"), QStringLiteral(":%1").arg(unused));
    r = run(command(device), gone);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(firstLine(r.err),
              QStringLiteral("tarvina RX24: the display \":%1\" cannot be reached, so the window "
                             "cannot open")
                  .arg(unused))
        << r.err.toStdString();

    // Starts that show no window need none.
    r = run({QStringLiteral("/regserver")}, headless);
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(path("data/dbus-1/services/veltoTarvinaRX24.Application.service")));
    r = run({}, headless);
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(AboutLine)) << r.out.toStdString();
}

TEST_F(PlugInProgramRun, HelpPrintsTheUsageAndChangesNothing)
{
    const auto settingsFile = [this] {
        QFile file(path("config/velto/registry.ini"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray settings = settingsFile();
    for (const QStringList &args : {QStringList{QStringLiteral("--help")}, QStringList{QStringLiteral("-h")},
                                    command(QStringLiteral("Demo\\LNS System.Floor 1\\RX24 Full")) +
                                        QStringList{QStringLiteral("--help")}}) {
        SCOPED_TRACE(args.join(QLatin1Char(' ')).toStdString());
        const Result r = run(args);
        EXPECT_EQ(r.code, 0);
        EXPECT_TRUE(
            r.out.startsWith(QStringLiteral("Usage: tarvinaRX24 /COMMANDID:n /CLASSID:n /OBJECTNAME:name")))
            << r.out.toStdString();
        EXPECT_TRUE(r.out.contains(QStringLiteral("\n1 the start failed with its message")))
            << r.out.toStdString();
        EXPECT_EQ(r.err, QString());
    }
    EXPECT_FALSE(QFileInfo::exists(path("data/dbus-1"))) << "the service file was written";
    EXPECT_EQ(settingsFile(), settings);
}

TEST_F(PlugInProgramRun, ATermEndsTheProgramWhileAStartMessageBoxWaits)
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty())
        GTEST_SKIP() << "Xvfb is missing (scripts/setup-packages.sh installs it)";
    // A real X display, where a box waits for its answer.
    int number = 300;
    while (QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)) ||
           QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)))
        ++number;
    QProcess server;
    server.start(xvfb,
                 {QStringLiteral(":%1").arg(number), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    ASSERT_TRUE(server.waitForStarted());
    for (int i = 0; i < 100 && !QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)); ++i)
        QThread::msleep(100);

    QProcessEnvironment x11 = m_env;
    x11.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    x11.insert(QStringLiteral("DISPLAY"), QStringLiteral(":%1").arg(number));
    QProcess plugIn;
    plugIn.setProcessEnvironment(x11);
    plugIn.start(Program, command(QStringLiteral("Demo\\LNS System.Floor 1\\No Such Device")));
    ASSERT_TRUE(plugIn.waitForStarted());
    EXPECT_FALSE(plugIn.waitForFinished(3000)) << "no box waited";
    plugIn.terminate();
    const bool ended = plugIn.waitForFinished(10000);
    if (!ended) {
        plugIn.kill();
        plugIn.waitForFinished(5000);
    }
    server.terminate();
    server.waitForFinished(5000);
    ASSERT_TRUE(ended) << "SIGTERM did not end the plug-in";
    EXPECT_EQ(plugIn.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(plugIn.exitCode(), 1);
    // The closed box's text is not lost.
    EXPECT_EQ(
        firstLine(QString::fromLocal8Bit(plugIn.readAllStandardError())),
        QStringLiteral("No Such Device: INI file consistency error !  Please reinstall and re-register the "
                       "plug-in."));
}

TEST_F(PlugInProgramRun, ExitStatusAndFirstLineTellAFailedStartFromAnOpenedDevice)
{
    // A device of the RX24's program id made from another interface.
    QFile bare(path("bare.xif"));
    ASSERT_TRUE(bare.open(QIODevice::WriteOnly));
    bare.write("ProgramId 9000A5E018040100\nObject Node profile=0\n");
    bare.close();
    ASSERT_EQ(lnsdb({QStringLiteral("add-device"), QStringLiteral("Demo\\LNS System.Floor 1\\Bare"),
                     bare.fileName()}),
              QString());

    struct Row
    {
        QString objectName;
        QString firstLine; // how the first line on standard error begins
    };
    const QString noDevice =
        QStringLiteral("tarvina RX24: The object name \"%1\" names no device; the plug-in "
                       "configures one device (network\\system.subsystem\\device).");
    const Row rows[] = {
        {QStringLiteral("Demo\\LNS System.Floor 1\\No Such Device"),
         QStringLiteral("No Such Device: INI file consistency error !")},
        {QStringLiteral("Demo\\Other System.Floor 1\\RX24 Full"),
         QStringLiteral(
             "tarvina RX24: The object name \"Demo\\Other System.Floor 1\\RX24 Full\" names no system or "
             "subsystem of the project")},
        {QStringLiteral("Demo\\LNS System.Floor 1\\RX24 Full\\Channel1"),
         QStringLiteral(
             "tarvina RX24: The object name \"Demo\\LNS System.Floor 1\\RX24 Full\\Channel1\" names levels "
             "behind the device")},
        {QStringLiteral("Nowhere\\LNS System.Floor 1\\RX24 Full"),
         QStringLiteral("tarvina RX24: The project \"Nowhere\" cannot be opened in the network database \"") +
             path("net.lnsdb") + QStringLiteral("\": there is no network of that name (error 4001)")},
        // Once an empty window titled with the first subsystem.
        {QStringLiteral("Demo"), noDevice.arg(QStringLiteral("Demo"))},
        {QStringLiteral("Demo\\LNS System.Floor 1"),
         noDevice.arg(QStringLiteral("Demo\\LNS System.Floor 1"))},
        {QStringLiteral("Demo\\LNS System.Floor 1\\Bare"),
         QStringLiteral(
             "tarvina RX24: The device \"Bare\" lacks what the plug-in configures: it has 1 LonMark "
             "objects where a node object and 16 channel objects are needed.")},
    };
    // The opened device's window stays until the program is told to end.
    QProcess opened;
    opened.setProcessEnvironment(m_env);
    opened.start(Program, command(QStringLiteral("Demo\\LNS System.Floor 1\\RX24 Full")));
    ASSERT_TRUE(opened.waitForStarted());
    EXPECT_FALSE(opened.waitForFinished(4000)) << opened.readAllStandardError().toStdString();
    opened.terminate();
    ASSERT_TRUE(opened.waitForFinished(15000));
    EXPECT_EQ(opened.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(opened.exitCode(), 0);
    for (const Row &row : rows) {
        SCOPED_TRACE(row.objectName.toStdString());
        const Result r = run(command(row.objectName));
        EXPECT_EQ(r.code, 1) << r.err.toStdString();
        EXPECT_TRUE(firstLine(r.err).startsWith(row.firstLine)) << r.err.toStdString();
    }
}

TEST_F(PlugInProgramRun, TheWindowAndTheEndSwitchTheMonitoringOfTheDevicesPoints)
{
    // A private copy of the program beside its data files writes a log of its own.
    const QString folder = path("program");
    ASSERT_TRUE(QDir().mkpath(folder));
    for (const char *file : {"tarvinaRX24", "tarvinaRX24.ini", "RX24.ini", "RX24.xif"})
        ASSERT_TRUE(QFile::copy(QStringLiteral(RX24_BINARY_DIR "/bin/") + QLatin1String(file),
                                folder + QLatin1Char('/') + QLatin1String(file)))
            << file;
    QFile log(folder + QStringLiteral("/tarvinaRX24.LOG"));
    const auto traces = [&log] {
        QStringList lines;
        if (log.open(QIODevice::ReadOnly | QIODevice::Text)) {
            for (const QString &line : QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'))) {
                if (line.contains(QLatin1String("TRACE [")))
                    lines << line.mid(line.indexOf(QLatin1String("TRACE [")) + 6);
            }
            log.close();
        }
        return lines;
    };

    QProcess opened;
    opened.setProcessEnvironment(m_env);
    opened.start(folder + QStringLiteral("/tarvinaRX24"),
                 command(QStringLiteral("Demo\\LNS System.Floor 1\\RX24 Full")));
    ASSERT_TRUE(opened.waitForStarted());
    const QString shown = QStringLiteral("[frmMain] Public Sub Display()");
    for (int waited = 0; waited < 300 && !traces().contains(shown); ++waited)
        opened.waitForFinished(100);
    opened.terminate();
    ASSERT_TRUE(opened.waitForFinished(15000));

    // Showing the configuration switches monitoring off; so does the end, before the connection closes.
    const QStringList lines = traces();
    const QString off = QStringLiteral("[M_PlugIn] Public Sub SetMonitoring(False)");
    const qsizetype display = lines.indexOf(shown);
    const qsizetype end = lines.indexOf(QStringLiteral("[M_LcaPlugIn] Public Sub EndApp()"));
    ASSERT_GE(display, 0) << lines.join(QLatin1Char('\n')).toStdString();
    ASSERT_GT(end, display);
    EXPECT_GT(lines.indexOf(off, display), display) << lines.join(QLatin1Char('\n')).toStdString();
    EXPECT_GT(lines.indexOf(off, end), end) << lines.join(QLatin1Char('\n')).toStdString();
}

TEST_F(PlugInProgramRun, ADamagedDatabaseEndsTheStartWithItsCauseInTheUsersLanguage)
{
    // 4 KB overwritten in the middle of the file: the root page of the device table.
    const QString damaged = path("damaged.lnsdb");
    ASSERT_TRUE(QFile::copy(path("net.lnsdb"), damaged));
    int rootPage = 0;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("damage"));
        db.setDatabaseName(damaged);
        ASSERT_TRUE(db.open());
        QSqlQuery query(QStringLiteral("SELECT rootpage FROM sqlite_master WHERE name = 'devices'"), db);
        ASSERT_TRUE(query.next());
        rootPage = query.value(0).toInt();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("damage"));
    QFile file(damaged);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.seek(qint64(rootPage - 1) * 4096));
    file.write(QByteArray(4096, 'Z'));
    file.close();
    useDatabase(damaged);

    struct Row
    {
        int language;
        QStringList lines; // the first two lines on standard error
    };
    const Row rows[] = {
        {0,
         {QStringLiteral(
              "tarvina RX24: The network database \"%1\" cannot be used: it is damaged (database disk "
              "image is malformed) (error 4012)"),
          QStringLiteral("RX24 Full: The LNS server can not be opened ! tarvina RX24 is being closed.")}},
        {1000,
         {QStringLiteral(
              "tarvina RX24: Die Netzwerkdatenbank \"%1\" ist nicht verwendbar: sie ist beschädigt "
              "(database disk image is malformed) (Fehler 4012)"),
          QStringLiteral(
              "RX24 Full: Der LNS-Server kann nicht geöffnet werden ! tarvina RX24 wird beendet.")}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.language);
        QSettings settings(path("config/velto/registry.ini"), QSettings::IniFormat);
        settings.setValue(QStringLiteral("SOFTWARE/velto/koradesk Register/Options/Language"), row.language);
        settings.sync();
        const Result r = run(command(QStringLiteral("Demo\\LNS System.Floor 1\\RX24 Full")));
        EXPECT_EQ(r.code, 1);
        QStringList lines = r.err.split(QLatin1Char('\n'));
        lines.removeIf([](const QString &line) { return line != firstLine(line); });
        ASSERT_GE(lines.size(), 2) << r.err.toStdString();
        EXPECT_EQ(lines.at(0), row.lines.at(0).arg(damaged));
        EXPECT_EQ(lines.at(1), row.lines.at(1));
    }
}

TEST_F(PlugInProgramRun, TheWindowOpenedFromTheCommandLineWritesTheDeviceOnApply)
{
    // The window tour starts the program's window through the same start as
    // tarvinaRX24, gives channel 2 of module 1 an object and a function and
    // clicks Apply, then opens the manual with F1; it ends with 0 only when
    // the write logged nothing red and the manual opened.
    const auto written = [this] {
        NetworkDatabase db(path("net.lnsdb"), NetworkDatabase::OpenMode::ReadOnly);
        db.connectServer(0);
        return DeviceState::of(db.device(QStringLiteral("Demo"), QStringLiteral("LNS System.Floor 1"),
                                         QStringLiteral("RX24 Partial")));
    };
    const QStringList before = written();
    QProcess tour;
    tour.setProcessEnvironment(m_env);
    tour.start(Tour, {path("pictures"), QStringLiteral("Demo\\LNS System.Floor 1\\RX24 Partial")});
    ASSERT_TRUE(tour.waitForFinished(30000));
    EXPECT_EQ(tour.exitCode(), 0) << tour.readAllStandardError().toStdString();
    const std::string change = DeviceState::difference(before, written());
    EXPECT_NE(change.find("ModuleChannel"), std::string::npos) << change;
    for (const char *picture : {"device.png", "module.png", "logger.png", "help.png"})
        EXPECT_GT(QFileInfo(path("pictures/") + QLatin1String(picture)).size(), 1000) << picture;
}

// A team's project on the server: the plug-in started remotely opens the
// server its settings name (not the desk's file), and Apply writes the device
// there. Over the Internet it opens it only encrypted.
TEST_F(PlugInProgramRun, ARemoteStartOpensTheSettingsServerAndApplyWritesThere)
{
    const PgTestSchema project(QStringLiteral("remote"));
    QProcess demo;
    demo.setProcessEnvironment(m_env);
    demo.start(Lnsdb, {QStringLiteral("--db"), project.uri(), QStringLiteral("demo")});
    ASSERT_TRUE(demo.waitForFinished(60000));
    ASSERT_EQ(demo.exitCode(), 0) << demo.readAllStandardError().toStdString();
    useDatabase(path("nowhere/desk.lnsdb"));
    const auto useServer = [this](const QString &uri) {
        QSettings settings(path("config/velto/registry.ini"), QSettings::IniFormat);
        settings.setValue(QStringLiteral("SOFTWARE/velto/LNS/Server"), uri);
    };
    useServer(project.uri());
    const QString device = QStringLiteral("Demo\\LNS System.Floor 1\\RX24 Partial");
    const auto written = [&] {
        NetworkDatabase db(project.uri(), NetworkDatabase::OpenMode::ReadOnly);
        db.connectServer(0);
        return DeviceState::of(db.device(QStringLiteral("Demo"), QStringLiteral("LNS System.Floor 1"),
                                         QStringLiteral("RX24 Partial")));
    };
    const auto tour = [&](const QStringList &options) {
        QProcess process;
        process.setProcessEnvironment(m_env);
        process.start(Tour, QStringList{path("pictures"), device} + options);
        EXPECT_TRUE(process.waitForFinished(30000));
        return std::pair{process.exitCode(), QString::fromLocal8Bit(process.readAllStandardError())};
    };

    const QStringList before = written();
    auto [code, err] = tour({QStringLiteral("/REMOTE")});
    EXPECT_EQ(code, 0) << err.toStdString();
    const std::string change = DeviceState::difference(before, written());
    EXPECT_NE(change.find("ModuleChannel"), std::string::npos) << change;
    EXPECT_FALSE(QFileInfo::exists(path("nowhere/desk.lnsdb")));

    const Result plain =
        run(command(device) + QStringList{QStringLiteral("/REMOTE"), QStringLiteral("/NI:Internet")});
    EXPECT_NE(plain.code, 0);
    EXPECT_TRUE(plain.err.contains(QStringLiteral("sslmode=require"))) << plain.err.toStdString();

    useServer(project.uri() + QStringLiteral("&sslmode=require"));
    std::tie(code, err) = tour({QStringLiteral("/REMOTE"), QStringLiteral("/NI:Internet")});
    EXPECT_EQ(code, 0) << err.toStdString();
}
