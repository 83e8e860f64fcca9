#pragma once

#include <QSqlDatabase>
#include <array>

struct sqlite3;
struct sqlite3_stmt;

// Tells whether another connection (this process or another) has committed
// to the database file since the last look. Asking the file itself costs a
// read transaction and two lock calls; in write-ahead-log mode a glance at
// the log's shared index header, which every commit rewrites, answers
// "nothing happened" without a system call.
//
// Drivers other than SQLite cannot tell: every look reports a change, so
// nothing read earlier is served again.
class NetDbChangeWatch
{
public:
    NetDbChangeWatch() = default;
    ~NetDbChangeWatch();
    NetDbChangeWatch(const NetDbChangeWatch &) = delete;
    NetDbChangeWatch &operator=(const NetDbChangeWatch &) = delete;

    // shareIndex: the connection reads and writes the file, so its log index
    // is the one other writers update (a read-only connection may hold a
    // private copy of it).
    void attach(const QSqlDatabase &db, bool shareIndex);
    void detach();

    // True when another connection wrote since the previous call (or when
    // that cannot be known). Never false after such a write.
    bool otherConnectionWrote();

private:
    // The log index starts with two copies of a 48-byte header; a commit
    // rewrites both and bumps the change counter inside them.
    using IndexHeader = std::array<unsigned char, 96>;
    IndexHeader indexHeader() const;

    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_dataVersion = nullptr;
    const volatile unsigned char *m_index = nullptr;
    IndexHeader m_seenHeader{};
    bool m_headerSeen = false;
    qint64 m_seenVersion = -1;
};
