#pragma once

#include "platform/netdb/NetDbChangeWatch.h"
#include "platform/netdb/NetDbEngine.h"
#include "platform/netdb/NetDbWalSync.h"

// The embedded database: one SQLite file in write-ahead-log mode. A
// transaction takes the file's write lock at its start; another client's
// commit shows in the log's shared index.
class NetDbSqliteEngine : public NetDbEngine
{
public:
    explicit NetDbSqliteEngine(QString path) : m_path(std::move(path)) {}

    QString shownLocation() const override { return m_path; }
    bool isServer() const override { return false; }
    QSqlDatabase open(const QString &connectionName, NetDbOpenMode mode) override;
    void attach(QSqlDatabase &db, NetDbOpenMode mode) override;
    void detach() override;
    QStringList catalogue(QSqlDatabase &db) override;
    int catalogueSize(QSqlDatabase &db) override;
    QStringList beginStatements() const override;
    QStringList beginCreateStatements() const override { return beginStatements(); }
    // Deferred: takes no write lock, and a read-only file allows it.
    QStringList beginSnapshotStatements() const override { return {QStringLiteral("BEGIN")}; }
    QStringList extraSchema() const override { return {}; }
    QString lockRowStatement(const QString &) const override { return {}; }
    QString setsInUseStatement() const override { return {}; }
    QString setsSweepStatement() const override { return {}; }
    QString nextIdsStatement() const override { return {}; }
    bool otherConnectionWrote() override { return m_watch.otherConnectionWrote(); }
    void setOtherWriteHandler(std::function<void()>) override {}
    void wrote(QSqlDatabase &db, bool inTransaction) override;
    void beforeCommit(QSqlDatabase &) override {}
    void committed() override { m_walSync.committed(); }
    void shrinkMemory(QSqlDatabase &db) override;
    bool isBusy(const QSqlError &error) const override;
    DatabaseFault fault(const QSqlError &error) const override;
    int busyTimeoutMs() const override;

private:
    QString m_path;
    NetDbChangeWatch m_watch;
    NetDbWalSync m_walSync;
};
