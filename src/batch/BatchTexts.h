#pragma once

#include <QString>
#include <QStringList>

// The batch commands' texts from the text table, in the user's language, and
// the stable words their JSON output uses instead.
class BatchTexts
{
public:
    enum Error {
        UnknownDevice = 1,
        NotServed,
        UnreadableFile,
        DatabaseUnusable,
        BadUsage,
        NoDeviceForFile,
        NoSuchFile,
        NoHistoryEntry,
        NotOneDevice,
        UnwritableFile,
        NotAnswering,
    };
    // Why a device was not written.
    enum Reason {
        Unreachable = 1,
        OtherProgramId,
        InvalidSet,
        Busy,
        ChangedByOther,
        WriteFailed,
        Stopped,
        Unreadable,
    };
    enum State {
        Written = 1,
        Unchanged,
        WouldChange,
        NotWritten,
        Conforms,
        Differs,
        UnreachableState,
        Incompatible,
        Failed,
    };
    enum Heading {
        Device = 1,
        Result,
        Reason_,
        Place,
        Item,
        Before,
        After,
        Number,
        When,
        Who,
        Program,
        Summary,
    };
    enum Line {
        ApplySummary = 1, // %1 written of %2, %3 not written
        StoppedAfter,     // %1 devices done
        ConformanceSummary,
        Restored,
        NothingToRestore,
    };

    static QString error(Error error, const QStringList &values = {});
    static QString reason(Reason reason);
    static QString reasonKey(Reason reason);
    static QString state(State state, const QStringList &values = {});
    static QString stateKey(State state);
    static QString heading(Heading heading);
    static QString line(Line line, const QStringList &values = {});
    static QString help();
};
