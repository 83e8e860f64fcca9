#include "platform/netdb/NetDbWalSync.h"

#include <QObject>
#include <QSqlDriver>
#include <QTimer>
#include <QVariant>
#include <sqlite3.h>

NetDbWalSync::NetDbWalSync() = default;

NetDbWalSync::~NetDbWalSync()
{
    detach();
}

void NetDbWalSync::attach(const QSqlDatabase &db)
{
    detach();
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return;
    sqlite3 *connection = *static_cast<sqlite3 *const *>(handle.constData());
    sqlite3_stmt *mode = nullptr;
    bool wal = false;
    if (connection &&
        sqlite3_prepare_v2(connection, "PRAGMA journal_mode", -1, &mode, nullptr) == SQLITE_OK &&
        sqlite3_step(mode) == SQLITE_ROW)
        wal = qstrcmp(reinterpret_cast<const char *>(sqlite3_column_text(mode, 0)), "wal") == 0;
    sqlite3_finalize(mode);
    if (!wal || sqlite3_exec(connection, "PRAGMA synchronous=NORMAL", nullptr, nullptr, nullptr) != SQLITE_OK)
        return;
    m_db = connection;
    m_context = std::make_unique<QObject>();
}

void NetDbWalSync::detach()
{
    flush();
    m_context.reset();
    m_db = nullptr;
}

void NetDbWalSync::committed()
{
    if (!m_db || m_pending)
        return;
    m_pending = true;
    QTimer::singleShot(0, m_context.get(), [this] { flush(); });
}

void NetDbWalSync::flush()
{
    if (!m_pending)
        return;
    m_pending = false;
    sqlite3_file *log = nullptr;
    if (m_db && sqlite3_file_control(m_db, "main", SQLITE_FCNTL_JOURNAL_POINTER, &log) == SQLITE_OK && log &&
        log->pMethods)
        log->pMethods->xSync(log, SQLITE_SYNC_NORMAL);
}
