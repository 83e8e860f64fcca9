#pragma once

#include <QDateTime>
#include <QString>

// One write of a device as its history keeps it: who wrote when, from which
// program, what changed in a line, and the device's configuration before
// and after the write. The configurations are opaque texts here; the
// configuration layer gives them their meaning.
struct LnsHistoryEntry
{
    // Counts the device's writes from 1 and is never handed out twice, so a
    // number stays valid while older entries are pruned.
    int number = 0;
    QDateTime when; // UTC
    QString user;
    QString host;
    QString program;
    QString summary;
    // Empty in a listing, which leaves them out; filled by historyEntry().
    QString before;
    QString after;
};
