#include "platform/netdb/NetDbCpCache.h"

namespace {
// Beyond this many owners the cache starts afresh rather than grow with a
// client that walks a whole large network.
constexpr qsizetype kMaxOwners = 4096;
} // namespace

quint64 NetDbCpCache::key(NetDbCpOwner owner, qint64 ownerId)
{
    return (static_cast<quint64>(owner) << 62) | static_cast<quint64>(ownerId);
}

const QList<NetDbCpRow> *NetDbCpCache::rowsOf(NetDbCpOwner owner, qint64 ownerId) const
{
    const auto it = m_byOwner.constFind(key(owner, ownerId));
    return it == m_byOwner.constEnd() ? nullptr : &it.value();
}

const QList<NetDbCpRow> &NetDbCpCache::store(NetDbCpOwner owner, qint64 ownerId, QList<NetDbCpRow> rows)
{
    if (m_byOwner.size() >= kMaxOwners)
        clear();
    const quint64 k = key(owner, ownerId);
    for (qsizetype i = 0; i < rows.size(); ++i)
        m_where.insert(rows.at(i).id, {k, i});
    return m_byOwner.insert(k, std::move(rows)).value();
}

const NetDbCpRow *NetDbCpCache::row(qint64 cpId) const
{
    const auto where = m_where.constFind(cpId);
    if (where == m_where.constEnd())
        return nullptr;
    const auto rows = m_byOwner.constFind(where->first);
    return rows == m_byOwner.constEnd() ? nullptr : &rows->at(where->second);
}

void NetDbCpCache::setBytes(qint64 cpId, const QList<int> &bytes)
{
    const auto where = m_where.constFind(cpId);
    if (where == m_where.constEnd())
        return;
    const auto rows = m_byOwner.find(where->first);
    if (rows != m_byOwner.end())
        (*rows)[where->second].bytes = bytes;
}

void NetDbCpCache::clear()
{
    m_byOwner.clear();
    m_where.clear();
}
