#pragma once

#include <QSqlDatabase>
#include <QString>

// The tests' throw-away PostgreSQL server (scripts/pg-test-server.sh), as
// CTest starts it before the tests that need it. A test program run by hand
// starts it itself; it then keeps running until
// `scripts/pg-test-server.sh stop build/pgtest`.
//
// Every reader fails the test with the script's output (it throws) when no
// server can be had: a test that needs the server never passes without one.
class PgTestServer
{
public:
    // postgresql://rx24@127.0.0.1:PORT/rx24test: role rx24, a superuser,
    // trusted without a password.
    static QString uri();
    // The same with sslmode=require.
    static QString tlsUri();
    // postgresql://rx24pw@127.0.0.1:PORT/rx24test: role rx24pw must give
    // password().
    static QString passwordUri();
    static QString password();

    // A new, empty schema of its own and the URI of uri() confined to it
    // (search_path): tables a client makes through it land there and nowhere
    // else. The name holds `tag` (lower case, letters, digits and '_').
    static QString freshSchemaUri(const QString &tag);
    // Drops the schema of a URI from freshSchemaUri() with everything in it.
    static void dropSchema(const QString &schemaUri);
    // The schema a URI from freshSchemaUri() is confined to.
    static QString schemaOf(const QString &schemaUri);

    // Qt's PostgreSQL driver does not read a libpq URI: this opens one
    // (user, host, port, database and each query item as a connection
    // option) under `connectionName`. The result may be closed when the URI
    // was refused; lastError() says why. Remove the connection with
    // QSqlDatabase::removeDatabase() once every copy of it is gone.
    static QSqlDatabase open(const QString &uri, const QString &connectionName, const QString &password = {});
};

// A fresh schema for one test, dropped when the test ends.
class PgTestSchema
{
public:
    explicit PgTestSchema(const QString &tag) : m_uri(PgTestServer::freshSchemaUri(tag)) {}
    ~PgTestSchema();
    PgTestSchema(const PgTestSchema &) = delete;
    PgTestSchema &operator=(const PgTestSchema &) = delete;

    const QString &uri() const { return m_uri; }
    QString name() const { return PgTestServer::schemaOf(m_uri); }

private:
    QString m_uri;
};
