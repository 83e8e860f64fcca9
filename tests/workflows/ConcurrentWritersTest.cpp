// Writers that die, and writers that meet: whatever happens to a process
// that writes a device, the device holds one whole set, never a mix.
#include "WorkflowFixture.h"
#include "support/NetDbEngines.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QThread>
#include <cstdio>

namespace {

const char *const kWriterDir = "RX24_WRITER_DIR";
const char *const kWriterDb = "RX24_WRITER_DB"; // the file or server URI
const char *const kWriterDevice = "RX24_WRITER_DEVICE";
const char *const kWriterSet = "RX24_WRITER_SET";     // A, B, or AB: one after the other
const char *const kWriterLoops = "RX24_WRITER_LOOPS"; // 0: until killed

// The two sets of the switch on slot 2 channel 1: toggle with SNVT_switch,
// or sunblind with SNVT_setting; the object's name tells which.
void applySet(cConfiguration &c, char set)
{
    ctlChannel *row = c.ActModules().Item(2)->ChannelByIndex(1)->ChannelControl();
    pickEntry(row, "cboType",
              cActChannel::FptText(set == 'A' ? QStringLiteral("21201/0") : QStringLiteral("21201/10")));
    c.Lmos().Item(2)->setName(set == 'A' ? QStringLiteral("Switch A") : QStringLiteral("Switch B"));
}

// Run as a child by the tests below: opens the device of the parent's
// network through the director's command line and writes, printing a line
// for each write.
TEST(ConcurrentWriterChild, Write)
{
    const QString dir = qEnvironmentVariable(kWriterDir);
    if (dir.isEmpty())
        GTEST_SKIP() << "only run as a child of the concurrent writer tests";
    PlugInGlobals::Reset();
    MessageBox::setTestMode(true);
    SettingsLocation::setFilePath(dir + QStringLiteral("/child-registry.ini"));
    ServerRegistrationStore::setServicesDir(dir + QStringLiteral("/child-services"));
    ServerRegistration::setExecutable(dir + QStringLiteral("/bin/tarvinaRX24"));
    PlugInMain::setDetachedStarter([](const QString &, const QStringList &) { return true; });
    PlugInGlobals::ProgramFolderOverride = dir + QStringLiteral("/prog");
    NetworkDatabase db(qEnvironmentVariable(kWriterDb));
    PlugInGlobals::ObjectServerOverride = &db;
    ConfiguringWindow window;
    PlugInGlobals::MainWindow = &window;
    PlugInMain::Main(QStringLiteral(" /COMMANDID:13 /CLASSID:7 /OBJECTNAME:Demo\\LNS System.Floor 1\\") +
                     qEnvironmentVariable(kWriterDevice));
    ASSERT_TRUE(window.configuration);
    std::printf("ready\n");
    std::fflush(stdout);

    const QByteArray sets = qgetenv(kWriterSet);
    const int loops = qEnvironmentVariableIntValue(kWriterLoops);
    for (int k = 0; loops == 0 || k < loops; ++k) {
        LogService::reset();
        applySet(*window.configuration, sets.at(k % sets.size()));
        if (window.configuration->WriteParameters() && !LogService::instance().ApplyEnabled()) {
            std::printf("written\n");
        } else {
            QStringList red;
            for (const LogLine &line : LogService::instance().Lines()) {
                if (line.colour == LogService::Red)
                    red << line.text;
            }
            std::printf("failed: %s\n", qPrintable(red.join(QLatin1Char('|'))));
        }
        std::fflush(stdout);
    }
    window.Unload();
    _exit(0);
}

class ConcurrentWriters : public WorkflowFixture, public ::testing::WithParamInterface<NetDbEngineKind>
{
protected:
    bool databaseOnServer() const override { return GetParam() == NetDbEngineKind::Server; }
    void SetUp() override
    {
        WorkflowFixture::SetUp();
        // Both sets written once, to know them as another client sees them.
        configureLightAndSwitch();
        for (char set : {'B', 'A'}) {
            applySet(config(), set);
            ASSERT_TRUE(config().WriteParameters());
            (set == 'A' ? setA : setB) = stateOf(QStringLiteral("RX24 Hall"), true);
        }
        ASSERT_NE(setA, setB);
        programId = PlugInGlobals::Session.device->programId();
        configWindow.Unload();
        LcaPlugIn::EndApp();
    }

    std::unique_ptr<QProcess> startWriter(const QString &device, const char *sets, int loops)
    {
        auto child = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QLatin1String(kWriterDir), m_dir.path());
        env.insert(QLatin1String(kWriterDb), databaseLocation());
        env.insert(QLatin1String(kWriterDevice), device);
        env.insert(QLatin1String(kWriterSet), QLatin1String(sets));
        env.insert(QLatin1String(kWriterLoops), QString::number(loops));
        child->setProcessEnvironment(env);
        child->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child->start(QCoreApplication::applicationFilePath(),
                     {QStringLiteral("--gtest_filter=ConcurrentWriterChild.Write")});
        return child;
    }
    static bool waitForLine(QProcess &child, const QByteArray &line)
    {
        QByteArray seen;
        while (!seen.contains(line)) {
            if (!child.waitForReadyRead(20000))
                return false;
            seen += child.readAllStandardOutput();
        }
        return true;
    }
    // The file's own check; a server keeps its pages whole itself.
    QString integrity() const
    {
        if (databaseOnServer())
            return QStringLiteral("ok");
        QString answer;
        {
            QSqlDatabase sql =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("integrity"));
            sql.setDatabaseName(path("net.lnsdb"));
            if (sql.open()) {
                QSqlQuery query(sql);
                if (query.exec(QStringLiteral("PRAGMA integrity_check")) && query.next())
                    answer = query.value(0).toString();
            }
            sql.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("integrity"));
        return answer;
    }

    QStringList setA, setB;
    QString programId;
};

TEST_P(ConcurrentWriters, AWriterKilledAtAnyMomentLeavesOneWholeSet)
{
    int killedAfterWrites = 0;
    for (int kill = 1; kill <= 50; ++kill) {
        auto child = startWriter(QStringLiteral("RX24 Hall"), "AB", 0);
        ASSERT_TRUE(waitForLine(*child, "ready")) << "kill " << kill;
        QThread::msleep(QRandomGenerator::global()->bounded(5, 120));
        child->kill();
        ASSERT_TRUE(child->waitForFinished(10000));
        if (child->readAllStandardOutput().contains("written"))
            ++killedAfterWrites;
        const QStringList state = stateOf(QStringLiteral("RX24 Hall"), true);
        ASSERT_TRUE(state == setA || state == setB)
            << "kill " << kill << ": " << DeviceState::difference(setA, state);
        ASSERT_EQ(integrity(), QStringLiteral("ok")) << "kill " << kill;
    }
    // Most kills must have met a writer at work, not one still starting.
    EXPECT_GT(killedAfterWrites, 10);
}

TEST_P(ConcurrentWriters, TwoUsersOnDifferentDevicesBothLandAndOnOneDeviceNothingIsMixed)
{
    addDevice(QStringLiteral("RX24 Office"), programId);
    storeSlots(QStringLiteral("RX24 Office"), {MT_RP4, MT_KW8});
    storeBinding(QStringLiteral("RX24 Office"), 2, 2, 1, MT_KW8, 21201);

    auto hall = startWriter(QStringLiteral("RX24 Hall"), "B", 3);
    auto office = startWriter(QStringLiteral("RX24 Office"), "B", 3);
    ASSERT_TRUE(hall->waitForFinished(60000));
    ASSERT_TRUE(office->waitForFinished(60000));
    EXPECT_EQ(hall->readAllStandardOutput().count("written"), 3);
    EXPECT_EQ(office->readAllStandardOutput().count("written"), 3);
    EXPECT_EQ(stateOf(QStringLiteral("RX24 Hall"), true), setB);
    const QStringList officeState = stateOf(QStringLiteral("RX24 Office"), true);
    EXPECT_TRUE(officeState.contains(QStringLiteral("object 3 name: Switch B")));
    EXPECT_TRUE(officeState.contains(QStringLiteral("object 3 Output: 117")));

    // Two writers of one device: each write lands whole, or is refused as busy
    // or because the other wrote the device since this one read it.
    auto first = startWriter(QStringLiteral("RX24 Hall"), "A", 3);
    auto second = startWriter(QStringLiteral("RX24 Hall"), "B", 3);
    ASSERT_TRUE(first->waitForFinished(60000));
    ASSERT_TRUE(second->waitForFinished(60000));
    for (QProcess *writer : {first.get(), second.get()}) {
        for (const QByteArray &line : writer->readAllStandardOutput().split('\n')) {
            if (line.startsWith("failed")) {
                EXPECT_TRUE(line.contains("busy") || line.contains("since it was read")) << line.constData();
            }
        }
    }
    const QStringList state = stateOf(QStringLiteral("RX24 Hall"), true);
    EXPECT_TRUE(state == setA || state == setB) << DeviceState::difference(setA, state);
}

// A team on one server: eight engineers each writing their own device at
// the same time never wait for each other long enough to fail, and never
// see a deadlock or a serialisation error.
TEST_P(ConcurrentWriters, EightWritersOnEightDevicesAllLand)
{
    if (!databaseOnServer())
        return; // one file takes one writer at a time
    constexpr int kWriters = 8;
    constexpr int kLoops = 50;
    QStringList devices;
    for (int i = 1; i <= kWriters; ++i) {
        const QString name = QStringLiteral("RX24 Desk %1").arg(i);
        addDevice(name, programId);
        storeSlots(name, {MT_RP4, MT_KW8});
        storeBinding(name, 2, 2, 1, MT_KW8, 21201);
        devices << name;
    }
    std::vector<std::unique_ptr<QProcess>> writers;
    for (const QString &name : std::as_const(devices))
        writers.push_back(startWriter(name, "AB", kLoops));
    for (int i = 0; i < kWriters; ++i) {
        QProcess &writer = *writers.at(static_cast<size_t>(i));
        ASSERT_TRUE(writer.waitForFinished(240000)) << devices.at(i).toStdString();
        const QByteArray out = writer.readAllStandardOutput();
        EXPECT_EQ(out.count("written"), kLoops) << devices.at(i).toStdString() << "\n" << out.constData();
        otherClient([&](NetworkDatabase &other) {
            EXPECT_EQ(
                other.device(QStringLiteral("Demo"), QStringLiteral("LNS System.Floor 1"), devices.at(i))
                    ->history()
                    .size(),
                kLoops);
        });
    }
    // Each ends on its last set, B, whole.
    for (const QString &name : std::as_const(devices))
        EXPECT_TRUE(stateOf(name, true).contains(QStringLiteral("object 3 name: Switch B")))
            << name.toStdString();
}

RX24_ON_BOTH_ENGINES(ConcurrentWriters);

} // namespace
