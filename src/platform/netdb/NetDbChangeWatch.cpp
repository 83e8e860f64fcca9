#include "platform/netdb/NetDbChangeWatch.h"

#include <QSqlDriver>
#include <QVariant>
#include <atomic>
#include <sqlite3.h>

NetDbChangeWatch::~NetDbChangeWatch()
{
    detach();
}

void NetDbChangeWatch::attach(const QSqlDatabase &db, bool shareIndex)
{
    detach();
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return;
    m_db = *static_cast<sqlite3 *const *>(handle.constData());
    if (!m_db || sqlite3_prepare_v2(m_db, "PRAGMA data_version", -1, &m_dataVersion, nullptr) != SQLITE_OK) {
        m_db = nullptr;
        m_dataVersion = nullptr;
        return;
    }
    otherConnectionWrote(); // the first version seen; maps the log index
    if (!shareIndex)
        return;
    sqlite3_stmt *mode = nullptr;
    bool wal = false;
    if (sqlite3_prepare_v2(m_db, "PRAGMA journal_mode", -1, &mode, nullptr) == SQLITE_OK &&
        sqlite3_step(mode) == SQLITE_ROW)
        wal = qstrcmp(reinterpret_cast<const char *>(sqlite3_column_text(mode, 0)), "wal") == 0;
    sqlite3_finalize(mode);
    sqlite3_file *file = nullptr;
    if (!wal || sqlite3_file_control(m_db, "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK || !file ||
        !file->pMethods || file->pMethods->iVersion < 2)
        return;
    volatile void *region = nullptr;
    if (file->pMethods->xShmMap(file, 0, 32768, 0, &region) == SQLITE_OK && region)
        m_index = static_cast<const volatile unsigned char *>(region);
    m_headerSeen = false; // the next look reads the version once more and keeps the header
}

void NetDbChangeWatch::detach()
{
    if (m_dataVersion)
        sqlite3_finalize(m_dataVersion);
    m_dataVersion = nullptr;
    m_db = nullptr;
    m_index = nullptr;
    m_headerSeen = false;
    m_seenVersion = -1;
}

NetDbChangeWatch::IndexHeader NetDbChangeWatch::indexHeader() const
{
    IndexHeader header;
    std::atomic_thread_fence(std::memory_order_acquire);
    for (std::size_t i = 0; i < header.size(); ++i)
        header[i] = m_index[i];
    return header;
}

bool NetDbChangeWatch::otherConnectionWrote()
{
    if (!m_dataVersion)
        return true;
    IndexHeader header{};
    if (m_index) {
        header = indexHeader();
        if (m_headerSeen && header == m_seenHeader)
            return false;
    }
    // The header is taken before the version: a commit between the two
    // shows as a change at the next look, never as none.
    qint64 version = -1;
    if (sqlite3_step(m_dataVersion) == SQLITE_ROW)
        version = sqlite3_column_int64(m_dataVersion, 0);
    sqlite3_reset(m_dataVersion);
    if (version < 0) {
        m_headerSeen = false;
        return true;
    }
    const bool changed = version != m_seenVersion;
    m_seenVersion = version;
    m_seenHeader = header;
    m_headerSeen = m_index != nullptr;
    return changed;
}
