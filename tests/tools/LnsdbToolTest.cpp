// The lnsdb tool as a user drives it: exit codes, messages and the demo
// network that the plug-in opens.
#include "LnsdbTool.h"

#include "director/DemoNetwork.h"
#include "platform/lns/LnsError.h"
#include "platform/netdb/DeviceInterfaceFile.h"
#include "platform/netdb/NetworkDatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

long lnsErrorNumberOf(const std::function<void()> &call)
{
    try {
        call();
    } catch (const AppError &error) {
        return error.number() == 0 ? -1 : error.number();
    }
    return 0;
}

const QString kFull = QStringLiteral("Demo\\LNS System.Floor 1\\RX24 Full");
const QString kRx24Xif = QStringLiteral(RX24_SOURCE_DIR "/resources/data/RX24.xif");

class LnsdbToolTest : public ::testing::Test
{
protected:
    struct Result
    {
        int code;
        QString out;
        QString err;
    };

    Result run(QStringList args)
    {
        QString out;
        QString err;
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        LnsdbTool tool(outStream, errStream);
        args.prepend(m_db);
        args.prepend(QStringLiteral("--db"));
        const int code = tool.run(args);
        outStream.flush();
        errStream.flush();
        return {code, out, err};
    }

    void createDemo()
    {
        NetworkDatabase db(m_db, NetworkDatabase::OpenMode::Create);
        db.connectServer(0);
        DemoNetwork(db).create(kRx24Xif);
    }

    // Rows of every table that holds part of a network.
    QList<int> rowCounts() const
    {
        QList<int> counts;
        {
            QSqlDatabase db =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("row-counts"));
            db.setDatabaseName(m_db);
            EXPECT_TRUE(db.open());
            for (const char *table : {"subsystems", "devices", "lonmark_objects", "nvs", "cps"}) {
                QSqlQuery query(db);
                EXPECT_TRUE(query.exec(QStringLiteral("SELECT count(*) FROM %1").arg(QLatin1String(table))));
                counts.append(query.next() ? query.value(0).toInt() : -1);
            }
        }
        QSqlDatabase::removeDatabase(QStringLiteral("row-counts"));
        return counts;
    }

    QTemporaryDir m_dir;
    QString m_db = m_dir.filePath(QStringLiteral("networks.lnsdb"));
};

TEST_F(LnsdbToolTest, BadArgumentsGiveOneLineAndExitCodeTwo)
{
    for (const QStringList &args :
         {QStringList{}, QStringList{QStringLiteral("frobnicate")},
          QStringList{QStringLiteral("get-cp"), kFull},
          QStringList{QStringLiteral("list-networks"), QStringLiteral("extra")},
          QStringList{QStringLiteral("--db"), QString(), QStringLiteral("list-networks")},
          QStringList{QStringLiteral("--db="), QStringLiteral("create")},
          QStringList{QStringLiteral("--bogus"), QStringLiteral("list-networks")}}) {
        const Result r = run(args);
        EXPECT_EQ(r.code, LnsdbTool::BadArguments) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(r.err.count(QLatin1Char('\n')), 1) << r.err.toStdString();
        EXPECT_TRUE(r.err.startsWith(QLatin1String("lnsdb: ")));
    }
}

TEST_F(LnsdbToolTest, MissingOrCorruptDatabaseIsNamedAndLeftAlone)
{
    Result r = run({QStringLiteral("list-networks")});
    EXPECT_EQ(r.code, LnsdbTool::Failed);
    EXPECT_TRUE(r.err.contains(m_db));
    EXPECT_FALSE(QFile::exists(m_db)) << "a read command must not create the database";

    QFile garbage(m_db);
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("this is not a database at all, just some text that fills a page");
    garbage.close();
    r = run({QStringLiteral("demo")});
    EXPECT_EQ(r.code, LnsdbTool::Failed);
    EXPECT_TRUE(r.err.contains(m_db));
    EXPECT_TRUE(r.err.contains(QStringLiteral("not a database"))) << r.err.toStdString();
    ASSERT_TRUE(garbage.open(QIODevice::ReadOnly));
    EXPECT_TRUE(garbage.readAll().startsWith("this is not a database"));
    garbage.close();

    // An empty file stays empty under every command but create and demo.
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly | QIODevice::Truncate));
    garbage.close();
    for (const QStringList &args : {QStringList{QStringLiteral("list-networks")},
                                    QStringList{QStringLiteral("create-network"), QStringLiteral("N")}}) {
        r = run(args);
        EXPECT_EQ(r.code, LnsdbTool::Failed) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("empty"))) << r.err.toStdString();
        EXPECT_EQ(QFileInfo(m_db).size(), 0);
    }
}

// The read commands open the file read-only, also where the reader cannot
// write beside it, so that SQLite cannot make the index of its write-ahead log.
TEST_F(LnsdbToolTest, ReadCommandsWorkInAFolderTheReaderCannotWriteTo)
{
    const QString folder = m_dir.filePath(QStringLiteral("shelf"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString file = folder + QStringLiteral("/networks.lnsdb");
    {
        NetworkDatabase db(file, NetworkDatabase::OpenMode::Create);
        db.connectServer(0);
        DemoNetwork(db).create(kRx24Xif);
    }
    ASSERT_FALSE(QFileInfo::exists(file + QStringLiteral("-shm")));
    // File permissions do not bind root: the reader is then another user.
    QStringList runner;
    const auto readable = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                          QFile::ReadOther | QFile::ExeOther;
    if (geteuid() == 0) {
        const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
        if (setpriv.isEmpty())
            GTEST_SKIP() << "setpriv is missing";
        runner = {setpriv, QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                  QStringLiteral("--clear-groups")};
        QFile::setPermissions(m_dir.path(), readable | QFile::WriteOwner);
        QFile::setPermissions(folder, readable | QFile::WriteOwner);
        QFile::setPermissions(file,
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    } else {
        QFile::setPermissions(folder, readable);
    }
    const auto lnsdb = [&](const QStringList &args) {
        QProcess process;
        QStringList command = runner;
        command << QStringLiteral(RX24_BINARY_DIR "/bin/lnsdb") << QStringLiteral("--db") << file << args;
        process.start(command.takeFirst(), command);
        process.waitForFinished(30000);
        return Result{process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()),
                      QString::fromLocal8Bit(process.readAllStandardError())};
    };
    const Result devices = lnsdb({QStringLiteral("list-devices"), QStringLiteral("Demo")});
    EXPECT_EQ(devices.code, 0) << devices.err.toStdString();
    EXPECT_TRUE(devices.out.contains(QStringLiteral("RX24 Full  program id"))) << devices.out.toStdString();
    const Result cp =
        lnsdb({QStringLiteral("get-cp"), kFull, QStringLiteral("device"), QStringLiteral("DeviceModules")});
    EXPECT_EQ(cp.code, 0) << cp.err.toStdString();
    // A write is refused as before, with the reason.
    const Result write = lnsdb({QStringLiteral("set-reachable"), kFull, QStringLiteral("no")});
    EXPECT_EQ(write.code, LnsdbTool::Failed);
    EXPECT_TRUE(write.err.contains(QStringLiteral("read-only"))) << write.err.toStdString();
    QFile::setPermissions(folder, readable | QFile::WriteOwner);
}

// A name with more levels than network\system.subsystem\device must not act
// on the device its first levels name.
TEST_F(LnsdbToolTest, NamesWithExtraLevelsAreRefused)
{
    createDemo();
    const QString slash = QStringLiteral("Demo\\LNS System.Floor 1\\dev with / slash");
    const QString behind = kFull + QStringLiteral("\\anything");
    const struct
    {
        QStringList args;
        int code;
    } cases[] = {
        {{QStringLiteral("add-device"), slash, kRx24Xif}, LnsdbTool::BadArguments},
        {{QStringLiteral("remove-device"), behind}, LnsdbTool::BadArguments},
        {{QStringLiteral("set-reachable"), behind, QStringLiteral("no")}, LnsdbTool::BadArguments},
        {{QStringLiteral("get-cp"), behind, QStringLiteral("1"), QStringLiteral("FptIndex")},
         LnsdbTool::BadArguments},
        {{QStringLiteral("list-devices"), QStringLiteral("Demo\\LNS System")}, LnsdbTool::BadArguments},
        {{QStringLiteral("create-network"), QStringLiteral("Plant/East")}, LnsdbTool::Failed},
        {{QStringLiteral("create-subsystem"), QStringLiteral("Demo"), QStringLiteral("LNS System.A\\B")},
         LnsdbTool::Failed},
    };
    for (const auto &c : cases) {
        const Result r = run(c.args);
        EXPECT_EQ(r.code, c.code) << c.args.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(r.err.count(QLatin1Char('\n')), 1) << r.err.toStdString();
    }
    const Result list = run({QStringLiteral("list-devices"), QStringLiteral("Demo")});
    EXPECT_FALSE(list.out.contains(QStringLiteral("dev with")));
    EXPECT_TRUE(list.out.contains(QStringLiteral("RX24 Full  program id")));
    EXPECT_FALSE(list.out.contains(QStringLiteral("RX24 Full  program id 9000A5E018040100  (unreachable)")));
    EXPECT_EQ(run({QStringLiteral("list-networks")}).out, QStringLiteral("Demo\n"));
    EXPECT_EQ(run({QStringLiteral("list-subsystems"), QStringLiteral("Demo")}).out,
              QStringLiteral("LNS System.Floor 1\n"));
}

TEST_F(LnsdbToolTest, HelpNamesEveryCommand)
{
    const QString help = LnsdbTool::helpText();
    for (const char *cmd : {"create-network", "add-device", "list-objects", "set-cp", "set-nv-type",
                            "set-reachable", "demo", "list-plugins", "generate --network", "remove-network"})
        EXPECT_TRUE(help.contains(QLatin1String(cmd))) << cmd;
}

TEST_F(LnsdbToolTest, DemoListsItsDevicesAndIsCreatedOnce)
{
    EXPECT_EQ(run({QStringLiteral("demo")}).code, 0);
    const Result again = run({QStringLiteral("demo")});
    EXPECT_EQ(again.code, 0);
    EXPECT_TRUE(again.out.contains(QLatin1String("exists already")));

    const Result list = run({QStringLiteral("list-devices"), QStringLiteral("Demo")});
    ASSERT_EQ(list.code, 0);
    EXPECT_EQ(list.out.count(QLatin1Char('\n')), 5);
    EXPECT_TRUE(list.out.contains(QLatin1String("RX24 Offline  program id 9000A5E018040100  (unreachable)")));
    EXPECT_TRUE(list.out.contains(QLatin1String("Room Sensor  program id 9000A5E0FF000001\n")));
}

// The demo goes in as one transaction; a run that failed leaves nothing, and
// a demo that an interrupted older run left behind is completed.
TEST_F(LnsdbToolTest, DemoIsAllOrNothingAndCompletesWhatIsMissing)
{
    // An interface file whose channel objects lack a CP the configuration writes.
    QFile full(kRx24Xif);
    ASSERT_TRUE(full.open(QIODevice::ReadOnly));
    QByteArray text = full.readAll();
    const qsizetype at = text.indexOf("CP ActuateType");
    ASSERT_GE(at, 0);
    text.remove(at, text.indexOf('\n', at) - at);
    const QString broken = m_dir.filePath(QStringLiteral("broken.xif"));
    QFile out(broken);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(text);
    out.close();
    {
        NetworkDatabase db(m_db, NetworkDatabase::OpenMode::Create);
        db.connectServer(0);
        EXPECT_NE(lnsErrorNumberOf([&] { DemoNetwork(db).create(broken); }), 0);
        EXPECT_TRUE(db.networkNames().isEmpty());

        // What an interrupted run of an older version left: one device.
        db.createNetwork(DemoNetwork::networkName(), QStringLiteral("LNS System"));
        db.addDevice(DemoNetwork::networkName(), DemoNetwork::subsystemPath(), QStringLiteral("RX24 New"),
                     DeviceInterfaceFile::parse(kRx24Xif));
        EXPECT_FALSE(DemoNetwork(db).exists());
    }
    const Result completed = run({QStringLiteral("demo")});
    EXPECT_EQ(completed.code, 0) << completed.err.toStdString();
    EXPECT_TRUE(completed.out.contains(QStringLiteral("Completed"))) << completed.out.toStdString();
    EXPECT_EQ(run({QStringLiteral("list-devices"), QStringLiteral("Demo")}).out.count(QLatin1Char('\n')), 5);
    EXPECT_EQ(
        run({QStringLiteral("get-cp"), kFull, QStringLiteral("device"), QStringLiteral("DeviceModules")}).out,
        QStringLiteral("2 5 8 0 255 255 255 255\n"));
    EXPECT_TRUE(run({QStringLiteral("demo")}).out.contains(QStringLiteral("exists already")));
}

TEST_F(LnsdbToolTest, CpAndNvValuesRoundTripAndBadValuesAreRefused)
{
    createDemo();
    EXPECT_EQ(run({QStringLiteral("set-cp"), kFull, QStringLiteral("3"), QStringLiteral("Scenes"),
                   QStringLiteral("1,2"), QStringLiteral("3")})
                  .code,
              LnsdbTool::Failed)
        << "a value with too few bytes must be refused by the database";
    EXPECT_EQ(run({QStringLiteral("set-cp"), kFull, QStringLiteral("1"), QStringLiteral("ModuleNumber"),
                   QStringLiteral("256")})
                  .code,
              LnsdbTool::BadArguments);
    ASSERT_EQ(run({QStringLiteral("set-cp"), kFull, QStringLiteral("Light Hall"), QStringLiteral("FptIndex"),
                   QStringLiteral("0"), QStringLiteral("5")})
                  .code,
              0);
    EXPECT_EQ(run({QStringLiteral("get-cp"), kFull, QStringLiteral("2"), QStringLiteral("FptIndex")}).out,
              QStringLiteral("0 5\n"));

    EXPECT_EQ(run({QStringLiteral("set-nv-type"), kFull, QStringLiteral("2"), QStringLiteral("Output"),
                   QStringLiteral("8")})
                  .code,
              LnsdbTool::Failed);
    ASSERT_EQ(run({QStringLiteral("set-nv-type"), kFull, QStringLiteral("2"), QStringLiteral("Output"),
                   QStringLiteral("81")})
                  .code,
              0);
    EXPECT_TRUE(run({QStringLiteral("get-nv"), kFull, QStringLiteral("2"), QStringLiteral("Output")})
                    .out.startsWith(QLatin1String("type 81")));

    const Result garbage = run({QStringLiteral("set-nv-value"), kFull, QStringLiteral("2"),
                                QStringLiteral("PrimeValue"), QStringLiteral("garbage text")});
    EXPECT_EQ(garbage.code, LnsdbTool::Failed);
    EXPECT_EQ(garbage.err, QStringLiteral("lnsdb: The value \"garbage text\" does not fit network variable "
                                          "\"PrimeValue\" of type SNVT_switch.\n"));
}

TEST_F(LnsdbToolTest, ReachabilityCanBeSwitched)
{
    createDemo();
    const QString offline = QStringLiteral("Demo/LNS System.Floor 1/RX24 Offline");
    ASSERT_EQ(run({QStringLiteral("set-reachable"), offline, QStringLiteral("yes")}).code, 0);
    EXPECT_FALSE(run({QStringLiteral("list-devices"), QStringLiteral("Demo")})
                     .out.contains(QLatin1String("unreachable")));
    EXPECT_EQ(run({QStringLiteral("set-reachable"), offline, QStringLiteral("maybe")}).code,
              LnsdbTool::BadArguments);
}

// A generated network: nested subsystems, the demo's configured states, a few
// unreachable devices and a few of another kind; removing it leaves the rest.
TEST_F(LnsdbToolTest, GeneratedNetworkIsVariedAndRemovedWhole)
{
    createDemo();
    const QList<int> demoRows = rowCounts();
    const Result made = run({QStringLiteral("generate"), QStringLiteral("--network"), QStringLiteral("Big"),
                             QStringLiteral("--devices"), QStringLiteral("60"),
                             QStringLiteral("--subsystems"), QStringLiteral("3")});
    ASSERT_EQ(made.code, 0) << made.err.toStdString();
    EXPECT_TRUE(made.out.contains(QLatin1String("58 RX24 devices (2 unreachable) and 2 of another kind in 3 "
                                                "subsystems")))
        << made.out.toStdString();

    const Result list = run({QStringLiteral("list-devices"), QStringLiteral("Big")});
    ASSERT_EQ(list.code, 0);
    EXPECT_EQ(list.out.count(QLatin1Char('\n')), 60);
    EXPECT_EQ(list.out.count(QLatin1String("(unreachable)")), 2);
    EXPECT_EQ(list.out.count(QLatin1String("program id 9000A5E018040100")), 58);
    EXPECT_TRUE(
        list.out.contains(QLatin1String("Big\\LNS System.Building 1.Floor 3\\RX24 00060  program id")));
    {
        NetworkDatabase db(m_db, NetworkDatabase::OpenMode::ReadOnly);
        db.connectServer(0);
        EXPECT_EQ(db.subsystemPaths(QStringLiteral("Big")),
                  QStringList({QStringLiteral("LNS System.Building 1"),
                               QStringLiteral("LNS System.Building 1.Floor 1"),
                               QStringLiteral("LNS System.Building 1.Floor 2"),
                               QStringLiteral("LNS System.Building 1.Floor 3")}));
        // Devices take the demo's setups in turn: the third one is fully configured.
        const auto full = db.device(QStringLiteral("Big"), QStringLiteral("LNS System.Building 1.Floor 1"),
                                    QStringLiteral("RX24 00003"));
        EXPECT_EQ(full->lonMarkObjects()->item(2)->name(), QStringLiteral("Light Hall"));
        const auto fresh = db.device(QStringLiteral("Big"), QStringLiteral("LNS System.Building 1.Floor 1"),
                                     QStringLiteral("RX24 00001"));
        EXPECT_EQ(fresh->lonMarkObjects()->item(2)->name(), QStringLiteral("Channel1"));
    }

    const Result twice = run({QStringLiteral("generate"), QStringLiteral("--network"), QStringLiteral("Big"),
                              QStringLiteral("--devices"), QStringLiteral("5")});
    EXPECT_EQ(twice.code, 1);
    EXPECT_TRUE(twice.err.contains(QLatin1String("exists already")));
    EXPECT_EQ(run({QStringLiteral("generate"), QStringLiteral("--network"), QStringLiteral("Other"),
                   QStringLiteral("--devices"), QStringLiteral("0")})
                  .code,
              2);

    const Result removed = run({QStringLiteral("remove-network"), QStringLiteral("Big")});
    ASSERT_EQ(removed.code, 0) << removed.err.toStdString();
    EXPECT_TRUE(removed.out.contains(QLatin1String("Removed network \"Big\" with 60 devices.")));
    const Result again = run({QStringLiteral("remove-network"), QStringLiteral("Big")});
    EXPECT_EQ(again.code, 1);
    EXPECT_TRUE(again.err.contains(QLatin1String("There is no network \"Big\"")));
    EXPECT_EQ(run({QStringLiteral("list-networks")}).out, QStringLiteral("Demo\n"));
    EXPECT_EQ(run({QStringLiteral("list-devices"), QStringLiteral("Demo")}).out.count(QLatin1Char('\n')), 5);

    EXPECT_EQ(rowCounts(), demoRows) << "rows of the removed network are left behind";
}
} // namespace
