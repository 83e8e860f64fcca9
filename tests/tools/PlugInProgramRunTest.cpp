// The built tarvinaRX24 started the way a script or a director's command line
// starts it, without a display: every run ends on its own, and its exit
// status and standard streams tell what happened.
#include "platform/netdb/NetworkDatabase.h"
#include "support/DeviceState.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
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
    Result run(const QStringList &args)
    {
        QProcess process;
        process.setProcessEnvironment(m_env);
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

TEST_F(PlugInProgramRun, ExitStatusTellsAFailedStartFromAnOpenedDevice)
{
    struct Row
    {
        QString objectName;
        int code;
        QString errorSays;
    };
    const Row rows[] = {
        {QStringLiteral("Demo\\LNS System.Floor 1\\No Such Device"), 1,
         QStringLiteral("INI file consistency error")},
        {QStringLiteral("Demo\\Other System.Floor 1\\RX24 Full"), 1,
         QStringLiteral("names no system or subsystem of the project")},
        {QStringLiteral("Demo\\LNS System.Floor 1\\RX24 Full\\Channel1"), 1,
         QStringLiteral("names levels behind the device")},
        {QStringLiteral("Nowhere\\LNS System.Floor 1\\RX24 Full"), 1,
         QStringLiteral("The project \"Nowhere\" cannot be opened")},
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
        EXPECT_EQ(r.code, row.code) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(row.errorSays)) << r.err.toStdString();
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

TEST_F(PlugInProgramRun, ADatabaseThatCannotBeOpenedIsNamedWithItsCause)
{
    QFile corrupt(path("corrupt.lnsdb"));
    ASSERT_TRUE(corrupt.open(QIODevice::WriteOnly));
    corrupt.write(QByteArray(4096, 'x'));
    corrupt.close();
    useDatabase(corrupt.fileName());

    const Result r = run(command(QStringLiteral("Demo\\LNS System.Floor 1\\RX24 Full")));
    EXPECT_EQ(r.code, 1);
    // The box's own text, then the file and the reason.
    EXPECT_TRUE(r.err.contains(QStringLiteral("The LNS server can not be opened !"))) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("The network database \"") + corrupt.fileName() +
                               QStringLiteral("\" cannot be opened: ")))
        << r.err.toStdString();
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
