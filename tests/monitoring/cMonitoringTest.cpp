#include "monitoring/cMonitoring.h"

#include "params/ParamsTestSupport.h"

#include <QSignalSpy>
#include <QTest>
#include <QThread>

namespace {

class cMonitoringTest : public ParamsDbFixture
{
protected:
    void SetUp() override
    {
        ParamsDbFixture::SetUp();
        installLogger();
        PlugInGlobals::ObjectServer = db.get();
        PlugInGlobals::Session.lonMarkObjects = rx24()->lonMarkObjects();
        monitoring = std::make_unique<cMonitoring>();
    }
    void TearDown() override
    {
        monitoring->SetMonitoring(false);
        monitoring.reset();
        PlugInGlobals::Session.clear();
        PlugInGlobals::ObjectServer = nullptr;
        ParamsDbFixture::TearDown();
    }

    // Runs sql on the database file through a connection of its own, as
    // another tool editing the network would.
    void execOnFile(const QString &sql) const
    {
        const QString connection = QStringLiteral("other tool");
        {
            QSqlDatabase sqlDb = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
            sqlDb.setDatabaseName(db->databasePath());
            ASSERT_TRUE(sqlDb.open());
            QSqlQuery query(sqlDb);
            ASSERT_TRUE(query.exec(sql)) << query.lastError().text().toStdString();
        }
        QSqlDatabase::removeDatabase(connection);
    }
    cMonitorPoint *point(const QString &name) const
    {
        return monitoring->MonitorPoints().FindMonitorPoint(name);
    }
    QStringList errorProcedures() const
    {
        QStringList procedures;
        for (const LogEntry &entry : PlugInGlobals::Logger->entries()) {
            if (entry.kind == LogEntry::Kind::Error)
                procedures.append(entry.moduleName + QLatin1Char('.') + entry.procedureName);
        }
        return procedures;
    }

    std::unique_ptr<cMonitoring> monitoring;
};

TEST_F(cMonitoringTest, ChannelObjectsGiveThreePointsEachAndOtherProfilesKeepTheirNumber)
{
    // Channel object 5 (LonMark position 6) is not one of the controller's.
    execOnFile(
        QStringLiteral("UPDATE lonmark_objects SET profile_key = 8000 WHERE position = 6 AND device_id = "
                       "(SELECT id FROM devices WHERE name = 'RX1')"));
    monitoring->FetchNVs();
    ASSERT_TRUE(monitoring->NVsFetched());
    const cMonitorPoints &points = monitoring->MonitorPoints();
    EXPECT_EQ(points.Count(), 45);

    int expectedTag = cMonitorPoint::FirstEventTag;
    for (int n = 1; n <= 16; ++n) {
        for (const QString &prefix :
             {QStringLiteral("PrimeValue"), QStringLiteral("SecValue"), QStringLiteral("Output")}) {
            const QString name = prefix + QLatin1Char('_') + QString::number(n);
            const cMonitorPoint *p = point(name);
            if (n == 5) {
                EXPECT_EQ(p, nullptr) << name.toStdString();
                continue;
            }
            ASSERT_NE(p, nullptr) << name.toStdString();
            EXPECT_EQ(p->EventTag(), expectedTag++) << name.toStdString();
            EXPECT_EQ(p->MonitoringType(), 0);
            // The NV of that very channel object, not of a neighbour.
            EXPECT_EQ(p->NetworkVariable()->name(), prefix);
            EXPECT_EQ(p->NetworkVariable()->parent()->name(), channel(n)->name()) << name.toStdString();
        }
    }
    EXPECT_EQ(point(QStringLiteral("PrimeValue_6"))->EventTag(), 5012);

    // Fetched once: the object that has become a channel object brings nothing.
    execOnFile(QStringLiteral("UPDATE lonmark_objects SET profile_key = 24000"));
    monitoring->FetchNVs();
    EXPECT_EQ(points.Count(), 45);
    EXPECT_TRUE(errorProcedures().isEmpty());
    EXPECT_TRUE(LogService::instance().Lines().isEmpty());
    const QList<LogEntry> &entries = PlugInGlobals::Logger->entries();
    EXPECT_TRUE(std::any_of(entries.begin(), entries.end(), [](const LogEntry &entry) {
        return entry.text.contains(QStringLiteral("[M_PlugIn] Public Sub FetchCPs()"));
    }));
}

TEST_F(cMonitoringTest, MissingChannelObjectEndsTheFetchLoggedAndALaterFetchCompletesIt)
{
    PlugInGlobals::Session.lonMarkObjects = small()->lonMarkObjects(); // one channel object only
    monitoring->FetchNVs();
    EXPECT_FALSE(monitoring->NVsFetched());
    EXPECT_EQ(monitoring->MonitorPoints().Count(), 3);
    EXPECT_EQ(errorProcedures(), QStringList{QStringLiteral("cMonitoring.FetchNVs")});

    PlugInGlobals::Session.lonMarkObjects = rx24()->lonMarkObjects();
    monitoring->FetchNVs();
    EXPECT_TRUE(monitoring->NVsFetched());
    EXPECT_EQ(monitoring->MonitorPoints().Count(), 48);
    EXPECT_EQ(errorProcedures().size(), 1); // no complaint about the points kept
}

TEST_F(cMonitoringTest, ValuesOfAnotherClientAndAnUnreachableDeviceArriveOnTheOneThread)
{
    monitoring->FetchNVs();
    // Monitoring type 0 is polled; only these two points get an interval.
    point(QStringLiteral("PrimeValue_3"))->setPollInterval(20);
    point(QStringLiteral("Output_3"))->setPollInterval(20);
    QList<QThread *> threads;
    QStringList updates;
    QStringList failures;
    const cMonitorPoints &points = monitoring->MonitorPoints();
    QObject::connect(&points, &cMonitorPoints::NvUpdate, [&](const QString &name, const QString &value) {
        threads.append(QThread::currentThread());
        updates.append(name + QLatin1Char('=') + value);
    });
    QObject::connect(&points, &cMonitorPoints::CommunicationFailed, [&](cMonitorPoint *p) {
        threads.append(QThread::currentThread());
        failures.append(p->Name());
    });

    monitoring->SetMonitoring(true);
    EXPECT_EQ(points.Count(), 48);
    EXPECT_TRUE(network->system()->monitorSetOpen());
    EXPECT_TRUE(point(QStringLiteral("SecValue_3"))->MonitoringIsActive());

    NetworkDatabase otherClient(db->databasePath());
    otherClient.connectServer(0);
    otherClient.device(QStringLiteral("Plant"), QStringLiteral("Plant.Floor1"), QStringLiteral("RX1"))
        ->lonMarkObjects()
        ->item(4)
        ->networkVariables()
        ->item(QStringLiteral("PrimeValue"))
        ->setValue(QStringLiteral("75.0 1"));
    const QString expected = QStringLiteral("PrimeValue_3=75.0 1");
    ASSERT_TRUE(QTest::qWaitFor([&] { return updates.contains(expected); }, 3000));
    EXPECT_EQ(point(QStringLiteral("PrimeValue_3"))->BufferedValue(), QStringLiteral("75.0 1"));
    EXPECT_TRUE(failures.isEmpty());

    otherClient.setDeviceReachable(QStringLiteral("Plant"), QStringLiteral("Plant.Floor1"),
                                   QStringLiteral("RX1"), false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return failures.size() >= 2; }, 3000));
    EXPECT_TRUE(failures.contains(QStringLiteral("Output_3")));
    EXPECT_TRUE(failures.contains(QStringLiteral("PrimeValue_3")));
    for (QThread *thread : threads)
        EXPECT_EQ(thread, QCoreApplication::instance()->thread());

    monitoring->SetMonitoring(false);
    EXPECT_FALSE(network->system()->monitorSetOpen());
    EXPECT_FALSE(point(QStringLiteral("PrimeValue_3"))->MonitoringIsActive());
    const qsizetype seen = updates.size() + failures.size();
    QTest::qWait(60);
    EXPECT_EQ(updates.size() + failures.size(), seen);
}

} // namespace
