// Every write keeps the set the device held before it; any write can be undone.
#include "workflows/WriteHistory.h"

#include "WorkflowFixture.h"
#include "support/NetDbEngines.h"

namespace {

class History : public WorkflowFixture, public ::testing::WithParamInterface<NetDbEngineKind>
{
protected:
    bool databaseOnServer() const override { return GetParam() == NetDbEngineKind::Server; }

    QList<LnsHistoryEntry> historyOf(const QString &deviceName = QStringLiteral("RX24 Hall"))
    {
        NetworkDatabase other(databaseLocation());
        other.connectServer(0);
        return WriteHistory::entries(
            *other.device(QStringLiteral("Demo"), QStringLiteral("LNS System.Floor 1"), deviceName));
    }
    int storedSets()
    {
        int count = -1;
        QSqlDatabase sql;
        if (databaseOnServer()) {
            sql = PgTestServer::open(databaseLocation(), QStringLiteral("count"));
        } else {
            sql = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("count"));
            sql.setDatabaseName(path("net.lnsdb"));
            sql.open();
        }
        if (sql.isOpen()) {
            QSqlQuery query(sql);
            if (query.exec(QStringLiteral("SELECT count(*) FROM config_sets")) && query.next())
                count = query.value(0).toInt();
        }
        sql = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("count"));
        return count;
    }
    // Three writes of the open device: a light and a switch, a name, another function.
    void writeThreeTimes()
    {
        configureLightAndSwitch();
        ASSERT_TRUE(config().WriteParameters());
        config().Lmos().Item(1)->setName(QStringLiteral("Light Desk"));
        ASSERT_TRUE(config().WriteParameters());
        pick(2, 1, "cboType", cActChannel::FptText(QStringLiteral("21201/1")));
        ASSERT_TRUE(config().WriteParameters());
    }
};

// Files made by an earlier version, without the history's tables.
class HistoryOfOlderFiles : public History
{
};

TEST_P(History, ThreeWritesKeepThreeSetsAndRestoringTheFirstGivesTheDeviceBackWhole)
{
    storeSlots(QStringLiteral("RX24 Hall"), {MT_RP4, MT_KW8});
    open();
    const ConfigurationSet original = config().TakeSet();
    configWindow.Unload();
    writeThreeTimes();

    const QList<LnsHistoryEntry> entries = historyOf();
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries.at(0).number, 3); // newest first
    EXPECT_EQ(entries.at(2).number, 1);
    EXPECT_EQ(entries.at(2).user, WriteHistory::userName());
    EXPECT_FALSE(entries.at(2).summary.isEmpty());
    EXPECT_TRUE(entries.at(0).before.isEmpty()) << "a listing carries no sets";

    // Each entry's set after is the next one's set before: nothing between them.
    ConfigurationSet before;
    ConfigurationSet after;
    ASSERT_TRUE(WriteHistory::setAfter(*device(QStringLiteral("RX24 Hall")), 1, after));
    ASSERT_TRUE(WriteHistory::setBefore(*device(QStringLiteral("RX24 Hall")), 2, before));
    EXPECT_TRUE(after.equals(before, true));

    ASSERT_TRUE(WriteHistory::setBefore(*device(QStringLiteral("RX24 Hall")), 1, before));
    EXPECT_EQ(before.differences(original, true), QStringList());
    config().PutSet(before);
    ASSERT_TRUE(config().WriteParameters());
    configWindow.Unload();
    EXPECT_EQ(open().TakeSet().differences(original), QStringList());
    // The restore is a write like any other: it can be undone too.
    EXPECT_EQ(historyOf().size(), 4);
}

TEST_P(History, AWriteThatFailsLeavesNoEntry)
{
    configureLightAndSwitch();
    otherClient([](NetworkDatabase &db) {
        db.setDeviceReachable(QStringLiteral("Demo"), QStringLiteral("LNS System.Floor 1"),
                              QStringLiteral("RX24 Hall"), false);
    });
    config().WriteParameters();
    EXPECT_TRUE(historyOf().isEmpty());
    EXPECT_EQ(storedSets(), 0);
}

TEST_P(History, PruningKeepsTheNewestAndNeverASetAnotherEntryStillNames)
{
    WriteHistory::setDepth(2);
    writeThreeTimes();
    const QList<LnsHistoryEntry> entries = historyOf();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries.at(1).number, 2);
    ConfigurationSet set;
    EXPECT_FALSE(WriteHistory::setBefore(*device(QStringLiteral("RX24 Hall")), 1, set));
    // Entries 2 and 3 name three sets between them; the first set is gone.
    EXPECT_EQ(storedSets(), 3);
    ASSERT_TRUE(WriteHistory::setBefore(*device(QStringLiteral("RX24 Hall")), 2, set));
    EXPECT_EQ(set.names.value(1), QStringLiteral("Light Hall"));
}

TEST_P(HistoryOfOlderFiles, ADatabaseWithoutHistoryGetsItWhenAWritingClientOpensIt)
{
    changeDatabase(QStringLiteral("DROP TABLE config_history"));
    changeDatabase(QStringLiteral("DROP TABLE config_sets"));
    configureLightAndSwitch();
    ASSERT_TRUE(config().WriteParameters());
    EXPECT_EQ(historyOf().size(), 1);
}

TEST_P(HistoryOfOlderFiles, ADatabaseThatCouldNotTakeTheHistoryWhenOpenedGetsItWithTheFirstWrite)
{
    configureLightAndSwitch();
    changeDatabase(QStringLiteral("DROP TABLE config_history"));
    changeDatabase(QStringLiteral("DROP TABLE config_sets"));
    ASSERT_TRUE(config().WriteParameters());
    EXPECT_TRUE(MessageBox::shownBoxes().isEmpty());
    EXPECT_EQ(historyOf().size(), 1);
}

RX24_ON_BOTH_ENGINES(History);
INSTANTIATE_TEST_SUITE_P(File, HistoryOfOlderFiles, ::testing::Values(NetDbEngineKind::File), engineName);

} // namespace
