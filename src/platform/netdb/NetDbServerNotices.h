#pragma once

#include <QSqlDatabase>
#include <functional>
#include <memory>

class QSocketNotifier;
struct pg_conn;

// The server's notifications of other clients' commits. Every client that
// writes announces its commit on one channel; each client listens on it, so
// that rows read earlier are dropped, and monitored values read again, as
// soon as another client committed, without asking the server at each read.
class NetDbServerNotices
{
public:
    static constexpr const char *Channel = "rx24_netdb";

    NetDbServerNotices();
    ~NetDbServerNotices();
    NetDbServerNotices(const NetDbServerNotices &) = delete;
    NetDbServerNotices &operator=(const NetDbServerNotices &) = delete;

    // libpq's connection behind Qt's, or none when the driver is not Qt's
    // PostgreSQL driver.
    static pg_conn *connectionOf(const QSqlDatabase &db);

    // Listens on the connection; false when it cannot (then every look
    // reports a change).
    bool attach(QSqlDatabase &db);
    void detach();

    // Called on the event loop when a notification of another client
    // arrives while nobody reads.
    void setHandler(std::function<void()> handler) { m_handler = std::move(handler); }

    // True when another client announced a commit since the previous call,
    // or when the connection cannot listen.
    bool otherConnectionWrote();
    // This client commits: the server tells the other processes, this call
    // the other clients of this process, which would otherwise hear of it
    // only once the server's notification has come back.
    void announce(QSqlDatabase &db);

private:
    bool consume();
    void onReadable();

    pg_conn *m_connection = nullptr;
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::function<void()> m_handler;
    bool m_seen = false;          // a notification consumed on the event loop, not yet asked for
    quint64 m_processCommits = 0; // commits of this process's clients seen
};
