#include "platform/netdb/NetDbSqliteEngine.h"

#include "platform/lns/LnsError.h"
#include "platform/netdb/NetDbFailure.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>
#include <QUrl>

namespace {
// How long a write waits for another client's transaction before giving up.
constexpr int kBusyTimeoutMs = 2000;

// Why a file that is to be read and written cannot be, before SQLite would
// open it read-only without a word or fail later at its journal.
DatabaseFault notWritable(const QString &path, const QFileInfo &file)
{
    if (!file.isWritable())
        return NetDbFailure::fault(path, DatabaseFault::WriteProtected);
    const QFileInfo folder(file.absolutePath());
    if (!folder.isWritable())
        return NetDbFailure::fault(path, DatabaseFault::FolderReadOnly,
                                   {QDir::toNativeSeparators(folder.absoluteFilePath())});
    return {};
}

// A file in write-ahead-log mode is read through its "-shm" index, which a
// reader creates beside it. In a folder the reader cannot write, with no
// index and no log there, no writer can be at work either: the file is read
// as it lies.
bool readerNeedsImmutable(const QFileInfo &file)
{
    const QString path = file.absoluteFilePath();
    if (QFileInfo(file.absolutePath()).isWritable() || QFileInfo::exists(path + QStringLiteral("-shm")))
        return false;
    const QFileInfo log(path + QStringLiteral("-wal"));
    return !log.exists() || log.size() == 0;
}
} // namespace

QSqlDatabase NetDbSqliteEngine::open(const QString &connectionName, NetDbOpenMode mode)
{
    const QFileInfo info(m_path);
    if (m_path.isEmpty())
        NetDbFailure::unusable(NetDbFailure::fault(m_path, DatabaseFault::NoFileName));
    if (info.exists() && !info.isFile())
        NetDbFailure::unusable(NetDbFailure::fault(m_path, DatabaseFault::NotAFile));
    if (!info.exists() && mode != NetDbOpenMode::Create)
        NetDbFailure::unusable(NetDbFailure::fault(m_path, DatabaseFault::Missing));
    if (info.exists() && mode != NetDbOpenMode::ReadOnly) {
        const DatabaseFault why = notWritable(m_path, info);
        if (why.kind != DatabaseFault::None)
            NetDbFailure::unusable(why);
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs);
    if (mode == NetDbOpenMode::Create) {
        db.setDatabaseName(m_path);
    } else {
        // As a URI the file is opened without being created when it
        // vanished meanwhile; "ro" refuses every write.
        QUrl uri = QUrl::fromLocalFile(info.absoluteFilePath());
        QString query =
            mode == NetDbOpenMode::ReadOnly ? QStringLiteral("mode=ro") : QStringLiteral("mode=rw");
        if (mode == NetDbOpenMode::ReadOnly && readerNeedsImmutable(info))
            query += QStringLiteral("&immutable=1");
        uri.setQuery(query);
        db.setDatabaseName(uri.toString(QUrl::FullyEncoded));
        options += QStringLiteral(";QSQLITE_OPEN_URI");
    }
    db.setConnectOptions(options);
    if (!db.open()) {
        const DatabaseFault fault = NetDbFailure::fault(m_path, db.lastError());
        throw LnsError(LnsErrorCode::DatabaseUnusable,
                       QStringLiteral("The network database \"%1\" cannot be opened: %2.")
                           .arg(m_path, NetDbFailure::describe(fault)),
                       fault);
    }
    return db;
}

void NetDbSqliteEngine::attach(QSqlDatabase &db, NetDbOpenMode mode)
{
    // Room for the pages of a large transaction (a generated network)
    // without spilling them to the log half-way.
    QSqlQuery(db).exec(QStringLiteral("PRAGMA cache_size=-32768"));
    if (mode != NetDbOpenMode::ReadOnly) {
        // With a write-ahead log, readers (the NV polls on the event loop)
        // never wait for another client's transaction.
        QSqlQuery(db).exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        m_walSync.attach(db);
    }
    m_watch.attach(db, mode != NetDbOpenMode::ReadOnly);
}

void NetDbSqliteEngine::detach()
{
    m_walSync.detach();
    m_watch.detach();
}

QStringList NetDbSqliteEngine::catalogue(QSqlDatabase &db)
{
    QStringList present;
    QSqlQuery query(db);
    if (query.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type IN ('index', 'table')"))) {
        while (query.next())
            present.append(query.value(0).toString());
    }
    return present;
}

int NetDbSqliteEngine::catalogueSize(QSqlDatabase &db)
{
    // Reading the catalogue finds a file that is no database without
    // writing a byte to it.
    QSqlQuery probe(db);
    if (!probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !probe.next())
        NetDbFailure::unusable(NetDbFailure::fault(m_path, probe.lastError()));
    return probe.value(0).toInt();
}

QStringList NetDbSqliteEngine::beginStatements() const
{
    // IMMEDIATE takes the write lock now, so a second client waits at its
    // start instead of failing at commit.
    return {QStringLiteral("BEGIN IMMEDIATE")};
}

void NetDbSqliteEngine::wrote(QSqlDatabase &, bool inTransaction)
{
    if (!inTransaction)
        m_walSync.committed();
}

void NetDbSqliteEngine::shrinkMemory(QSqlDatabase &db)
{
    QSqlQuery(db).exec(QStringLiteral("PRAGMA shrink_memory"));
}

bool NetDbSqliteEngine::isBusy(const QSqlError &error) const
{
    return NetDbFailure::isBusy(error);
}

DatabaseFault NetDbSqliteEngine::fault(const QSqlError &error) const
{
    return NetDbFailure::fault(m_path, error);
}

int NetDbSqliteEngine::busyTimeoutMs() const
{
    return kBusyTimeoutMs;
}
