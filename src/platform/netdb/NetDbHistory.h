#pragma once

#include "platform/lns/LnsHistoryEntry.h"

#include <QList>

class NetDbSession;

// The write history of the devices. An entry names the configurations
// before and after its write; each configuration text is stored once however
// many entries and devices share it (a reference set applied to hundreds of
// devices costs one copy), and it goes when the last entry naming it is
// pruned, never earlier.
class NetDbHistory
{
public:
    explicit NetDbHistory(NetDbSession &session) : m_session(session) {}

    QList<LnsHistoryEntry> list(qint64 deviceId) const;
    LnsHistoryEntry entry(qint64 deviceId, int number) const;
    // Number 0 when there is none.
    LnsHistoryEntry latest(qint64 deviceId) const;
    // Inside the caller's transaction when one is open; keep < 1 keeps one.
    int record(qint64 deviceId, const LnsHistoryEntry &entry, int keep);
    // Every entry of the devices the subquery selects (it takes one bind),
    // and the configurations no other entry names.
    void removeDevices(const QString &deviceIdsSubquery, const QVariant &bind);
    // The id of the stored configuration text, stored now unless an equal
    // one is there already.
    qint64 storeSet(const QString &content);

private:
    bool available() const;
    void dropUnnamedSets();

    NetDbSession &m_session;
};
