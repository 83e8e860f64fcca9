#include "monitoring/cMonitorPoint.h"

#include "monitoring/cMonitorPoints.h"
#include "params/ParamsTestSupport.h"

namespace {

class cMonitorPointTest : public ParamsDbFixture
{
protected:
    LnsRef<LnsNetworkVariable> primeValue(int n) const
    {
        return channel(n)->networkVariables()->item(QStringLiteral("PrimeValue"));
    }
    // A point over PrimeValue of channel object 1.
    cMonitorPoint *point() { return points.AddMonitorPoint(QStringLiteral("PrimeValue_1"), primeValue(1)); }

    cMonitorPoints points;
};

TEST_F(cMonitorPointTest, ValueIsReadFromLnsOnEveryGetAndWrittenOnLet)
{
    cMonitorPoint *p = point();
    EXPECT_EQ(p->Value(), QStringLiteral("0.0 0"));
    primeValue(1)->setValue(QStringLiteral("50.0 1")); // behind the point's back
    EXPECT_EQ(p->Value(), QStringLiteral("50.0 1"));
    p->setValue(QStringLiteral("100.0 1"));
    EXPECT_EQ(primeValue(1)->value(), QStringLiteral("100.0 1"));
    EXPECT_EQ(primeValue(2)->value(), QStringLiteral("0.0 0"));
    EXPECT_TRUE(p->BufferedValue().isEmpty()); // only events fill it
}

TEST_F(cMonitorPointTest, ElementsByNameAndLnsErrorsAsFalse)
{
    cMonitorPoint *p = point();
    ASSERT_TRUE(p->SetElementValue(QStringLiteral("state"), QStringLiteral("1")));
    QString value;
    ASSERT_TRUE(p->GetElementValue(QStringLiteral("state"), value));
    EXPECT_EQ(value, QStringLiteral("1"));
    EXPECT_EQ(p->Value(), QStringLiteral("0.0 1"));

    value = QStringLiteral("untouched");
    EXPECT_FALSE(p->GetElementValue(QStringLiteral("nosuch"), value));
    EXPECT_EQ(value, QStringLiteral("untouched"));
    EXPECT_FALSE(p->SetElementValue(QStringLiteral("nosuch"), QStringLiteral("1")));
    EXPECT_FALSE(p->SetElementValue(QStringLiteral("state"), QString()));
    EXPECT_EQ(p->Value(), QStringLiteral("0.0 1"));
}

TEST_F(cMonitorPointTest, PointWithoutNvChangesNothing)
{
    cMonitorPoint *p = points.AddMonitorPoint(QStringLiteral("Nothing"));
    EXPECT_FALSE(p->Available());
    p->setMonitoringType(2);
    EXPECT_EQ(p->MonitoringType(), 0);
    EXPECT_TRUE(p->Value().isEmpty());
    QString value;
    EXPECT_FALSE(p->GetElementValue(QStringLiteral("state"), value));
    EXPECT_FALSE(p->ActivateMonitoring());
    EXPECT_FALSE(p->ChangeNvType(81, QStringLiteral("0000000000000000"), 0));
}

TEST_F(cMonitorPointTest, MonitoringTypeOneAloneIsEventDriven)
{
    cMonitorPoint *p = point();
    for (int type : {1, 2, 1, 0}) {
        p->setMonitoringType(type); // a bracket left open would make the next one fail
        EXPECT_EQ(p->MonitoringType(), type);
        EXPECT_EQ(primeValue(1)->monitorOptions().eventDriven, type == 1) << type;
    }
}

TEST_F(cMonitorPointTest, ActivationWritesTheOptionsOnlyWhileTheMonitorSetIsOpen)
{
    cMonitorPoint *p = point();
    p->setPollInterval(250);
    p->setFormat(QStringLiteral("#0"));
    p->setReportByException(true);
    EXPECT_FALSE(p->ActivateMonitoring()); // LNS refuses without the set
    EXPECT_FALSE(p->MonitoringIsActive());

    network->system()->openMonitorSet();
    ASSERT_TRUE(p->ActivateMonitoring());
    EXPECT_TRUE(p->MonitoringIsActive());
    EXPECT_TRUE(primeValue(1)->isMonitored());
    const LnsMonitorOptions options = primeValue(1)->monitorOptions();
    EXPECT_EQ(options.pollInterval, 250);
    EXPECT_EQ(options.format, QStringLiteral("#0"));
    EXPECT_TRUE(options.reportByException);
    EXPECT_FALSE(options.eventDriven);

    p->DeactivateMonitoring();
    EXPECT_FALSE(p->MonitoringIsActive());
    EXPECT_FALSE(primeValue(1)->isMonitored());
}

TEST_F(cMonitorPointTest, SameTypeNeedsNoChangeAndAllowedTypeIsStoredInTheDatabase)
{
    cMonitorPoint *p = point();
    primeValue(1)->setValue(QStringLiteral("30.0 1"));
    EXPECT_TRUE(p->ChangeNvType(95, QStringLiteral("0000000000000000"), 0));
    // A type change would have reset the value to the type's default.
    EXPECT_EQ(primeValue(1)->value(), QStringLiteral("30.0 1"));
    EXPECT_TRUE(p->ChangeNvType(81, QStringLiteral("0000000000000000"), 0));
    EXPECT_EQ(primeValue(1)->typeId(), 81);
    EXPECT_EQ(primeValue(2)->typeId(), 95);
    EXPECT_EQ(p->NetworkVariable()->typeId(), 81);
    EXPECT_TRUE(LogService::instance().Lines().isEmpty());
}

TEST_F(cMonitorPointTest, RefusedTypeChangeIsLoggedInRedAndLeavesTheNvAsItWas)
{
    struct Case
    {
        int typeId;
        bool refusedByDatabase; // an allowed type that the database turns down
        QString reason;
    };
    const Case cases[] = {{92, false, QStringLiteral("cannot take the type 92")},
                          {81, true, QStringLiteral("type refused")}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typeId);
        cMonitorPoints ownPoints;
        cMonitorPoint *p = ownPoints.AddMonitorPoint(QStringLiteral("PrimeValue_1"), primeValue(1));
        const LnsRef<LnsNetworkVariable> before = p->NetworkVariable();
        primeValue(1)->setValue(QStringLiteral("30.0 1"));
        LogService::reset();
        if (c.refusedByDatabase) {
            QSqlDatabase sql = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("refuse"));
            sql.setDatabaseName(dir.filePath(QStringLiteral("networks.lnsdb")));
            ASSERT_TRUE(sql.open());
            ASSERT_TRUE(QSqlQuery(sql).exec(QStringLiteral("CREATE TRIGGER refuse_type BEFORE UPDATE OF "
                                                           "type_id ON nvs BEGIN SELECT RAISE(ABORT, "
                                                           "'type refused'); END")));
            sql.close();
            sql = QSqlDatabase();
            QSqlDatabase::removeDatabase(QStringLiteral("refuse"));
        }

        EXPECT_FALSE(p->ChangeNvType(c.typeId, QStringLiteral("0000000000000000"), 0));
        EXPECT_EQ(p->NetworkVariable(), before);
        EXPECT_EQ(p->NetworkVariable()->typeId(), 95);
        EXPECT_EQ(p->Value(), QStringLiteral("30.0 1"));
        EXPECT_EQ(p->NetworkVariable()->monitorTag(), 5000);

        const QList<LogLine> &lines = LogService::instance().Lines();
        ASSERT_EQ(lines.size(), 2);
        EXPECT_EQ(
            lines.at(0).text,
            QStringLiteral("An error occured while changing the type of network variable \"PrimeValue\"."));
        EXPECT_EQ(lines.at(0).colour, LogService::Red);
        EXPECT_TRUE(lines.at(1).text.contains(c.reason)) << lines.at(1).text.toStdString();
        EXPECT_EQ(lines.at(1).colour, LogService::Red);
        EXPECT_TRUE(LogService::instance().ErrorLogged());
    }
}

} // namespace
