// rx24cfg as a script drives it: what reaches each device, what is reported,
// and the exit status, over the demo network and a generated one.
#include "Rx24CfgTool.h"

#include "DemoNetworkFixture.h"
#include "director/NetworkGenerator.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const QString kFloor = QStringLiteral("Demo/LNS System.Floor 1");
QString demo(const char *device)
{
    return kFloor + QLatin1Char('/') + QLatin1String(device);
}

class Rx24Cfg : public DemoNetworkFixture
{
protected:
    struct Result
    {
        int code;
        QString out;
        QString err;
        QJsonObject json() const { return QJsonDocument::fromJson(out.toUtf8()).object(); }
    };

    Result run(QStringList args, const std::function<void(Rx24CfgTool &)> &betweenDevices = {})
    {
        QString out;
        QString err;
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        Rx24CfgTool tool(outStream, errStream);
        if (betweenDevices)
            tool.setBetweenDevices([&tool, &betweenDevices] { betweenDevices(tool); });
        args.prepend(path("net.lnsdb"));
        args.prepend(QStringLiteral("--db"));
        const int code = tool.run(args);
        outStream.flush();
        errStream.flush();
        return {code, out, err};
    }

    // A network "Gen" of n generated devices in one subsystem.
    QString generate(int devices)
    {
        NetworkGenerator::Options options;
        options.network = QStringLiteral("Gen");
        options.devices = devices;
        options.subsystems = 1;
        options.interfaceFile = QStringLiteral(RX24_SOURCE_DIR "/resources/data/RX24.xif");
        options.templateFile = QStringLiteral(RX24_SOURCE_DIR "/resources/data/RX24.ini");
        m_server->connectServer(0);
        NetworkGenerator(*m_server).generate(options);
        m_server->disconnectServer();
        return QStringLiteral("Gen/") + NetworkGenerator::subsystemPath(0);
    }
    static QString generated(int i)
    {
        return QStringLiteral("Gen/") + NetworkGenerator::subsystemPath(0) + QLatin1Char('/') +
               NetworkGenerator::deviceName(i);
    }
    QByteArray digestOf(const QString &file) const
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256)
                                           : QByteArray();
    }
    // The devices the report names with the given result.
    static QStringList devicesWith(const QJsonObject &report, const QString &key, const QString &value)
    {
        QStringList names;
        for (const QJsonValue &device : report.value(QStringLiteral("devices")).toArray()) {
            if (device.toObject().value(key).toString() == value)
                names << device.toObject().value(QStringLiteral("device")).toString();
        }
        return names;
    }
};

TEST_F(Rx24Cfg, AnExportedSetAppliedToAnotherDeviceLeavesNothingToTellThemApart)
{
    ASSERT_EQ(run({QStringLiteral("export"), demo("RX24 Full"), path("full.dat")}).code, 0);
    EXPECT_EQ(run({QStringLiteral("diff"), demo("RX24 Full"), demo("RX24 New")}).code, Rx24CfgTool::Differs);

    const Result applied = run({QStringLiteral("apply"), path("full.dat"), demo("RX24 New")});
    EXPECT_EQ(applied.code, 0) << applied.out.toStdString();
    const Result same = run({QStringLiteral("diff"), demo("RX24 Full"), demo("RX24 New")});
    EXPECT_EQ(same.code, 0);
    EXPECT_TRUE(same.out.isEmpty()) << same.out.toStdString();
    // Names stay each device's own, and only --names compares them.
    const Result named = run({QStringLiteral("--json"), QStringLiteral("diff"), demo("RX24 Full"),
                              demo("RX24 New"), QStringLiteral("--names")});
    EXPECT_EQ(named.code, Rx24CfgTool::Differs);
    for (const QJsonValue &row : named.json().value(QStringLiteral("differences")).toArray())
        EXPECT_EQ(row.toObject().value(QStringLiteral("item")).toString(), QStringLiteral("Name"));
    EXPECT_EQ(run({QStringLiteral("diff"), path("full.dat"), demo("RX24 New")}).code, 0);
}

TEST_F(Rx24Cfg, ADifferenceInOneChannelIsNamedInWordsAndNowhereElse)
{
    cConfiguration &c = open(QStringLiteral("RX24 Full"));
    const QString place = cActChannel::FptText(QStringLiteral("21201/3"));
    ASSERT_TRUE(c.SaveSetToFile(path("before.dat")));
    pick(4, 1, "cboType", place);
    ASSERT_TRUE(c.SaveSetToFile(path("changed.dat")));
    close();

    const Result r =
        run({QStringLiteral("--json"), QStringLiteral("diff"), path("changed.dat"), demo("RX24 Full")});
    EXPECT_EQ(r.code, Rx24CfgTool::Differs);
    const QJsonArray rows = r.json().value(QStringLiteral("differences")).toArray();
    ASSERT_FALSE(rows.isEmpty());
    bool function = false;
    for (const QJsonValue &row : rows) {
        const QJsonObject o = row.toObject();
        EXPECT_TRUE(
            o.value(QStringLiteral("place")).toString().startsWith(QLatin1String("Slot 4 (KW8), channel 1")))
            << o.value(QStringLiteral("place")).toString().toStdString();
        function |= o.value(QStringLiteral("item")).toString() == QLatin1String("Function");
        // Words, not the file's numbers.
        EXPECT_FALSE(o.value(QStringLiteral("after")).toString().contains(QLatin1Char(',')));
    }
    EXPECT_TRUE(function);
    EXPECT_EQ(run({QStringLiteral("diff"), path("before.dat"), demo("RX24 Full")}).code, 0);
}

TEST_F(Rx24Cfg, ApplyingToASubsystemWritesEveryDeviceThatAnswersAndNamesTheOneThatDidNot)
{
    const QString subsystem = generate(5);
    otherClient([](NetworkDatabase &db) {
        db.setDeviceReachable(QStringLiteral("Gen"), NetworkGenerator::subsystemPath(0),
                              NetworkGenerator::deviceName(2), false);
    });
    ASSERT_EQ(run({QStringLiteral("export"), demo("RX24 Full"), path("full.dat")}).code, 0);

    const QByteArray untouched = digestOf(path("net.lnsdb"));
    const Result dry =
        run({QStringLiteral("apply"), QStringLiteral("--dry-run"), path("full.dat"), subsystem});
    EXPECT_EQ(dry.code, Rx24CfgTool::NotAllWritten);
    EXPECT_EQ(digestOf(path("net.lnsdb")), untouched) << "a dry run wrote to the database";
    EXPECT_TRUE(dry.out.contains(QLatin1String("Function"))) << "the dry run shows what would change";

    const Result r = run({QStringLiteral("apply"), path("full.dat"), subsystem});
    EXPECT_EQ(r.code, Rx24CfgTool::NotAllWritten);
    const QStringList lines = r.out.split(QLatin1Char('\n'));
    const auto line = std::find_if(lines.begin(), lines.end(), [](const QString &l) {
        return l.contains(NetworkGenerator::deviceName(2));
    });
    ASSERT_NE(line, lines.end());
    EXPECT_TRUE(line->contains(QLatin1String("unreachable")));
    for (int i : {0, 1, 3, 4})
        EXPECT_EQ(run({QStringLiteral("diff"), demo("RX24 Full"), generated(i)}).code, 0) << i;
    EXPECT_EQ(run({QStringLiteral("history"), generated(2), QStringLiteral("--json")})
                  .json()
                  .value(QStringLiteral("entries"))
                  .toArray()
                  .size(),
              0);
}

TEST_F(Rx24Cfg, AStopBetweenDevicesEndsTheApplyAndTheReportSaysWhichWereWritten)
{
    const QString subsystem = generate(6);
    ASSERT_EQ(run({QStringLiteral("export"), demo("RX24 Full"), path("full.dat")}).code, 0);
    int turns = 0;
    const Result r = run({QStringLiteral("--json"), QStringLiteral("apply"), path("full.dat"), subsystem},
                         [&turns](Rx24CfgTool &tool) {
                             if (++turns == 3)
                                 tool.requestStop(); // Ctrl+C while the second device is written
                         });
    EXPECT_EQ(r.code, Rx24CfgTool::NotAllWritten);
    EXPECT_TRUE(r.json().value(QStringLiteral("stopped")).toBool());
    EXPECT_EQ(devicesWith(r.json(), QStringLiteral("result"), QStringLiteral("written")),
              (QStringList{generated(0), generated(1)}));
    EXPECT_EQ(r.json().value(QStringLiteral("devices")).toArray().size(), 2);
    EXPECT_TRUE(run({QStringLiteral("--json"), QStringLiteral("history"), generated(2)})
                    .json()
                    .value(QStringLiteral("entries"))
                    .toArray()
                    .isEmpty());
}

TEST_F(Rx24Cfg, ConformanceFindsExactlyTheDevicesThatDriftedAndFixMakesThemConform)
{
    const QString subsystem = generate(50);
    ASSERT_EQ(run({QStringLiteral("export"), demo("RX24 Full"), path("full.dat")}).code, 0);
    ASSERT_EQ(run({QStringLiteral("apply"), path("full.dat"), subsystem}).code, Rx24CfgTool::NotAllWritten)
        << "device 8 is unreachable";
    // Three devices drift: another module in slot 1.
    m_server->connectServer(0);
    QStringList drifted;
    for (int i : {4, 20, 41}) {
        const auto device = m_server->device(QStringLiteral("Gen"), NetworkGenerator::subsystemPath(0),
                                             NetworkGenerator::deviceName(i));
        DeviceState::setBytes(device->configProperties()->item(QStringLiteral("DeviceModules")),
                              {MT_KW8, 255, 255, 255, 255, 255, 255, 255});
        drifted << generated(i);
    }
    m_server->disconnectServer();

    const QStringList args{QStringLiteral("--json"), QStringLiteral("conformance"),
                           QStringLiteral("--reference"), path("full.dat"), subsystem};
    Result r = run(args);
    EXPECT_EQ(r.code, Rx24CfgTool::Differs);
    EXPECT_EQ(devicesWith(r.json(), QStringLiteral("state"), QStringLiteral("differs")), drifted);
    EXPECT_EQ(devicesWith(r.json(), QStringLiteral("state"), QStringLiteral("unreachable")),
              QStringList{generated(7)});
    EXPECT_EQ(devicesWith(r.json(), QStringLiteral("state"), QStringLiteral("conforms")).size(),
              50 - 2 - 1 - 3);

    r = run(QStringList(args) << QStringLiteral("--fix"));
    EXPECT_EQ(r.code, Rx24CfgTool::NotAllWritten) << "the unreachable device was not fixed";
    r = run(args);
    EXPECT_TRUE(devicesWith(r.json(), QStringLiteral("state"), QStringLiteral("differs")).isEmpty());
}

TEST_F(Rx24Cfg, RestoringTheFirstOfThreeWritesGivesBackTheSetFromBeforeThem)
{
    ASSERT_EQ(run({QStringLiteral("export"), demo("RX24 New"), path("before.dat")}).code, 0);
    for (const char *source : {"RX24 Full", "RX24 Partial", "RX24 Full"}) {
        ASSERT_EQ(run({QStringLiteral("export"), demo(source), path("source.dat")}).code, 0);
        ASSERT_EQ(run({QStringLiteral("apply"), path("source.dat"), demo("RX24 New")}).code, 0);
    }
    const QJsonArray entries = run({QStringLiteral("--json"), QStringLiteral("history"), demo("RX24 New")})
                                   .json()
                                   .value(QStringLiteral("entries"))
                                   .toArray();
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries.at(0).toObject().value(QStringLiteral("number")).toInt(), 3);
    EXPECT_EQ(entries.at(0).toObject().value(QStringLiteral("program")).toString(),
              QCoreApplication::applicationName());

    EXPECT_EQ(
        run({QStringLiteral("restore"), demo("RX24 New"), QStringLiteral("--to"), QStringLiteral("1")}).code,
        0);
    EXPECT_EQ(run({QStringLiteral("diff"), path("before.dat"), demo("RX24 New")}).code, 0);
    EXPECT_EQ(run({QStringLiteral("--json"), QStringLiteral("history"), demo("RX24 New")})
                  .json()
                  .value(QStringLiteral("entries"))
                  .toArray()
                  .size(),
              4);
    EXPECT_EQ(
        run({QStringLiteral("restore"), demo("RX24 New"), QStringLiteral("--to"), QStringLiteral("9")}).code,
        Rx24CfgTool::BadUsage);
}

TEST_F(Rx24Cfg, ALockedDatabaseWritesNothingAndSaysBusy)
{
    ASSERT_EQ(run({QStringLiteral("export"), demo("RX24 Full"), path("full.dat")}).code, 0);
    NetworkDatabase other(path("net.lnsdb"));
    other.connectServer(0);
    const auto network = other.openNetwork(QStringLiteral("Demo"), false);
    network->system()->startTransaction();
    const Result r =
        run({QStringLiteral("--json"), QStringLiteral("apply"), path("full.dat"), demo("RX24 New")});
    network->system()->cancelTransaction();
    EXPECT_EQ(r.code, Rx24CfgTool::NotAllWritten);
    EXPECT_EQ(devicesWith(r.json(), QStringLiteral("reason"), QStringLiteral("busy")),
              QStringList{demo("RX24 New")});
    EXPECT_EQ(run({QStringLiteral("diff"), demo("RX24 Full"), demo("RX24 New")}).code, Rx24CfgTool::Differs);
    EXPECT_TRUE(run({QStringLiteral("--json"), QStringLiteral("history"), demo("RX24 New")})
                    .json()
                    .value(QStringLiteral("entries"))
                    .toArray()
                    .isEmpty());
}

TEST_F(Rx24Cfg, BadInputIsNamedAndTheJsonReportCarriesWhatTheTableShows)
{
    ASSERT_EQ(run({QStringLiteral("export"), demo("RX24 Full"), path("full.dat")}).code, 0);
    QFile other(path("other.dat"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write(
        "[General]\r\nPlugInName = someoneElse\r\nProgramId = 9000A5E018040100\r\nDataFileVersion = 1\r\n");
    other.close();

    Result r = run({QStringLiteral("apply"), path("other.dat"), kFloor});
    EXPECT_EQ(r.code, Rx24CfgTool::BadUsage);
    EXPECT_TRUE(r.err.contains(path("other.dat")));
    r = run({QStringLiteral("export"), demo("Room Sensor"), path("x.dat")});
    EXPECT_EQ(r.code, Rx24CfgTool::BadUsage);
    EXPECT_TRUE(r.err.contains(QLatin1String("9000A5E0FF000001")));
    EXPECT_EQ(run({QStringLiteral("frobnicate")}).code, Rx24CfgTool::BadUsage);
    // As the window, the tool reads only a device that answers.
    r = run({QStringLiteral("export"), demo("RX24 Offline"), path("x.dat")});
    EXPECT_EQ(r.code, Rx24CfgTool::BadUsage);
    EXPECT_TRUE(r.err.contains(demo("RX24 Offline"))) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("x.dat")));
    // Letter case does not matter in any level of a name.
    EXPECT_EQ(
        run({QStringLiteral("diff"), QStringLiteral("demo/lns system.floor 1/rx24 full"), path("full.dat")})
            .code,
        0);

    const QStringList targets{path("full.dat"), demo("RX24 Nowhere"), demo("Room Sensor"), kFloor};
    const Result table = run(QStringList{QStringLiteral("apply"), QStringLiteral("--dry-run")} + targets);
    const Result json =
        run(QStringList{QStringLiteral("--json"), QStringLiteral("apply"), QStringLiteral("--dry-run")} +
            targets);
    EXPECT_EQ(table.code, Rx24CfgTool::NotAllWritten);
    EXPECT_EQ(json.code, table.code);
    const QJsonArray devices = json.json().value(QStringLiteral("devices")).toArray();
    // The summary table follows the changes each device would see.
    const QString all = table.out;
    const QStringList lines = all.mid(all.lastIndexOf(QLatin1String("Device "))).split(QLatin1Char('\n'));
    EXPECT_EQ(devices.size(), std::count_if(lines.cbegin(), lines.cend(), [](const QString &l) {
                  return l.startsWith(QLatin1String("Demo/"));
              }));
    for (const QJsonValue &value : devices) {
        const QJsonObject device = value.toObject();
        const QString name = device.value(QStringLiteral("device")).toString();
        const auto line = std::find_if(lines.cbegin(), lines.cend(), [&](const QString &l) {
            return l.startsWith(name + QLatin1Char(' '));
        });
        ASSERT_NE(line, lines.cend()) << name.toStdString();
        EXPECT_EQ(line->contains(QLatin1String("would change")),
                  device.value(QStringLiteral("result")).toString() == QLatin1String("would-change"))
            << name.toStdString();
    }
    EXPECT_TRUE(devicesWith(json.json(), QStringLiteral("reason"), QStringLiteral("unreachable"))
                    .contains(demo("RX24 Offline")));
    EXPECT_EQ(devicesWith(json.json(), QStringLiteral("reason"), QStringLiteral("program-id")),
              QStringList{demo("Room Sensor")});
    EXPECT_EQ(devicesWith(json.json(), QStringLiteral("reason"), QStringLiteral("unknown-device")),
              QStringList{demo("RX24 Nowhere")});
}

} // namespace
