#include "support/PgTestServer.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QUrlQuery>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

const QString kSearchPathOption = QStringLiteral("-csearch_path=");

[[noreturn]] void fail(const QString &why)
{
    throw std::runtime_error(why.toStdString());
}

QString dirFile(const QString &name)
{
    return QStringLiteral(RX24_PG_TEST_DIR "/") + name;
}

QString readDirFile(const QString &name)
{
    QFile file(dirFile(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).trimmed();
}

// Runs `work` on a connection of its own, which is gone afterwards.
template <typename Work> QString withConnection(const QString &uri, Work work)
{
    static int count = 0;
    const QString name = QStringLiteral("PgTestServer-%1").arg(++count);
    // Declared first, so it goes last: after every copy of the connection.
    struct Remove
    {
        QString name;
        ~Remove() { QSqlDatabase::removeDatabase(name); }
    } remove{name};
    QSqlDatabase db = PgTestServer::open(uri, name);
    if (!db.isOpen())
        return db.lastError().text();
    return work(db);
}

QString execute(QSqlDatabase &db, const QString &statement)
{
    QSqlQuery query(db);
    if (!query.exec(statement))
        return query.lastError().text();
    return {};
}

QString withQueryItem(const QString &uri, const QString &item)
{
    return uri + (uri.contains(QLatin1Char('?')) ? QLatin1Char('&') : QLatin1Char('?')) + item;
}

// Empty when the server behind `uri` runs a query.
QString whyNotAnswering(const QString &uri)
{
    return withConnection(withQueryItem(uri, QStringLiteral("connect_timeout=10")),
                          [](QSqlDatabase &db) { return execute(db, QStringLiteral("SELECT 1")); });
}

void startServer()
{
    QProcess script;
    script.setProcessChannelMode(QProcess::MergedChannels);
    script.start(QStringLiteral("bash"), {QStringLiteral(RX24_SOURCE_DIR "/scripts/pg-test-server.sh"),
                                          QStringLiteral("start"), QStringLiteral(RX24_PG_TEST_DIR)});
    const bool finished = script.waitForFinished(180'000);
    QString output = QString::fromLocal8Bit(script.readAll());
    // Not started, crashed or still running: Qt says which.
    if (script.error() != QProcess::UnknownError)
        output += script.errorString();
    if (!finished || script.exitStatus() != QProcess::NormalExit || script.exitCode() != 0)
        fail(QStringLiteral("scripts/pg-test-server.sh start " RX24_PG_TEST_DIR " failed:\n") + output);
}

void ensureServer()
{
    static bool ready = false;
    if (ready)
        return;
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
        fail(QStringLiteral("Qt's PostgreSQL driver QPSQL is missing (package libqt6sql6-psql; "
                            "scripts/setup-packages.sh installs it)"));
    // Files of a server that is gone (a machine restarted since, a stop that
    // never came) do not count: the script starts a new one then.
    QString uri = readDirFile(QStringLiteral("uri"));
    if (uri.isEmpty() || !whyNotAnswering(uri).isEmpty()) {
        startServer();
        uri = readDirFile(QStringLiteral("uri"));
        const QString why = whyNotAnswering(uri);
        if (!why.isEmpty())
            fail(QStringLiteral("The test server started but does not answer on \"%1\": %2").arg(uri, why));
    }
    ready = true;
}

QString serverFile(const QString &name)
{
    ensureServer();
    const QString text = readDirFile(name);
    if (text.isEmpty())
        fail(QStringLiteral("%1 is missing or empty").arg(dirFile(name)));
    return text;
}

// A conninfo value in quotes, as libpq reads it.
QString quoted(QString value)
{
    value.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    value.replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return QLatin1Char('\'') + value + QLatin1Char('\'');
}

} // namespace

QString PgTestServer::uri()
{
    return serverFile(QStringLiteral("uri"));
}

QString PgTestServer::tlsUri()
{
    return serverFile(QStringLiteral("tls-uri"));
}

QString PgTestServer::passwordUri()
{
    return serverFile(QStringLiteral("password-uri"));
}

QString PgTestServer::password()
{
    return serverFile(QStringLiteral("password"));
}

QString PgTestServer::freshSchemaUri(const QString &tag)
{
    static int count = 0;
    // Within 63 characters (PostgreSQL's longest name) and never in need of
    // quotes. The random part keeps apart schemas that a test of an earlier
    // process with the same pid left on a server started by hand.
    QString cleanTag = tag.toLower();
    cleanTag.replace(QRegularExpression(QStringLiteral("[^a-z0-9_]")), QStringLiteral("_"));
    const QString schema =
        QStringLiteral("t_%1_%2_%3_%4")
            .arg(cleanTag.left(30))
            .arg(QCoreApplication::applicationPid())
            .arg(++count)
            .arg(QRandomGenerator::global()->generate() & 0xffffff, 6, 16, QLatin1Char('0'));
    const QString base = uri();
    const QString why = withConnection(
        base, [&](QSqlDatabase &db) { return execute(db, QStringLiteral("CREATE SCHEMA %1").arg(schema)); });
    if (!why.isEmpty())
        fail(QStringLiteral("Could not create schema %1 on %2: %3").arg(schema, base, why));
    return withQueryItem(base, QStringLiteral("options=-csearch_path%3D") + schema);
}

QString PgTestServer::schemaOf(const QString &schemaUri)
{
    const QString options =
        QUrlQuery(QUrl(schemaUri)).queryItemValue(QStringLiteral("options"), QUrl::FullyDecoded);
    if (!options.startsWith(kSearchPathOption))
        fail(QStringLiteral("%1 does not name a schema").arg(schemaUri));
    const QString schema = options.mid(kSearchPathOption.size());
    static const QRegularExpression safe(QStringLiteral("^[a-z_][a-z0-9_]*$"));
    if (!safe.match(schema).hasMatch())
        fail(QStringLiteral("%1 is not a schema of freshSchemaUri()").arg(schema));
    return schema;
}

void PgTestServer::dropSchema(const QString &schemaUri)
{
    const QString schema = schemaOf(schemaUri);
    const QString why = withConnection(uri(), [&](QSqlDatabase &db) {
        return execute(db, QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(schema));
    });
    if (!why.isEmpty())
        fail(QStringLiteral("Could not drop schema %1: %2").arg(schema, why));
}

QSqlDatabase PgTestServer::open(const QString &uri, const QString &connectionName, const QString &password)
{
    const QUrl url(uri, QUrl::StrictMode);
    if (!url.isValid() ||
        (url.scheme() != QLatin1String("postgresql") && url.scheme() != QLatin1String("postgres")))
        fail(QStringLiteral("\"%1\" is not a PostgreSQL URI").arg(uri));
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connectionName);
    db.setHostName(url.host(QUrl::FullyDecoded));
    if (url.port() != -1)
        db.setPort(url.port());
    db.setUserName(url.userName(QUrl::FullyDecoded));
    db.setPassword(password.isEmpty() ? url.password(QUrl::FullyDecoded) : password);
    db.setDatabaseName(url.path(QUrl::FullyDecoded).mid(1));
    // The driver puts the options into the connection string with each ';'
    // made a blank: values in quotes, no ';' in them.
    QStringList options;
    const auto items = QUrlQuery(url).queryItems(QUrl::FullyDecoded);
    for (const auto &[key, value] : items) {
        if (value.contains(QLatin1Char(';')))
            fail(QStringLiteral("\"%1\": the driver cannot pass a ';' in %2").arg(uri, key));
        options << key + QLatin1Char('=') + quoted(value);
    }
    db.setConnectOptions(options.join(QLatin1Char(';')));
    db.open();
    return db;
}

PgTestSchema::~PgTestSchema()
{
    try {
        PgTestServer::dropSchema(m_uri);
    } catch (const std::exception &error) {
        ADD_FAILURE() << error.what();
    }
}
