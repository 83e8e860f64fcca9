// lnsdb on a team's server: --server, start-plugin's check of the plug-in's
// settings, and copy-network between files and a server.
#include "director/DemoNetwork.h"
#include "LnsdbTool.h"
#include "platform/netdb/DeviceInterfaceFile.h"
#include "platform/netdb/NetDbServerAddress.h"
#include "platform/services/SettingsLocation.h"
#include "support/PgTestServer.h"

#include <QSettings>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// What a careless import or an attacker might put into a name or a value; a
// network's name may hold no level separator.
const QString kHostile = QStringLiteral("Ö'; DROP TABLE x;--\\ 漢字 \"q\"");
const QString kHostileNetwork = QStringLiteral("Ö'; DROP TABLE x;-- 漢字");

struct Result
{
    int code;
    QString out;
    QString err;
};

// The words of a command line without blanks inside them, then the rest.
Result lnsdb(const QString &words, const QStringList &more = {})
{
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    const int code = LnsdbTool(outStream, errStream).run(words.split(QLatin1Char(' ')) + more);
    outStream.flush();
    errStream.flush();
    return {code, out, err};
}

// Everything a network holds, a line per row, with a path of names and
// positions in place of ids: equal dumps are equal networks, whatever ids
// each database handed out. Each query gives the row's key, its owner's key,
// what tells it apart below its owner, then what it holds.
QStringList dump(const QString &location, const QString &network)
{
    const char *const levels[] = {
        "SELECT 'w' || id, '', name, system_name FROM networks",
        "SELECT 's' || id, CASE WHEN parent_id IS NULL THEN 'w' || network_id ELSE 's' || parent_id END, "
        "name FROM subsystems",
        "SELECT 'd' || id, 's' || subsystem_id, name, program_id, model, reachable FROM devices",
        "SELECT 'o' || id, 'd' || device_id, position, name, profile_key FROM lonmark_objects",
        "SELECT 'n' || id, 'o' || object_id, position, name, type_id, allowed_types, value FROM nvs",
        "SELECT 'c', CASE WHEN nv_id IS NOT NULL THEN 'n' || nv_id WHEN object_id IS NOT NULL THEN 'o' || "
        "object_id ELSE 'd' || device_id END, position, name, element_length, dimension, bytes FROM cps",
        "SELECT 'r', 'w' || network_id, command_id, program_id, object_type, name, class_id, description, "
        "project_name, class_name, version, manufacturer_id FROM plugin_registrations",
        "SELECT 'h', 'd' || h.device_id, h.number, h.written_at, h.user_name, h.host_name, h.program, "
        "h.summary, b.content, a.content FROM config_history h JOIN config_sets b ON b.id = h.before_set "
        "JOIN config_sets a ON a.id = h.after_set",
    };
    QStringList lines;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("dump"));
        db.setDatabaseName(location);
        if (NetDbServerAddress::isServerAddress(location))
            db = PgTestServer::open(location, QStringLiteral("dump"));
        EXPECT_TRUE(db.open()) << db.lastError().text().toStdString();
        QHash<QString, QString> paths{{QString(), QString()}};
        for (const char *sql : levels) {
            QSqlQuery query(db);
            EXPECT_TRUE(query.exec(QLatin1String(sql))) << query.lastError().text().toStdString();
            QList<QStringList> pending;
            while (query.next()) {
                QStringList row;
                for (int i = 0; i < query.record().count(); ++i)
                    row.append(query.value(i).toString());
                if (!row.at(1).isEmpty() || row.at(2) == network)
                    pending.append(row);
            }
            // Rows of other networks never find their owner; a subsystem may
            // come before its parent.
            for (qsizetype before = -1; before != pending.size();) {
                before = pending.size();
                pending.removeIf([&](const QStringList &row) {
                    if (!paths.contains(row.at(1)))
                        return false;
                    const QString path = paths.value(row.at(1)) + QStringLiteral(" / ") + row.at(2);
                    paths.insert(row.at(0), path);
                    lines.append(path + QStringLiteral(" = ") + row.mid(3).join(QStringLiteral(" | ")));
                    return true;
                });
            }
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("dump"));
    lines.sort();
    return lines;
}

// The first value the statement yields, if any.
QVariant execInFile(const QString &file, const QString &sql, const QVariantList &binds = {})
{
    QVariant value;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
        db.setDatabaseName(file);
        db.open();
        QSqlQuery query(db);
        query.prepare(sql);
        for (const QVariant &bind : binds)
            query.addBindValue(bind);
        EXPECT_TRUE(query.exec()) << query.lastError().text().toStdString();
        if (query.next())
            value = query.value(0);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("raw"));
    return value;
}

class LnsdbServerTest : public ::testing::Test
{
protected:
    void TearDown() override { SettingsLocation::setFilePath({}); }

    // The demo with a device of hostile names, a generated network and one
    // of a hostile name, with registrations and two devices' write history.
    void fillFirst()
    {
        {
            NetworkDatabase db(m_first, NetworkDatabase::OpenMode::Create);
            db.connectServer(0);
            const QString xif = QStringLiteral(RX24_SOURCE_DIR "/resources/data/RX24.xif");
            DemoNetwork(db).create(xif);
            db.addDevice(QStringLiteral("Demo"), QStringLiteral("LNS System.Floor 1.Inner 'A'"),
                         QStringLiteral("dev"), DeviceInterfaceFile::parse(xif));
            db.createNetwork(kHostileNetwork, QStringLiteral("Sys 漢字"));
            for (const QString &device : {QStringLiteral("RX24 Full"), QStringLiteral("RX24 Offline")}) {
                const auto written =
                    db.device(QStringLiteral("Demo"), QStringLiteral("LNS System.Floor 1"), device);
                const QDateTime when = QDateTime::currentDateTimeUtc();
                written->recordHistory(
                    {0, when, kHostile, QStringLiteral("desk"), {}, kHostile, {}, QStringLiteral("set")}, 9);
                written->recordHistory(
                    {0, when, kHostile, {}, {}, {}, QStringLiteral("set"), kHostile + device}, 9);
            }
            for (const QString &network : {QStringLiteral("Demo"), kHostileNetwork})
                db.openNetwork(network, false)
                    ->registerPlugin({QStringLiteral("9000A5E018040100"), 1, kHostile, 13, 7, network,
                                      QStringLiteral("veltoTarvinaRX24"), QStringLiteral("Application"),
                                      QStringLiteral("1.0"), QStringLiteral("velto")});
        }
        // Names the tool refuses, as an older database may hold them: in the
        // rows made last, those of the device "dev".
        for (const char *table : {"subsystems", "devices", "lonmark_objects", "nvs", "cps"})
            execInFile(m_first,
                       QStringLiteral("UPDATE %1 SET name = ? || name WHERE id = (SELECT max(id) FROM %1)")
                           .arg(QLatin1String(table)),
                       {kHostile});
        execInFile(m_first, QStringLiteral("UPDATE nvs SET value = ? WHERE id = (SELECT max(id) FROM nvs)"),
                   {kHostile});
        ASSERT_EQ(
            lnsdb(QStringLiteral("--db %1 generate --network Big --devices 30 --subsystems 3").arg(m_first))
                .code,
            0);
    }

    Result copy(const QString &network, const QString &from, const QString &to, const QString &as = {})
    {
        return lnsdb(QStringLiteral("copy-network"),
                     QStringList{network, QStringLiteral("--from"), from, QStringLiteral("--to"), to} +
                         (as.isEmpty() ? QStringList() : QStringList{QStringLiteral("--as"), as}));
    }

    QTemporaryDir m_dir;
    QString m_first = m_dir.filePath(QStringLiteral("first.lnsdb"));
    QString m_last = m_dir.filePath(QStringLiteral("sub/last.lnsdb"));
};

TEST_F(LnsdbServerTest, ServerOptionTakesOnlyAServerUriWithoutPassword)
{
    for (const QString &args :
         {QStringLiteral("--server networks.lnsdb list-networks"),
          QStringLiteral("--server=postgresql://anna:secret@h/db list-networks"),
          QStringLiteral("--db networks.lnsdb --server postgresql://h/db list-networks")}) {
        const Result r = lnsdb(args);
        EXPECT_EQ(r.code, LnsdbTool::BadArguments) << args.toStdString();
        EXPECT_EQ(r.err.count(QLatin1Char('\n')), 1) << r.err.toStdString();
        EXPECT_FALSE(r.err.contains(QStringLiteral("secret")));
    }
}

// The plug-in opens the server of its settings: lnsdb refuses to start it on
// another one, before it goes near the bus.
TEST_F(LnsdbServerTest, StartPluginOnAServerNeedsThePluginsSettingsToNameIt)
{
    SettingsLocation::setFilePath(m_dir.filePath(QStringLiteral("registry.ini")));
    const QString uri = QStringLiteral("postgresql://anna@db.site.example:5432/lns?sslmode=verify-full");
    for (const QString &configured :
         {QString(), QStringLiteral("postgresql://anna@db.site.example:5432/old")}) {
        QSettings(SettingsLocation::filePath(), QSettings::IniFormat)
            .setValue(QStringLiteral("SOFTWARE/velto/LNS/Server"), configured);
        const Result r = lnsdb(QStringLiteral("--server %1 start-plugin").arg(uri),
                               {QStringLiteral("Demo\\LNS System\\RX24")});
        EXPECT_EQ(r.code, LnsdbTool::Failed);
        EXPECT_EQ(r.err.count(QLatin1Char('\n')), 1);
        EXPECT_TRUE(r.err.contains(QStringLiteral("SOFTWARE/velto/LNS/Server = ") + uri))
            << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(configured)) << r.err.toStdString();
    }
}

TEST_F(LnsdbServerTest, CopyFromFileToServerAndBackLosesNothing)
{
    fillFirst();
    const PgTestSchema schema(QStringLiteral("roundtrip"));
    const QString server = QStringLiteral("--server ") + schema.uri();
    EXPECT_EQ(lnsdb(server + QStringLiteral(" create")).out.trimmed(),
              NetDbServerAddress::parse(schema.uri()).shown());
    // The server holds a network already: the copies get ids of their own.
    ASSERT_EQ(copy(QStringLiteral("Demo"), m_first, schema.uri(), QStringLiteral("Other")).code, 0);
    for (const QString &network : {QStringLiteral("Demo"), QStringLiteral("Big"), kHostileNetwork}) {
        const QStringList original = dump(m_first, network);
        EXPECT_GE(original.size(), network == kHostileNetwork ? 2 : 1000) << network.toStdString();
        const Result up = copy(network, m_first, schema.uri());
        EXPECT_EQ(dump(schema.uri(), network), original) << up.err.toStdString();
        const Result down =
            lnsdb(server + QStringLiteral(" copy-network"), {network, QStringLiteral("--to"), m_last});
        EXPECT_EQ(dump(m_last, network), original) << down.err.toStdString();
        if (network == QLatin1String("Big")) {
            EXPECT_EQ(down.out, QStringLiteral("Copied network \"Big\" (30 devices) from %1 to %2\n")
                                    .arg(NetDbServerAddress::parse(schema.uri()).shown(), m_last));
        }
    }
    EXPECT_EQ(lnsdb(server + QStringLiteral(" list-networks")).out,
              QStringLiteral("Other\nDemo\nBig\n") + kHostileNetwork + QLatin1Char('\n'));
    // The hostile texts made the trip, in the names of every level and in the history.
    const QStringList demo = dump(m_last, QStringLiteral("Demo"));
    EXPECT_GT(
        demo.filter(kHostile + QStringLiteral("Inner 'A' / ") + kHostile + QStringLiteral("dev")).size(),
        500);
    EXPECT_EQ(demo.filter(QStringLiteral("| ") + kHostile + QStringLiteral("RX24 ")).size(), 2);
}

// Nothing of a refused copy reaches the target: not when the name is taken,
// not when the target refuses a row at the end.
TEST_F(LnsdbServerTest, ARefusedCopyLeavesTheTargetAsItWas)
{
    fillFirst();
    ASSERT_EQ(copy(QStringLiteral("Demo"), m_first, m_last).code, 0);
    const QStringList demo = dump(m_last, QStringLiteral("Demo"));
    const QString rows =
        QStringLiteral("SELECT (SELECT count(*) FROM networks) + (SELECT count(*) FROM devices) + "
                       "(SELECT count(*) FROM cps) + (SELECT count(*) FROM config_sets)");
    const int before = execInFile(m_last, rows).toInt();
    const Result taken = copy(QStringLiteral("Demo"), m_first, m_last);
    EXPECT_EQ(taken.code, LnsdbTool::Failed);
    EXPECT_TRUE(taken.err.contains(QStringLiteral("holds a network \"Demo\" already")))
        << taken.err.toStdString();

    execInFile(m_last, QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON config_history "
                                      "BEGIN SELECT RAISE(ABORT, 'no history here'); END"));
    const Result late = copy(QStringLiteral("Demo"), m_first, m_last, QStringLiteral("D2"));
    EXPECT_EQ(late.code, LnsdbTool::Failed);
    EXPECT_TRUE(late.err.contains(QStringLiteral("no history here"))) << late.err.toStdString();
    EXPECT_EQ(dump(m_last, QStringLiteral("Demo")), demo);
    EXPECT_EQ(execInFile(m_last, rows).toInt(), before);
}

} // namespace
