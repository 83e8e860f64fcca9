#pragma once

#include "platform/netdb/NetDbEngine.h"
#include "platform/netdb/NetDbServerAddress.h"
#include "platform/netdb/NetDbServerNotices.h"

#include <QHash>

// A project on a PostgreSQL server, shared by a team. A write locks the rows
// it changes (and the device it writes) rather than the whole project, so
// engineers writing different devices never wait for each other; ids come
// from one sequence; commits are announced to the other clients.
class NetDbPostgresEngine : public NetDbEngine
{
public:
    // How long a client waits for a row another client holds, and for the
    // server to answer a connect.
    static constexpr int LockTimeoutMs = 2000;
    static constexpr int ConnectTimeoutSeconds = 5;

    explicit NetDbPostgresEngine(const QString &uri);

    QString shownLocation() const override;
    bool isServer() const override { return true; }
    QSqlDatabase open(const QString &connectionName, NetDbOpenMode mode) override;
    // Every statement in one round trip (libpq's PQexecParams): Qt's driver
    // would first prepare it on the server, a round trip more for each
    // statement a connection meets.
    bool run(QSqlDatabase &db, const QString &sql, const QVariantList &binds, QList<QVariantList> &rows,
             QSqlError &error) override;
    void attach(QSqlDatabase &db, NetDbOpenMode mode) override;
    void detach() override;
    QStringList catalogue(QSqlDatabase &db) override;
    int catalogueSize(QSqlDatabase &db) override;
    QStringList beginStatements() const override;
    QStringList beginCreateStatements() const override;
    QStringList beginSnapshotStatements() const override;
    QStringList extraSchema() const override;
    QString lockRowStatement(const QString &table) const override;
    QString setsInUseStatement() const override
    {
        return QStringLiteral("SELECT pg_advisory_xact_lock_shared(7524025)");
    }
    QString setsSweepStatement() const override
    {
        return QStringLiteral("SELECT pg_try_advisory_xact_lock(7524025)");
    }
    QString nextIdsStatement() const override;
    bool otherConnectionWrote() override;
    void setOtherWriteHandler(std::function<void()> handler) override;
    void wrote(QSqlDatabase &db, bool inTransaction) override;
    void beforeCommit(QSqlDatabase &db) override;
    void committed() override {}
    void shrinkMemory(QSqlDatabase &) override {}
    bool isBusy(const QSqlError &error) const override;
    DatabaseFault fault(const QSqlError &error) const override;
    int busyTimeoutMs() const override { return LockTimeoutMs; }

    // Why a connect failed, from libpq's words: refused, name not found,
    // authentication, encryption, no answer.
    DatabaseFault connectFault(const QString &libpqText) const;

private:
    QString userName() const;
    QString withoutPassword(QString text) const;

    QString m_uri;
    pg_conn *m_connection = nullptr;       // Qt's connection, once attached
    QHash<QString, QByteArray> m_numbered; // statements with "?" turned into "$1", "$2" ...
    NetDbServerAddress m_address;
    NetDbServerNotices m_notices;
    bool m_listening = false;
    bool m_announce = false; // this client's transaction wrote
};
