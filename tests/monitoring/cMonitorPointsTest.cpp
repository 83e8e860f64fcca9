#include "monitoring/cMonitorPoints.h"

#include "params/ParamsTestSupport.h"

#include <QSignalSpy>

namespace {

class cMonitorPointsTest : public ParamsDbFixture
{
protected:
    void SetUp() override
    {
        ParamsDbFixture::SetUp();
        points.setObjectServer(db.get());
    }
    void TearDown() override
    {
        points.DeactivateMonitoring();
        ParamsDbFixture::TearDown();
    }
    LnsRef<LnsNetworkVariable> nvOf(int n, const QString &name) const
    {
        return channel(n)->networkVariables()->item(name);
    }
    // The three NVs of channel object 1 as points P1, P2, P3.
    void addThreePoints()
    {
        points.AddMonitorPoint(QStringLiteral("P1"), nvOf(1, QStringLiteral("PrimeValue")));
        points.AddMonitorPoint(QStringLiteral("P2"), nvOf(1, QStringLiteral("SecValue")));
        points.AddMonitorPoint(QStringLiteral("P3"), nvOf(1, QStringLiteral("Output")));
    }

    cMonitorPoints points;
};

// --- the collection ----------------------------------------------------------

TEST_F(cMonitorPointsTest, PointsAreCountedFromOneAndFoundByNameInAnyCase)
{
    addThreePoints();
    EXPECT_EQ(points.Count(), 3);
    EXPECT_EQ(points.GetMonitorPoint(3)->Name(), QStringLiteral("P3"));
    EXPECT_EQ(points.GetMonitorPointByName(QStringLiteral("p2")), points.GetMonitorPoint(2));
    EXPECT_EQ(points.GetMonitorPoint(2)->Parent(), &points);
    EXPECT_EQ(raisedBy([&] { points.GetMonitorPoint(0); }).number, 9);
    EXPECT_EQ(raisedBy([&] { points.GetMonitorPoint(4); }).number, 9);
    EXPECT_EQ(raisedBy([&] { points.GetMonitorPointByName(QStringLiteral("P4")); }).number, 5);
    EXPECT_EQ(raisedBy([&] { points.AddMonitorPoint(QStringLiteral("p1")); }).number, 457);
    EXPECT_EQ(points.Count(), 3);

    points.RemoveMonitorPointByName(QStringLiteral("P2"));
    EXPECT_EQ(points.Count(), 2);
    EXPECT_EQ(points.GetMonitorPoint(2)->Name(), QStringLiteral("P3"));
    EXPECT_EQ(points.FindMonitorPoint(QStringLiteral("P2")), nullptr);
}

TEST_F(cMonitorPointsTest, ThirdPointGetsTag5002EvenAfterAPointWithoutNv)
{
    points.AddMonitorPoint(QStringLiteral("P1"), nvOf(1, QStringLiteral("PrimeValue")));
    cMonitorPoint *empty = points.AddMonitorPoint(QStringLiteral("Empty"));
    cMonitorPoint *third = points.AddMonitorPoint(QStringLiteral("P3"), nvOf(1, QStringLiteral("Output")), 1);
    EXPECT_FALSE(empty->Available());
    EXPECT_EQ(empty->EventTag(), 0);
    EXPECT_EQ(third->EventTag(), 5002);
    EXPECT_EQ(nvOf(1, QStringLiteral("Output"))->monitorTag(), 5002);
    EXPECT_EQ(third->MonitoringType(), 1);
    EXPECT_TRUE(nvOf(1, QStringLiteral("Output"))->monitorOptions().eventDriven);
}

// --- events of the object server --------------------------------------------

TEST_F(cMonitorPointsTest, EventWithTag5002UpdatesTheThirdPointOthersAreIgnored)
{
    addThreePoints();
    QSignalSpy spy(&points, &cMonitorPoints::NvUpdate);
    Q_EMIT db->nvUpdateOccurred(5002, QStringLiteral("42.0 1"));
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toString(), QStringLiteral("P3"));
    EXPECT_EQ(spy.at(0).at(1).toString(), QStringLiteral("42.0 1"));
    EXPECT_EQ(points.GetMonitorPoint(3)->BufferedValue(), QStringLiteral("42.0 1"));
    EXPECT_TRUE(points.GetMonitorPoint(2)->BufferedValue().isEmpty());
    // Tags below 5000 or beyond the last point are ignored.
    QSignalSpy failures(&points, &cMonitorPoints::CommunicationFailed);
    for (const int tag : {4999, 2, 5003})
        Q_EMIT db->nvUpdateOccurred(tag, QStringLiteral("1.0 1"));
    Q_EMIT db->nvCommunicationFailed(4999);
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(failures.count(), 0);
    EXPECT_TRUE(points.GetMonitorPoint(1)->BufferedValue().isEmpty());
}

TEST_F(cMonitorPointsTest, CommunicationFailureNamesThePoint)
{
    addThreePoints();
    QSignalSpy failures(&points, &cMonitorPoints::CommunicationFailed);
    Q_EMIT db->nvCommunicationFailed(5001);
    ASSERT_EQ(failures.count(), 1);
    EXPECT_EQ(failures.at(0).at(0).value<cMonitorPoint *>(), points.GetMonitorPoint(2));
}

TEST_F(cMonitorPointsTest, ForceNvUpdateDeliversTheCurrentValue)
{
    addThreePoints();
    nvOf(1, QStringLiteral("SecValue"))->setValue(QStringLiteral("12.5 1"));
    QSignalSpy updates(&points, &cMonitorPoints::NvUpdate);
    points.ForceNvUpdate(QStringLiteral("P2"));
    ASSERT_EQ(updates.count(), 1);
    EXPECT_EQ(updates.at(0).at(0).toString(), QStringLiteral("P2"));
    EXPECT_EQ(updates.at(0).at(1).toString(), QStringLiteral("12.5 1"));
}

// --- monitoring --------------------------------------------------------------

TEST_F(cMonitorPointsTest, ValueChangedByAnotherClientArrivesAfterActivation)
{
    cMonitorPoint *point =
        points.AddMonitorPoint(QStringLiteral("PrimeValue_1"), nvOf(1, QStringLiteral("PrimeValue")), 1);
    point->setPollInterval(20);
    ASSERT_TRUE(points.ActivateMonitoring());
    EXPECT_TRUE(network->system()->monitorSetOpen());
    EXPECT_TRUE(point->MonitoringIsActive());

    NetworkDatabase otherClient(db->databasePath());
    otherClient.connectServer(0);
    otherClient.device(QStringLiteral("Plant"), QStringLiteral("Plant.Floor1"), QStringLiteral("RX1"))
        ->lonMarkObjects()
        ->item(2)
        ->networkVariables()
        ->item(QStringLiteral("PrimeValue"))
        ->setValue(QStringLiteral("75.0 1"));

    QSignalSpy updates(&points, &cMonitorPoints::NvUpdate);
    ASSERT_TRUE(updates.wait(3000));
    EXPECT_EQ(updates.at(0).at(0).toString(), QStringLiteral("PrimeValue_1"));
    EXPECT_EQ(updates.at(0).at(1).toString(), QStringLiteral("75.0 1"));
    EXPECT_EQ(point->BufferedValue(), QStringLiteral("75.0 1"));
}

TEST_F(cMonitorPointsTest, IndependentPointIsLeftAloneAndDeactivationClosesTheSet)
{
    addThreePoints();
    points.GetMonitorPoint(2)->setIndependentMonitoring(true);
    ASSERT_TRUE(points.ActivateMonitoring());
    EXPECT_TRUE(points.GetMonitorPoint(1)->MonitoringIsActive());
    EXPECT_FALSE(points.GetMonitorPoint(2)->MonitoringIsActive());
    EXPECT_FALSE(nvOf(1, QStringLiteral("SecValue"))->isMonitored());

    points.DeactivateMonitoring();
    EXPECT_FALSE(points.GetMonitorPoint(3)->MonitoringIsActive());
    EXPECT_FALSE(nvOf(1, QStringLiteral("Output"))->isMonitored());
    EXPECT_FALSE(network->system()->monitorSetOpen());
}

// --- NVs found through the plug-in description file ---------------------------

TEST_F(cMonitorPointsTest, NvsAreFoundThroughTheIniFile)
{
    nvOf(4, QStringLiteral("Output"))->setValue(QStringLiteral("9.0 1"));
    cMonitorPoint *output =
        points.FetchLmoNV(QStringLiteral("Output_4"), QStringLiteral("Output"), channel(4));
    ASSERT_NE(output, nullptr);
    EXPECT_EQ(output->Value(), QStringLiteral("9.0 1"));
    EXPECT_EQ(points.GetMonitorPointByName(QStringLiteral("Output_4")), output);

    cMonitorPoint *status = points.FetchDevNV(QStringLiteral("Status"), QStringLiteral("nvoStatus"), rx24());
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->NetworkVariable()->name(), QStringLiteral("nvoStatus"));
    EXPECT_EQ(status->EventTag(), 5001);
    EXPECT_TRUE(LogService::instance().Lines().isEmpty());
}

TEST_F(cMonitorPointsTest, NvMissingFromTheIniFileIsLoggedInRed)
{
    EXPECT_EQ(points.FetchLmoNV(QStringLiteral("X_1"), QStringLiteral("NoSuchNv"), channel(1)), nullptr);
    EXPECT_EQ(points.FetchDevNV(QStringLiteral("X"), QStringLiteral("NoSuchNv"), rx24()), nullptr);
    EXPECT_EQ(points.Count(), 0);
    const QList<LogLine> &lines = LogService::instance().Lines();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines.at(0).text, QStringLiteral("Nv not found in Ini file"));
    EXPECT_EQ(lines.at(0).colour, LogService::Red);
}

} // namespace
