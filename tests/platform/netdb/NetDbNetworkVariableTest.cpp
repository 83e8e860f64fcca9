#include "NetDbTestFixture.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

namespace {
class NetDbNetworkVariableTest : public NetDbTestFixture
{
protected:
    // Monitoring of channel 1's PrimeValue with the given options and tag.
    LnsRef<LnsNetworkVariable> monitored(bool eventDriven, int pollInterval, int tag)
    {
        system()->openMonitorSet();
        auto nv = primeValue();
        nv->beginEditMonitorOptions();
        LnsMonitorOptions options;
        options.eventDriven = eventDriven;
        options.pollInterval = pollInterval;
        nv->setMonitorOptions(options);
        nv->endEditMonitorOptions();
        nv->setMonitorTag(tag);
        nv->activateMonitoring();
        return nv;
    }
};

TEST_P(NetDbNetworkVariableTest, ChangeTypeToAllowedResetsTheValue)
{
    auto nv = primeValue();
    nv->setValue(QStringLiteral("100.0 1"));
    nv->changeType(81);
    EXPECT_EQ(nv->typeId(), 81);
    EXPECT_EQ(nv->value(), QStringLiteral("0.000"));
    EXPECT_TRUE(nv->elementNames().isEmpty());
    EXPECT_EQ(primeValue()->typeId(), 81);
}

TEST_P(NetDbNetworkVariableTest, ChangeTypeOutsideAllowedIsRefused)
{
    auto nv = primeValue();
    const QString error = lnsErrorText([&] { nv->changeType(117); });
    EXPECT_TRUE(error.contains(QStringLiteral("PrimeValue")));
    EXPECT_TRUE(error.contains(QStringLiteral("117")));
    EXPECT_EQ(lnsErrorNumber([&] { nv->changeType(117); }), LnsErrorCode::TypeNotAllowed);
    EXPECT_EQ(nv->typeId(), 95);
    EXPECT_EQ(nv->value(), QStringLiteral("0.0 0"));
}

TEST_P(NetDbNetworkVariableTest, ElementsReadAndWriteFieldsOfStructuredValues)
{
    auto nv = primeValue();
    nv->setElementValue(QStringLiteral("value"), QStringLiteral("55.5"));
    nv->setElementValue(QStringLiteral("state"), QStringLiteral("1"));
    EXPECT_EQ(nv->value(), QStringLiteral("55.5 1"));
    EXPECT_EQ(nv->elementValue(QStringLiteral("state")), QStringLiteral("1"));
    EXPECT_EQ(lnsErrorNumber([&] { nv->elementValue(QStringLiteral("colour")); }), LnsErrorCode::NotFound);
    EXPECT_EQ(lnsErrorNumber([&] { nv->setElementValue(QStringLiteral("state"), QStringLiteral("1 2")); }),
              LnsErrorCode::InvalidValue);
    EXPECT_EQ(lnsErrorNumber([&] { nv->setValue(QStringLiteral("1")); }), LnsErrorCode::InvalidValue);
    EXPECT_EQ(nv->value(), QStringLiteral("55.5 1"));
}

// A value its type cannot read would reach every reader of the NV.
TEST_P(NetDbNetworkVariableTest, ValuesThatDoNotReadAsTheTypeAreRefused)
{
    auto nv = primeValue(); // SNVT_switch: value state
    for (const char *fits : {"100.0 1", "-12.5 0", "1e2 255", ".5 +1"}) {
        EXPECT_EQ(lnsErrorNumber([&] { nv->setValue(QString::fromUtf8(fits)); }), 0) << fits;
        EXPECT_EQ(nv->value(), QString::fromUtf8(fits));
    }
    for (const char *refused :
         {"garbage text", "1.2.3 0", "100.0", "100.0  1", "100.0 1 2", "100.0 ON", ""}) {
        EXPECT_EQ(lnsErrorNumber([&] { nv->setValue(QString::fromUtf8(refused)); }),
                  LnsErrorCode::InvalidValue)
            << refused;
    }
    EXPECT_EQ(lnsErrorNumber([&] { nv->setElementValue(QStringLiteral("state"), QStringLiteral("ST_ON")); }),
              LnsErrorCode::InvalidValue);
    EXPECT_EQ(nv->value(), QStringLiteral(".5 +1"));

    // An enumeration takes a name (or its number) where the type has one.
    auto request =
        device()->lonMarkObjects()->item(1)->networkVariables()->item(QStringLiteral("nviRequest"));
    EXPECT_EQ(lnsErrorNumber([&] { request->setValue(QStringLiteral("3 RQ_DISABLED")); }), 0);
    EXPECT_EQ(lnsErrorNumber([&] { request->setValue(QStringLiteral("3 5")); }), 0);
    EXPECT_EQ(lnsErrorNumber([&] { request->setValue(QStringLiteral("RQ_DISABLED 3")); }),
              LnsErrorCode::InvalidValue);
    EXPECT_EQ(lnsErrorNumber([&] { request->setValue(QStringLiteral("3 RQ-DISABLED")); }),
              LnsErrorCode::InvalidValue);
    EXPECT_EQ(request->value(), QStringLiteral("3 5"));
}

TEST_P(NetDbNetworkVariableTest, MonitorOptionsOnlyInsideTheBracket)
{
    auto nv = primeValue();
    LnsMonitorOptions options;
    options.pollInterval = 100;
    EXPECT_EQ(lnsErrorNumber([&] { nv->setMonitorOptions(options); }), LnsErrorCode::InvalidArgument);
    EXPECT_EQ(lnsErrorNumber([&] { nv->endEditMonitorOptions(); }), LnsErrorCode::InvalidArgument);
    nv->beginEditMonitorOptions();
    nv->setMonitorOptions(options);
    nv->endEditMonitorOptions();
    EXPECT_EQ(primeValue()->monitorOptions().pollInterval, 100); // shared by every handle of the NV
}

TEST_P(NetDbNetworkVariableTest, ActivationNeedsAnOpenMonitorSet)
{
    auto nv = primeValue();
    EXPECT_EQ(lnsErrorNumber([&] { nv->activateMonitoring(); }), LnsErrorCode::InvalidArgument);
    system()->openMonitorSet();
    nv->activateMonitoring();
    EXPECT_TRUE(nv->isMonitored());
    system()->closeMonitorSet();
    EXPECT_FALSE(nv->isMonitored());
}

TEST_P(NetDbNetworkVariableTest, PolledValueFromAnotherClientArrivesWithTheTag)
{
    QSignalSpy updates(db.get(), &LnsObjectServer::nvUpdateOccurred);
    monitored(false, 30, 5002);
    auto other = openSecond();
    deviceOf(*other)
        ->lonMarkObjects()
        ->item(2)
        ->networkVariables()
        ->item(QStringLiteral("PrimeValue"))
        ->setValue(QStringLiteral("42.0 1"));
    bool seen = false;
    for (int i = 0; i < 20 && !seen; ++i) {
        updates.wait(200);
        for (const auto &args : std::as_const(updates))
            seen = seen || (args.at(0).toInt() == 5002 && args.at(1).toString() == QStringLiteral("42.0 1"));
    }
    EXPECT_TRUE(seen);
}

TEST_P(NetDbNetworkVariableTest, EventDrivenDeliversOnlyChanges)
{
    QSignalSpy updates(db.get(), &LnsObjectServer::nvUpdateOccurred);
    auto nv = monitored(true, 20, 7);
    QTest::qWait(150);
    EXPECT_EQ(updates.count(), 0);
    primeValue()->setValue(QStringLiteral("10.0 1"));
    ASSERT_TRUE(updates.wait(2000));
    QTest::qWait(150);
    ASSERT_EQ(updates.count(), 1);
    EXPECT_EQ(updates.at(0).at(0).toInt(), 7);
    EXPECT_EQ(updates.at(0).at(1).toString(), QStringLiteral("10.0 1"));
    nv->deactivateMonitoring();
    primeValue()->setValue(QStringLiteral("20.0 1"));
    QTest::qWait(100);
    EXPECT_EQ(updates.count(), 1);
}

TEST_P(NetDbNetworkVariableTest, PolledNvDeliversEveryPoll)
{
    QSignalSpy updates(db.get(), &LnsObjectServer::nvUpdateOccurred);
    monitored(false, 20, 3);
    QTest::qWait(200);
    EXPECT_GE(updates.count(), 3);
}

TEST_P(NetDbNetworkVariableTest, PollsSeeCommittedValuesWhileAnotherClientHoldsATransaction)
{
    QSignalSpy updates(db.get(), &LnsObjectServer::nvUpdateOccurred);
    monitored(false, 20, 9);
    auto other = openSecond();
    auto otherSystem = other->openNetwork(QStringLiteral("Plant"), false)->system();
    otherSystem->startTransaction();
    deviceOf(*other)->lonMarkObjects()->item(2)->networkVariables()->item(1)->setValue(
        QStringLiteral("5.0 1"));
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(updates.wait(1000));
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_EQ(updates.last().at(1).toString(), QStringLiteral("0.0 0"));
    otherSystem->cancelTransaction();
}

TEST_P(NetDbNetworkVariableTest, UnreachableDeviceReportsCommunicationFailure)
{
    QSignalSpy failures(db.get(), &LnsObjectServer::nvCommunicationFailed);
    QSignalSpy updates(db.get(), &LnsObjectServer::nvUpdateOccurred);
    monitored(false, 20, 5001);
    db->setDeviceReachable(QStringLiteral("Plant"), QStringLiteral("Plant.Floor1"), QStringLiteral("RX1"),
                           false);
    ASSERT_TRUE(failures.wait(2000));
    EXPECT_EQ(failures.at(0).at(0).toInt(), 5001);
    updates.clear();
    QTest::qWait(80);
    EXPECT_EQ(updates.count(), 0);
}
} // namespace

RX24_ON_BOTH_ENGINES(NetDbNetworkVariableTest);
