#pragma once

#include "params/ConfigurationSet.h"
#include "platform/lns/LnsAppDevice.h"

#include <functional>

// Every write of a device keeps the set the device held before it, so any
// write can be undone: who wrote when, from which program, and the sets
// before and after, stored in the write's own transaction.
class WriteHistory
{
public:
    // Sets kept per device unless the settings store says otherwise.
    static constexpr int DefaultDepth = 100;
    using Summariser = std::function<QString(const ConfigurationSet &before, const ConfigurationSet &after)>;

    // The line a history entry shows; programs that can name changes in the
    // user's words put theirs here. Empty: the first raw difference and how
    // many more there are.
    static void setSummariser(Summariser summariser);
    static QString summary(const ConfigurationSet &before, const ConfigurationSet &after);

    // The settings value "HistoryDepth" (sets kept per device).
    static int depth();
    static void setDepth(int depth);

    // Adds the write to the device's history inside the open transaction.
    // The line on what changed is worded when the history is read, in the
    // reader's language: wording it here would cost every write more than
    // keeping the sets does.
    static int record(LnsAppDevice &device, const ConfigurationSet &before, const ConfigurationSet &after);
    // The device's history, newest first, each entry with its line on what
    // changed (the entries' sets are not kept in the list).
    static QList<LnsHistoryEntry> entries(const LnsAppDevice &device);
    // The set the device held before entry number; false when the entry is
    // not kept or its set cannot be read.
    static bool setBefore(const LnsAppDevice &device, int number, ConfigurationSet &set);
    static bool setAfter(const LnsAppDevice &device, int number, ConfigurationSet &set);

    // The writer as an entry names it.
    static QString userName();
    static QString hostName();
};
