#include "platform/netdb/NetDbServerNotices.h"

#include <QSocketNotifier>
#include <QSqlDriver>
#include <QSqlQuery>
#include <atomic>
#include <libpq-fe.h>

namespace {
std::atomic<quint64> processCommits{0};
}

NetDbServerNotices::NetDbServerNotices() = default;

NetDbServerNotices::~NetDbServerNotices()
{
    detach();
}

pg_conn *NetDbServerNotices::connectionOf(const QSqlDatabase &db)
{
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (!handle.isValid() ||
        (qstrcmp(handle.typeName(), "PGconn*") != 0 && qstrcmp(handle.typeName(), "pg_conn*") != 0))
        return nullptr;
    return *static_cast<pg_conn *const *>(handle.constData());
}

bool NetDbServerNotices::attach(QSqlDatabase &db)
{
    detach();
    pg_conn *connection = connectionOf(db);
    if (!connection || !QSqlQuery(db).exec(QStringLiteral("LISTEN %1").arg(QLatin1String(Channel))))
        return false;
    m_connection = connection;
    m_seen = false;
    m_processCommits = processCommits.load();
    m_notifier = std::make_unique<QSocketNotifier>(PQsocket(connection), QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(),
                     [this] { onReadable(); });
    return true;
}

void NetDbServerNotices::detach()
{
    m_notifier.reset();
    m_connection = nullptr;
}

bool NetDbServerNotices::consume()
{
    // Notifications that came with the answer to a statement wait in
    // libpq's queue; those still on the wire are read without waiting.
    PQconsumeInput(m_connection);
    const int own = PQbackendPID(m_connection);
    bool other = false;
    while (PGnotify *notice = PQnotifies(m_connection)) {
        other = other || notice->be_pid != own;
        PQfreemem(notice);
    }
    return other;
}

bool NetDbServerNotices::otherConnectionWrote()
{
    if (!m_connection)
        return true;
    const quint64 commits = processCommits.load();
    const bool other = consume() || m_seen || commits != m_processCommits;
    m_seen = false;
    m_processCommits = commits;
    return other;
}

void NetDbServerNotices::onReadable()
{
    if (!m_connection || !consume())
        return;
    m_seen = true;
    if (m_handler)
        m_handler();
}

void NetDbServerNotices::announce(QSqlDatabase &db)
{
    QSqlQuery(db).exec(QStringLiteral("NOTIFY %1").arg(QLatin1String(Channel)));
    // Commits of others in this process since the last look stay noticed.
    const quint64 before = processCommits.fetch_add(1);
    if (before == m_processCommits)
        m_processCommits = before + 1;
}
