#pragma once

#include "platform/DatabaseFault.h"
#include "platform/netdb/NetDbOpenMode.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>

// What differs between the two databases a project can live in: the
// embedded SQLite file of one desk, and a PostgreSQL server a team shares.
// Every statement of the object server, the caches and the collections are
// the same on both; only opening, locking, handing out ids and noticing other
// clients' commits go through here.
class NetDbEngine
{
public:
    // A server URI ("postgresql://...") gives the server engine, anything
    // else names a database file.
    static std::unique_ptr<NetDbEngine> forLocation(const QString &location);

    virtual ~NetDbEngine() = default;

    // The file or the server as messages name it (never with a password).
    virtual QString shownLocation() const = 0;
    virtual bool isServer() const = 0;

    // Adds and opens the connection; raises DatabaseUnusable naming the
    // location and the cause. Checks before opening what can be checked.
    virtual QSqlDatabase open(const QString &connectionName, NetDbOpenMode mode) = 0;
    // After the schema is checked: what the connection needs for its work.
    virtual void attach(QSqlDatabase &db, NetDbOpenMode mode) = 0;
    virtual void detach() = 0;

    // Runs one statement with its values and gives its rows, or sets error;
    // false when Qt's prepared statements are to run it instead.
    virtual bool run(QSqlDatabase &db, const QString &sql, const QVariantList &binds,
                     QList<QVariantList> &rows, QSqlError &error)
    {
        Q_UNUSED(db);
        Q_UNUSED(sql);
        Q_UNUSED(binds);
        Q_UNUSED(rows);
        Q_UNUSED(error);
        return false;
    }

    // Tables and indexes present.
    virtual QStringList catalogue(QSqlDatabase &db) = 0;
    // The number of catalogue entries; raises DatabaseUnusable when the
    // location holds no database at all.
    virtual int catalogueSize(QSqlDatabase &db) = 0;
    // Statements that start a transaction; the first client's write lock on
    // the file, or a plain transaction on the server.
    virtual QStringList beginStatements() const = 0;
    // Statements that start a transaction that only reads and sees the
    // database as it stood at its first read until it ends, whatever other
    // clients commit meanwhile.
    virtual QStringList beginSnapshotStatements() const = 0;
    // Starts the transaction that creates the tables, so that two first
    // clients do not both create them.
    virtual QStringList beginCreateStatements() const = 0;
    // What the schema needs beyond the shared tables (the id sequence).
    virtual QStringList extraSchema() const = 0;

    // The statement that locks one row until the end of the transaction, or
    // empty when the transaction holds the whole database already.
    virtual QString lockRowStatement(const QString &table) const = 0;
    // The stored sets of the history are shared by devices: a client that
    // may name one holds this (shared with other writers) until its
    // transaction ends, and the sweep of sets nobody names tries for it
    // alone and is left for later when others hold it, so that the two
    // never wait for each other. Empty where the transaction holds the
    // whole database.
    virtual QString setsInUseStatement() const = 0;
    virtual QString setsSweepStatement() const = 0;
    // The statement that hands out as many new ids as its one value asks
    // for, or empty when ids are counted from the table's largest one inside
    // the write lock.
    virtual QString nextIdsStatement() const = 0;

    // True when another client committed since the previous call, or when
    // that cannot be known. Never false after such a commit.
    virtual bool otherConnectionWrote() = 0;
    // Called when another client's commit is announced without a read
    // asking (the server's notifications); none on a file.
    virtual void setOtherWriteHandler(std::function<void()> handler) = 0;
    // A write of this client: outside a transaction it is committed already.
    virtual void wrote(QSqlDatabase &db, bool inTransaction) = 0;
    // Before this client's transaction commits, after it wrote.
    virtual void beforeCommit(QSqlDatabase &db) = 0;
    // After a commit or a write outside a transaction.
    virtual void committed() = 0;
    // Lets go of memory the database keeps for this connection.
    virtual void shrinkMemory(QSqlDatabase &db) = 0;

    // Another client holds what this one waits for.
    virtual bool isBusy(const QSqlError &error) const = 0;
    virtual DatabaseFault fault(const QSqlError &error) const = 0;
    // How long a write waits for another client before it gives up.
    virtual int busyTimeoutMs() const = 0;
};
