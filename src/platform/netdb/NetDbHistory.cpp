#include "platform/netdb/NetDbHistory.h"

#include "platform/lns/LnsError.h"
#include "platform/netdb/NetDbSchema.h"
#include "platform/netdb/NetDbSession.h"

#include <QTimeZone>

namespace {

// FNV-1a over the text's code units: the same on every machine that shares
// the database, and cheap enough for every write.
quint64 fnv1a(const QString &text)
{
    quint64 hash = 14695981039346656037ULL;
    for (const QChar c : text) {
        hash ^= c.unicode();
        hash *= 1099511628211ULL;
    }
    return hash;
}

QString isoTime(const QDateTime &when)
{
    return when.toUTC().toString(Qt::ISODateWithMs);
}

LnsHistoryEntry fromRow(const QVariantList &row)
{
    LnsHistoryEntry entry;
    entry.number = row.at(0).toInt();
    entry.when = QDateTime::fromString(row.at(1).toString(), Qt::ISODateWithMs);
    entry.when.setTimeZone(QTimeZone::utc());
    entry.user = row.at(2).toString();
    entry.host = row.at(3).toString();
    entry.program = row.at(4).toString();
    entry.summary = row.at(5).toString();
    return entry;
}

} // namespace

bool NetDbHistory::available() const
{
    // A file of an earlier version that could not take the tables when it
    // was opened (read-only, locked) has no history yet.
    try {
        m_session.select(QStringLiteral("SELECT 1 FROM config_history WHERE 0 = 1"));
        return true;
    } catch (const LnsError &) {
        return false;
    }
}

QList<LnsHistoryEntry> NetDbHistory::list(qint64 deviceId) const
{
    QList<LnsHistoryEntry> entries;
    if (!available())
        return entries;
    const auto rows = m_session.select(
        QStringLiteral(
            "SELECT number, written_at, user_name, host_name, program, summary FROM config_history "
            "WHERE device_id = ? ORDER BY number DESC"),
        {deviceId});
    entries.reserve(rows.size());
    for (const QVariantList &row : rows)
        entries.append(fromRow(row));
    return entries;
}

LnsHistoryEntry NetDbHistory::latest(qint64 deviceId) const
{
    if (!available())
        return LnsHistoryEntry();
    // Inside a write the device is locked first and its revision read from
    // the database itself: another client's write just committed decides.
    const bool writing = m_session.inTransaction();
    if (writing)
        m_session.lockRow(QStringLiteral("devices"), deviceId);
    const QString sql = QStringLiteral(
        "SELECT number, written_at, user_name, host_name, program, summary FROM config_history "
        "WHERE device_id = ? ORDER BY number DESC LIMIT 1");
    const auto rows = writing ? m_session.selectFresh(sql, {deviceId}) : m_session.select(sql, {deviceId});
    return rows.isEmpty() ? LnsHistoryEntry() : fromRow(rows.first());
}

LnsHistoryEntry NetDbHistory::entry(qint64 deviceId, int number) const
{
    const QVariantList row = m_session.selectRow(
        QStringLiteral("SELECT h.number, h.written_at, h.user_name, h.host_name, h.program, h.summary, "
                       "b.content, a.content FROM config_history h JOIN config_sets b ON b.id = h.before_set "
                       "JOIN config_sets a ON a.id = h.after_set WHERE h.device_id = ? AND h.number = ?"),
        {deviceId, number}, QStringLiteral("The device's history holds no entry %1.").arg(number));
    LnsHistoryEntry entry = fromRow(row);
    entry.before = row.at(6).toString();
    entry.after = row.at(7).toString();
    return entry;
}

qint64 NetDbHistory::storeSet(const QString &content)
{
    m_session.holdSetsInUse();
    // The digest only finds a candidate quickly; the content decides.
    const QString digest =
        QStringLiteral("%1-%2").arg(fnv1a(content), 16, 16, QLatin1Char('0')).arg(content.size());
    const auto found =
        m_session.select(QStringLiteral("SELECT id, content FROM config_sets WHERE digest = ?"), {digest});
    for (const QVariantList &row : found) {
        if (row.at(1).toString() == content)
            return row.at(0).toLongLong();
    }
    // Two sets of one digest: the later one is kept under a digest of its own.
    const QString stored =
        found.isEmpty() ? digest
                        : digest + QLatin1Char('-') + QString::number(found.first().at(0).toLongLong());
    return m_session.insert(QStringLiteral("config_sets"),
                            {QStringLiteral("digest"), QStringLiteral("content")}, {stored, content},
                            NetDbWriteScope::History);
}

void NetDbHistory::dropUnnamedSets()
{
    // Left for a later write while other clients may name one of them.
    if (!m_session.maySweepSets())
        return;
    m_session.exec(QStringLiteral("DELETE FROM config_sets WHERE id NOT IN (SELECT before_set FROM "
                                  "config_history) AND id NOT IN (SELECT after_set FROM config_history)"),
                   {}, NetDbWriteScope::History);
}

int NetDbHistory::record(qint64 deviceId, const LnsHistoryEntry &entry, int keep)
{
    int number = 0;
    m_session.atomically([&] {
        m_session.lockRow(QStringLiteral("devices"), deviceId);
        // Under the write lock now: the tables a file of an earlier version
        // could not take at its opening go in with the first write.
        if (!available()) {
            for (const QString &statement : NetDbSchema::historyStatements())
                m_session.exec(statement);
        }
        number = m_session
                     .selectFresh(QStringLiteral("SELECT COALESCE(MAX(number), 0) + 1 FROM config_history "
                                                 "WHERE device_id = ?"),
                                  {deviceId})
                     .value(0)
                     .value(0)
                     .toInt();
        const qint64 before = storeSet(entry.before);
        const qint64 after = storeSet(entry.after);
        m_session.insert(QStringLiteral("config_history"),
                         {QStringLiteral("device_id"), QStringLiteral("number"), QStringLiteral("written_at"),
                          QStringLiteral("user_name"), QStringLiteral("host_name"), QStringLiteral("program"),
                          QStringLiteral("summary"), QStringLiteral("before_set"),
                          QStringLiteral("after_set")},
                         {deviceId, number, isoTime(entry.when), entry.user, entry.host, entry.program,
                          entry.summary.left(1000), before, after},
                         NetDbWriteScope::History);
        const int oldestKept = number - qMax(keep, 1) + 1;
        const auto pruned = m_session.select(
            QStringLiteral("SELECT count(*) FROM config_history WHERE device_id = ? AND number < ?"),
            {deviceId, oldestKept});
        if (!pruned.isEmpty() && pruned.first().at(0).toInt() > 0) {
            m_session.exec(QStringLiteral("DELETE FROM config_history WHERE device_id = ? AND number < ?"),
                           {deviceId, oldestKept}, NetDbWriteScope::History);
            dropUnnamedSets();
        }
    });
    return number;
}

void NetDbHistory::removeDevices(const QString &deviceIdsSubquery, const QVariant &bind)
{
    m_session.exec(
        QStringLiteral("DELETE FROM config_history WHERE device_id IN (%1)").arg(deviceIdsSubquery), {bind},
        NetDbWriteScope::History);
    dropUnnamedSets();
}
