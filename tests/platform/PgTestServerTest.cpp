// The tests' PostgreSQL server: what the engine's tests take for granted of
// it, and the start and stop of scripts/pg-test-server.sh.
#include "support/PgTestServer.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <gtest/gtest.h>
#include <optional>

namespace {

// A connection of its own for one test, gone at the end of it.
class Connection
{
public:
    explicit Connection(const QString &uri, const QString &password = {})
        : m_name(QStringLiteral("PgTestServerTest-%1").arg(++s_count)),
          m_db(PgTestServer::open(uri, m_name, password))
    {
    }
    ~Connection()
    {
        m_db = {};
        QSqlDatabase::removeDatabase(m_name);
    }

    bool isOpen() const { return m_db.isOpen(); }
    QString error() const { return m_db.lastError().text(); }

    // The first value of the first row; nothing when the statement fails.
    std::optional<QVariant> value(const QString &statement)
    {
        QSqlQuery query(m_db);
        if (!query.exec(statement) || !query.next())
            return std::nullopt;
        return query.value(0);
    }
    bool exec(const QString &statement)
    {
        QSqlQuery query(m_db);
        return query.exec(statement);
    }

private:
    static inline int s_count = 0;
    QString m_name;
    QSqlDatabase m_db;
};

struct ScriptRun
{
    int exitCode = -1;
    QString output;
};

QString scriptPath()
{
    return QStringLiteral(RX24_SOURCE_DIR "/scripts/pg-test-server.sh");
}

ScriptRun waitFor(QProcess &script)
{
    EXPECT_TRUE(script.waitForFinished(180'000)) << "the script did not end";
    return {script.exitStatus() == QProcess::NormalExit ? script.exitCode() : -1,
            QString::fromLocal8Bit(script.readAllStandardOutput()).trimmed() +
                QString::fromLocal8Bit(script.readAllStandardError())};
}

void startScript(QProcess &script, const QString &action, const QString &dir)
{
    script.start(QStringLiteral("bash"), {scriptPath(), action, dir});
}

ScriptRun runScript(const QString &action, const QString &dir)
{
    QProcess script;
    startScript(script, action, dir);
    return waitFor(script);
}

QString readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).trimmed();
}

} // namespace

TEST(PgTestServerTest, FreshSchemasDoNotSeeEachOther)
{
    const PgTestSchema first(QStringLiteral("Apart"));
    const PgTestSchema second(QStringLiteral("Apart"));
    ASSERT_NE(first.name(), second.name());
    EXPECT_TRUE(first.name().contains(QStringLiteral("apart"))) << first.name().toStdString();
    {
        Connection a(first.uri());
        Connection b(second.uri());
        ASSERT_TRUE(a.isOpen()) << a.error().toStdString();
        ASSERT_TRUE(b.isOpen()) << b.error().toStdString();
        ASSERT_TRUE(a.exec(QStringLiteral("CREATE TABLE devices (name text)")));
        ASSERT_TRUE(a.exec(QStringLiteral("INSERT INTO devices VALUES ('RX1')")));

        EXPECT_FALSE(b.value(QStringLiteral("SELECT count(*) FROM devices")).has_value());
        ASSERT_TRUE(b.exec(QStringLiteral("CREATE TABLE devices (name text)")));
        EXPECT_EQ(b.value(QStringLiteral("SELECT count(*) FROM devices")), QVariant(0));
        EXPECT_EQ(a.value(QStringLiteral("SELECT count(*) FROM devices")), QVariant(1));
    }
    // Nothing landed in the database's shared schema.
    Connection plain(PgTestServer::uri());
    ASSERT_TRUE(plain.isOpen()) << plain.error().toStdString();
    EXPECT_EQ(plain.value(QStringLiteral("SELECT to_regclass('public.devices') IS NULL")), QVariant(true));
}

TEST(PgTestServerTest, StartAgainKeepsTheRunningServer)
{
    const QString uri = PgTestServer::uri();
    const QString startTime = QStringLiteral("SELECT pg_postmaster_start_time()::text");
    std::optional<QVariant> before;
    {
        Connection db(uri);
        ASSERT_TRUE(db.isOpen()) << db.error().toStdString();
        before = db.value(startTime);
        ASSERT_TRUE(before.has_value());
    }
    const ScriptRun again = runScript(QStringLiteral("start"), QStringLiteral(RX24_PG_TEST_DIR));
    ASSERT_EQ(again.exitCode, 0) << again.output.toStdString();
    EXPECT_EQ(again.output, uri);
    Connection db(uri);
    ASSERT_TRUE(db.isOpen()) << db.error().toStdString();
    EXPECT_EQ(db.value(startTime), before);
}

// A server of its own: two starts at once for one folder get one server, and
// a stop takes it with all its files; stopping again is no error. The folder
// lies in the build, where test.sh stops what an interrupted run left.
TEST(PgTestServerTest, TwoStartsAtOnceShareOneServerThatStopEnds)
{
    const QDir dir(QStringLiteral(RX24_PG_TEST_DIR "-twice"));
    const ScriptRun leftOver = runScript(QStringLiteral("stop"), dir.path());
    ASSERT_EQ(leftOver.exitCode, 0) << leftOver.output.toStdString();
    QProcess first;
    QProcess second;
    startScript(first, QStringLiteral("start"), dir.path());
    startScript(second, QStringLiteral("start"), dir.path());
    const ScriptRun one = waitFor(first);
    const ScriptRun two = waitFor(second);
    // A failed start must not leave a server behind either.
    const auto stopAtEnd = qScopeGuard([&] { runScript(QStringLiteral("stop"), dir.path()); });
    ASSERT_EQ(one.exitCode, 0) << one.output.toStdString();
    ASSERT_EQ(two.exitCode, 0) << two.output.toStdString();
    EXPECT_EQ(one.output, two.output);
    EXPECT_EQ(one.output, readFile(dir.filePath(QStringLiteral("uri"))));

    const QString cluster = readFile(dir.filePath(QStringLiteral("cluster")));
    ASSERT_TRUE(QDir(cluster).exists()) << cluster.toStdString();
    {
        Connection db(one.output);
        ASSERT_TRUE(db.isOpen()) << db.error().toStdString();
        EXPECT_EQ(db.value(QStringLiteral("SELECT 1")), QVariant(1));
    }

    const ScriptRun stop = runScript(QStringLiteral("stop"), dir.path());
    ASSERT_EQ(stop.exitCode, 0) << stop.output.toStdString();
    {
        Connection db(one.output + QStringLiteral("?connect_timeout=5"));
        EXPECT_FALSE(db.isOpen());
    }
    EXPECT_FALSE(QDir(cluster).exists());
    for (const char *name : {"uri", "tls-uri", "password-uri", "password", "port", "cluster"})
        EXPECT_FALSE(QFile::exists(dir.filePath(QLatin1String(name)))) << name;

    const ScriptRun stopAgain = runScript(QStringLiteral("stop"), dir.path());
    EXPECT_EQ(stopAgain.exitCode, 0) << stopAgain.output.toStdString();
}
