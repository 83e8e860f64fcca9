#pragma once

#include <QHash>
#include <QList>
#include <QString>

// A CP row as the network database stores it.
struct NetDbCpRow
{
    qint64 id = 0;
    QString name;
    int elementLength = 0;
    int dimension = 0;
    QList<int> bytes; // elementLength * dimension of them
};

enum class NetDbCpOwner { Device, Object, Nv };

// The CP rows of devices, LonMark objects and NVs that this client has read,
// all rows of one owner together. The session empties it whenever the data
// may have changed under it; its own CP writes update it in place.
class NetDbCpCache
{
public:
    const QList<NetDbCpRow> *rowsOf(NetDbCpOwner owner, qint64 ownerId) const;
    // The rows of an owner, in their order.
    const QList<NetDbCpRow> &store(NetDbCpOwner owner, qint64 ownerId, QList<NetDbCpRow> rows);
    const NetDbCpRow *row(qint64 cpId) const;
    void setBytes(qint64 cpId, const QList<int> &bytes);
    void clear();

private:
    static quint64 key(NetDbCpOwner owner, qint64 ownerId);

    QHash<quint64, QList<NetDbCpRow>> m_byOwner;
    QHash<qint64, std::pair<quint64, qsizetype>> m_where; // CP id: owner key, index
};
