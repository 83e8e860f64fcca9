// The lnsdb tool as a user drives it: exit codes, messages and the demo
// network that the plug-in opens.
#include "LnsdbTool.h"

#include "DemoNetwork.h"
#include "platform/netdb/NetworkDatabase.h"
#include "platform/services/QX_IniFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kFull = QStringLiteral("Demo\\LNS System.Floor 1\\RX24 Full");

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
        NetworkDatabase db(m_db);
        db.connectServer(0);
        DemoNetwork(db).create(QStringLiteral(RX24_SOURCE_DIR "/resources/data/RX24.xif"));
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
    ASSERT_TRUE(garbage.open(QIODevice::ReadOnly));
    EXPECT_TRUE(garbage.readAll().startsWith("this is not a database"));
}

TEST_F(LnsdbToolTest, HelpNamesEveryCommand)
{
    const QString help = LnsdbTool::helpText();
    for (const char *cmd : {"create-network", "add-device", "list-objects", "set-cp", "set-nv-type",
                            "set-reachable", "demo", "list-plugins"})
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

// The demo must be what the plug-in itself would have written: every bound
// object's function, slot and NV types agree with the device template.
TEST_F(LnsdbToolTest, DemoConfigurationAgreesWithTheDeviceTemplate)
{
    createDemo();
    NetworkDatabase db(m_db);
    db.connectServer(0);
    QX_IniFile rx24(QStringLiteral(RX24_SOURCE_DIR "/resources/data/RX24.ini"));
    for (const DemoNetwork::DeviceSetup &setup : DemoNetwork::rx24Devices()) {
        for (const DemoNetwork::Binding &b : setup.bindings) {
            const QString section = QString::number(b.fptKey);
            const DemoNetwork::FunctionDefaults d = DemoNetwork::defaultsFor(b.fptKey);
            EXPECT_EQ(rx24.read(section, QStringLiteral("InputPrimeValueDefaultType")).toInt(), d.primeType);
            EXPECT_EQ(rx24.read(section, QStringLiteral("InputSecValueDefaultType")).toInt(), d.secType);
            EXPECT_EQ(rx24.read(section, QStringLiteral("OutputValueDefaultType")).toInt(), d.outputType);
            EXPECT_EQ(rx24.read(section, QStringLiteral("PriorityDefault")).toInt(), d.priority);
            EXPECT_EQ(setup.slots.at(b.slot - 1), b.moduleType) << setup.name.toStdString();

            const QString fpt =
                b.subType >= 0 ? QStringLiteral("%1/%2").arg(b.fptKey).arg(b.subType) : section;
            const QString offered =
                rx24.value(QStringLiteral("Modules"), QStringLiteral("FPTs_%1").arg(b.moduleType));
            EXPECT_TRUE(offered.split(QLatin1Char(',')).contains(fpt)) << fpt.toStdString();

            const auto object =
                db.device(DemoNetwork::networkName(), DemoNetwork::subsystemPath(), setup.name)
                    ->lonMarkObjects()
                    ->item(b.object + 1);
            EXPECT_EQ(object->name(), b.name);
            EXPECT_EQ(object->networkVariables()->item(QStringLiteral("Output"))->typeId(), d.outputType);
        }
    }
}

} // namespace
