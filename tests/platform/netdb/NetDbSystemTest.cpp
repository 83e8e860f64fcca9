#include "NetDbTestFixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <cstdio>
#include <unistd.h>

namespace {
const char *const kCrashEnv = "RX24_NETDB_CRASH_DB";

class NetDbSystemTest : public NetDbTestFixture
{
};

TEST_P(NetDbSystemTest, CommitMakesWritesVisibleToOthers)
{
    auto sys = system();
    auto other = openSecond();
    sys->startTransaction();
    EXPECT_TRUE(sys->inTransaction());
    scenes()->setValue(QStringLiteral("00 00 00 00 00 00"));
    EXPECT_EQ(deviceOf(*other)->lonMarkObjects()->item(2)->configProperties()->item(2)->value(),
              QStringLiteral("01 02 03 04 05 06"));
    sys->commitTransaction();
    EXPECT_FALSE(sys->inTransaction());
    EXPECT_EQ(deviceOf(*other)->lonMarkObjects()->item(2)->configProperties()->item(2)->value(),
              QStringLiteral("00 00 00 00 00 00"));
}

// Commits reach the disk when control returns to the event loop or the
// connection closes; a connection closed before that flushes on its way out
// and leaves nothing scheduled behind.
TEST_P(NetDbSystemTest, CommitsOfAConnectionClosedBeforeTheEventLoopRanAreKept)
{
    auto sys = system();
    sys->startTransaction();
    scenes()->setValue(QStringLiteral("0A 0A 0A 0A 0A 0A"));
    sys->commitTransaction();
    primeValue()->setValue(QStringLiteral("20.0 1")); // a write of its own, outside a transaction
    sys.reset();
    db.reset();
    QCoreApplication::processEvents();

    db = openSecond();
    EXPECT_EQ(scenes()->value(), QStringLiteral("0A 0A 0A 0A 0A 0A"));
    EXPECT_EQ(primeValue()->value(), QStringLiteral("20.0 1"));
    scenes()->setValue(QStringLiteral("0B 0B 0B 0B 0B 0B"));
    QCoreApplication::processEvents();
    EXPECT_EQ(deviceOf(*openSecond())->lonMarkObjects()->item(2)->configProperties()->item(2)->value(),
              QStringLiteral("0B 0B 0B 0B 0B 0B"));
}

TEST_P(NetDbSystemTest, CancelRestoresCpsAndNvTypes)
{
    auto sys = system();
    sys->startTransaction();
    scenes()->setValue(QStringLiteral("FF FF FF FF FF FF"));
    primeValue()->changeType(81);
    sys->cancelTransaction();
    EXPECT_EQ(scenes()->value(), QStringLiteral("01 02 03 04 05 06"));
    EXPECT_EQ(primeValue()->typeId(), 95);
    EXPECT_EQ(primeValue()->value(), QStringLiteral("0.0 0"));
}

TEST_P(NetDbSystemTest, TransactionCallsOutOfOrderAreRefused)
{
    auto sys = system();
    EXPECT_EQ(lnsErrorNumber([&] { sys->commitTransaction(); }), LnsErrorCode::NoTransaction);
    EXPECT_EQ(lnsErrorNumber([&] { sys->cancelTransaction(); }), LnsErrorCode::NoTransaction);
    sys->startTransaction();
    EXPECT_EQ(lnsErrorNumber([&] { sys->startTransaction(); }), LnsErrorCode::TransactionOpen);
    EXPECT_TRUE(system()->inTransaction()); // the transaction is the client's, not the handle's
    sys->cancelTransaction();
}

// What one client's open transaction holds, a second client waits for in
// vain and is told so: on a file the whole database, on a server only the
// rows written, so that another device can be written meanwhile.
TEST_P(NetDbSystemTest, SecondClientIsBusyForWhatATransactionHolds)
{
    db->addDevice(QStringLiteral("Plant"), QStringLiteral("Plant.Floor1"), QStringLiteral("RX2"),
                  DeviceInterfaceFile::parseText(kTestInterface, QStringLiteral("test.xif")));
    auto other = openSecond();
    auto otherCp =
        deviceOf(*other)->lonMarkObjects()->item(2)->configProperties()->item(QStringLiteral("Scenes"));
    auto otherDeviceCp =
        other->device(QStringLiteral("Plant"), QStringLiteral("Plant.Floor1"), QStringLiteral("RX2"))
            ->lonMarkObjects()
            ->item(2)
            ->configProperties()
            ->item(QStringLiteral("Scenes"));
    system()->startTransaction();
    scenes()->setValue(QStringLiteral("09 09 09 09 09 09"));
    // CP bytes reach the database with the transaction's next statement.
    channel(1)->setName(QStringLiteral("Held"));
    QElapsedTimer clock;
    clock.start();
    const QString error = lnsErrorText([&] { otherCp->setValue(QStringLiteral("07 07 07 07 07 07")); });
    EXPECT_LT(clock.elapsed(), 6000);
    EXPECT_GE(clock.elapsed(), 1000) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("busy")));
    if (onServer()) {
        clock.restart();
        otherDeviceCp->setValue(QStringLiteral("05 05 05 05 05 05"));
        EXPECT_LT(clock.elapsed(), 1000);
    } else {
        EXPECT_EQ(lnsErrorNumber([&] {
                      other->openNetwork(QStringLiteral("Plant"), false)->system()->startTransaction();
                  }),
                  LnsErrorCode::Busy);
    }
    system()->commitTransaction();
    otherCp->setValue(QStringLiteral("07 07 07 07 07 07"));
    EXPECT_EQ(scenes()->value(), QStringLiteral("07 07 07 07 07 07"));
}

// Run as a child process by KilledClientLeavesDataAsBefore: writes inside a
// transaction and dies without committing.
TEST(NetDbSystemCrashChild, WriteAndDie)
{
    const QString path = qEnvironmentVariable(kCrashEnv);
    if (path.isEmpty())
        GTEST_SKIP() << "only run as the child of KilledClientLeavesDataAsBefore";
    NetworkDatabase db(path);
    db.connectServer(0);
    auto sys = db.openNetwork(QStringLiteral("Plant"), false)->system();
    sys->startTransaction();
    auto dev = db.device(QStringLiteral("Plant"), QStringLiteral("Plant.Floor1"), QStringLiteral("RX1"));
    dev->lonMarkObjects()
        ->item(2)
        ->configProperties()
        ->item(QStringLiteral("Scenes"))
        ->setValue(QStringLiteral("EE EE EE EE EE EE"));
    dev->lonMarkObjects()->item(2)->networkVariables()->item(QStringLiteral("PrimeValue"))->changeType(81);
    std::printf("written\n");
    std::fflush(stdout);
    _exit(3);
}

TEST_P(NetDbSystemTest, KilledClientLeavesDataAsBefore)
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QLatin1String(kCrashEnv), path);
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=NetDbSystemCrashChild.WriteAndDie")});
    ASSERT_TRUE(child.waitForFinished(30000));
    EXPECT_EQ(child.exitCode(), 3);
    EXPECT_TRUE(child.readAllStandardOutput().contains("written"));
    auto fresh = openSecond();
    auto cp = deviceOf(*fresh)->lonMarkObjects()->item(2)->configProperties()->item(QStringLiteral("Scenes"));
    EXPECT_EQ(cp->value(), QStringLiteral("01 02 03 04 05 06"));
    EXPECT_EQ(scenes()->value(), QStringLiteral("01 02 03 04 05 06"));
    EXPECT_EQ(primeValue()->typeId(), 95);
    scenes()->setValue(QStringLiteral("02 02 02 02 02 02")); // the lock died with the child
}

TEST_P(NetDbSystemTest, DeviceWriteBracketMustBeOpenedFirst)
{
    auto sys = system();
    EXPECT_EQ(lnsErrorNumber([&] { sys->finishDeviceWrite(); }), LnsErrorCode::InvalidArgument);
    sys->prepareDeviceWrite(100);
    sys->finishDeviceWrite();
    EXPECT_EQ(lnsErrorNumber([&] { sys->finishDeviceWrite(); }), LnsErrorCode::InvalidArgument);
}

TEST_P(NetDbSystemTest, DisconnectCancelsAnOpenTransaction)
{
    system()->startTransaction();
    scenes()->setValue(QStringLiteral("03 03 03 03 03 03"));
    db->disconnectServer();
    db->connectServer(0);
    EXPECT_FALSE(system()->inTransaction());
    EXPECT_EQ(scenes()->value(), QStringLiteral("01 02 03 04 05 06"));
}
} // namespace

RX24_ON_BOTH_ENGINES(NetDbSystemTest);
