#include "NetDbTestFixture.h"
#include "platform/netdb/SnvtCatalog.h"

#include <QCoreApplication>
#include <QProcess>

// What a client has read is served again only while nobody can have changed
// it: writes of other processes and connections, and cancelled transactions,
// are never hidden behind rows read earlier.
namespace {
const char *const kWriterDb = "RX24_NETDB_WRITER_DB";
const char *const kWriterScenes = "RX24_NETDB_WRITER_SCENES";
const char *const kWriterType = "RX24_NETDB_WRITER_TYPE";

class NetDbSessionTest : public NetDbTestFixture
{
protected:
    // Another process sets Scenes of channel 1 and the type of its PrimeValue.
    void writeFromOtherProcess(const QString &scenes, int primeType)
    {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QLatin1String(kWriterDb), path);
        env.insert(QLatin1String(kWriterScenes), scenes);
        env.insert(QLatin1String(kWriterType), QString::number(primeType));
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=NetDbSessionWriterChild.Write")});
        ASSERT_TRUE(child.waitForFinished(30000));
        ASSERT_EQ(child.exitCode(), 0) << child.readAllStandardOutput().toStdString();
    }
};

TEST(NetDbSessionWriterChild, Write)
{
    const QString path = qEnvironmentVariable(kWriterDb);
    if (path.isEmpty())
        GTEST_SKIP() << "only run as the child of NetDbSessionTest";
    NetworkDatabase db(path);
    db.connectServer(0);
    auto channel = db.device(QStringLiteral("Plant"), QStringLiteral("Plant.Floor1"), QStringLiteral("RX1"))
                       ->lonMarkObjects()
                       ->item(2);
    channel->configProperties()
        ->item(QStringLiteral("Scenes"))
        ->setValue(qEnvironmentVariable(kWriterScenes));
    channel->networkVariables()
        ->item(QStringLiteral("PrimeValue"))
        ->changeType(qEnvironmentVariable(kWriterType).toInt());
}

TEST_P(NetDbSessionTest, OtherProcessWritesShowAtTheNextRead)
{
    auto cp = scenes();
    auto nv = primeValue();
    ASSERT_EQ(cp->value(), QStringLiteral("01 02 03 04 05 06"));
    ASSERT_EQ(nv->typeId(), 95);
    ASSERT_EQ(cp->elementValue(1), QStringLiteral("03 04"));

    writeFromOtherProcess(QStringLiteral("0A 0B 0C 0D 0E 0F"), 81);
    EXPECT_EQ(cp->value(), QStringLiteral("0A 0B 0C 0D 0E 0F"));
    EXPECT_EQ(cp->elementValue(1), QStringLiteral("0C 0D"));
    EXPECT_EQ(nv->typeId(), 81);
    EXPECT_EQ(nv->value(), SnvtCatalog::defaultValue(81));

    // Read again, then the other process writes before this client's
    // transaction starts: inside it the new values show.
    EXPECT_EQ(scenes()->value(), QStringLiteral("0A 0B 0C 0D 0E 0F"));
    writeFromOtherProcess(QStringLiteral("11 12 13 14 15 16"), 95);
    auto sys = system();
    sys->startTransaction();
    EXPECT_EQ(cp->value(), QStringLiteral("11 12 13 14 15 16"));
    EXPECT_EQ(nv->typeId(), 95);
    cp->setValue(QStringLiteral("21 22 23 24 25 26"));
    EXPECT_EQ(cp->value(), QStringLiteral("21 22 23 24 25 26"));
    sys->cancelTransaction();
    EXPECT_EQ(cp->value(), QStringLiteral("11 12 13 14 15 16"));
}

TEST_P(NetDbSessionTest, OtherConnectionsInTheProcessAreSeenToo)
{
    auto cp = scenes();
    auto nv = primeValue();
    auto object = channel(1);
    auto readOnly = std::make_unique<NetworkDatabase>(path, NetworkDatabase::OpenMode::ReadOnly);
    readOnly->connectServer(0);
    auto readOnlyCp = deviceOf(*readOnly)->lonMarkObjects()->item(2)->configProperties()->item(2);
    ASSERT_EQ(readOnlyCp->value(), QStringLiteral("01 02 03 04 05 06"));
    ASSERT_EQ(nv->value(), QStringLiteral("0.0 0"));
    ASSERT_EQ(object->name(), QStringLiteral("Channel1"));
    ASSERT_EQ(device()->lonMarkObjects()->count(), 3);

    auto other = openSecond();
    auto otherChannel = deviceOf(*other)->lonMarkObjects()->item(2);
    otherChannel->configProperties()
        ->item(QStringLiteral("Scenes"))
        ->setValue(QStringLiteral("07 07 07 07 07 07"));
    otherChannel->networkVariables()->item(QStringLiteral("PrimeValue"))->setValue(QStringLiteral("50.0 1"));
    otherChannel->setName(QStringLiteral("Hall"));
    EXPECT_EQ(cp->value(), QStringLiteral("07 07 07 07 07 07"));
    EXPECT_EQ(readOnlyCp->value(), QStringLiteral("07 07 07 07 07 07"));
    EXPECT_EQ(nv->value(), QStringLiteral("50.0 1"));
    EXPECT_EQ(object->name(), QStringLiteral("Hall"));

    other->removeDevice(QStringLiteral("Plant"), QStringLiteral("Plant.Floor1"), QStringLiteral("RX1"));
    EXPECT_EQ(lnsErrorNumber([&] { cp->value(); }), LnsErrorCode::NotFound);
    EXPECT_EQ(lnsErrorNumber([&] { device(); }), LnsErrorCode::NotFound);
}

// A collection lists its members once for a walk and keeps them only while
// nothing can have changed: this client's writes, a cancelled transaction and
// other clients' commits all show at its next call.
TEST_P(NetDbSessionTest, AKeptCollectionListsAfreshAfterEveryChange)
{
    const auto rx1 = device();
    const auto objects = rx1->lonMarkObjects();
    const auto nvs = objects->item(2)->networkVariables();
    ASSERT_EQ(objects->count(), 3);
    ASSERT_EQ(nvs->item(QStringLiteral("PrimeValue"))->typeId(), 95);
    EXPECT_EQ(rx1->lonMarkObjects(), objects) << "one collection per handle";

    auto other = openSecond();
    deviceOf(*other)->lonMarkObjects()->item(2)->networkVariables()->item(1)->changeType(81);
    EXPECT_EQ(nvs->item(QStringLiteral("PrimeValue"))->typeId(), 81);
    EXPECT_EQ(nvs->item(1)->value(), SnvtCatalog::defaultValue(81));

    auto sys = system();
    sys->startTransaction();
    nvs->item(1)->changeType(95);
    EXPECT_EQ(nvs->item(QStringLiteral("PrimeValue"))->typeId(), 95);
    db->removeDevice(QStringLiteral("Plant"), QStringLiteral("Plant.Floor1"), QStringLiteral("RX1"));
    EXPECT_EQ(objects->count(), 0);
    EXPECT_EQ(nvs->count(), 0);
    sys->cancelTransaction();
    EXPECT_EQ(objects->count(), 3);
    EXPECT_EQ(nvs->item(QStringLiteral("PrimeValue"))->typeId(), 81);

    other->removeDevice(QStringLiteral("Plant"), QStringLiteral("Plant.Floor1"), QStringLiteral("RX1"));
    EXPECT_EQ(objects->count(), 0);
    EXPECT_EQ(lnsErrorNumber([&] { nvs->item(QStringLiteral("PrimeValue")); }), LnsErrorCode::NotFound);
}

TEST_P(NetDbSessionTest, RefusedWriteLeavesNoValueBehind)
{
    auto other = openSecond();
    auto otherCp =
        deviceOf(*other)->lonMarkObjects()->item(2)->configProperties()->item(QStringLiteral("Scenes"));
    ASSERT_EQ(otherCp->value(), QStringLiteral("01 02 03 04 05 06"));
    system()->startTransaction();
    scenes()->setValue(QStringLiteral("09 09 09 09 09 09"));
    // CP bytes reach the database with the transaction's next statement.
    channel(1)->setName(QStringLiteral("Held"));
    EXPECT_EQ(lnsErrorNumber([&] { otherCp->setValue(QStringLiteral("07 07 07 07 07 07")); }),
              LnsErrorCode::Busy);
    EXPECT_EQ(otherCp->value(), QStringLiteral("01 02 03 04 05 06"));
    system()->commitTransaction();
    EXPECT_EQ(otherCp->value(), QStringLiteral("09 09 09 09 09 09"));
}
} // namespace

RX24_ON_BOTH_ENGINES(NetDbSessionTest);
