#pragma once

#include "platform/lns/LnsHistoryEntry.h"
#include "platform/lns/LnsLonMarkObject.h"

#include <QList>

class LnsAppDevice : public LnsObject
{
public:
    int classId() const override { return LnsClassId::AppDevice; }
    virtual QString programId() const = 0; // 16 hex digits, upper case
    virtual LnsCollectionRef<LnsLonMarkObject> lonMarkObjects() const = 0;
    virtual LnsCollectionRef<LnsConfigProperty> configProperties() const = 0;
    virtual LnsCollectionRef<LnsNetworkVariable> networkVariables() const = 0;
    // Contacts the device (the plug-in asks with request 4, its state);
    // raises DeviceUnreachable when the device does not answer.
    virtual void test(int request) = 0;

    // The device's earlier configurations, newest first, without their texts.
    virtual QList<LnsHistoryEntry> history() const = 0;
    // The newest entry without its texts; number 0 when the device has none.
    // Every write of the plug-in adds one, so its number tells whether the
    // device was written since it was read.
    virtual LnsHistoryEntry lastWrite() const = 0;
    // One entry with both configurations; NotFound when it is not kept.
    virtual LnsHistoryEntry historyEntry(int number) const = 0;
    // Adds a write to the history, as part of the open transaction, so the
    // entry exists exactly when the write does; keeps the newest keep
    // entries. Returns the entry's number.
    virtual int recordHistory(const LnsHistoryEntry &entry, int keep) = 0;
};
