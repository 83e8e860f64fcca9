#pragma once

#include <QSqlDatabase>
#include <memory>

class QObject;
struct sqlite3;

// Makes this client's commits durable once per operation instead of once per
// commit. In write-ahead-log mode a commit is safe from a crash of the
// program as soon as it is written; only a crash of the whole system could
// still lose it until the log is flushed to the disk. The log is flushed when
// control returns to the event loop after commits (the end of the user's
// operation: one Apply, or a copy to a thousand devices) and when the
// connection closes, so a copy pays one flush instead of one per device.
//
// Without write-ahead log, or with another driver, every commit stays
// flushed by the database itself and nothing is left to do here.
class NetDbWalSync
{
public:
    NetDbWalSync();
    ~NetDbWalSync();
    NetDbWalSync(const NetDbWalSync &) = delete;
    NetDbWalSync &operator=(const NetDbWalSync &) = delete;

    // A connection that writes: commits no longer flush the log themselves.
    void attach(const QSqlDatabase &db);
    // Flushes what is pending first.
    void detach();

    // A commit was made: the log is flushed when the operation ends.
    void committed();
    // Flushes the log now if a commit waits for it.
    void flush();
    bool pending() const { return m_pending; }

private:
    sqlite3 *m_db = nullptr;
    bool m_pending = false;
    // Ends a flush that is still scheduled when the connection goes.
    std::unique_ptr<QObject> m_context;
};
