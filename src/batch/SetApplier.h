#pragma once

#include "batch/BatchDevice.h"
#include "batch/BatchTexts.h"
#include "params/ConfigurationSet.h"

#include <QHash>
#include <functional>

class BatchSession;
class cConfiguration;

// What putting a set on one device did, or would do.
struct ApplyResult
{
    BatchDevice device;
    BatchTexts::State state = BatchTexts::NotWritten;
    BatchTexts::Reason reason = BatchTexts::WriteFailed; // when not written
    QString detail;                                      // the message behind the reason
    ConfigurationSet before;                             // what the device held
    ConfigurationSet after;                              // what it holds now, or would hold

    bool succeeded() const
    {
        return state == BatchTexts::Written || state == BatchTexts::Unchanged ||
               state == BatchTexts::WouldChange;
    }
};

// Puts a set on devices the way the window's Apply does: through the
// device's own model (functions, their defaults, NV types, then the set's
// values), checked, and written in a transaction of its own. A device that
// already holds the set is not written again.
class SetApplier
{
public:
    explicit SetApplier(BatchSession &session) : m_session(session) {}

    // The set of a parameter file, read as the window's Load reads it.
    ApplyResult applyFile(const BatchDevice &device, const QString &file, bool dryRun);
    // A set from the device's history; its object names go back too.
    ApplyResult applySet(const BatchDevice &device, const ConfigurationSet &set, bool dryRun);

private:
    using Loader = std::function<bool(cConfiguration &model, ConfigurationSet &set, ApplyResult &result)>;
    ApplyResult run(const BatchDevice &device, const Loader &load, bool withNames, bool dryRun);

    BatchSession &m_session;
    // A file read once per program id: the same checks would give the same set.
    QHash<QString, ConfigurationSet> m_fileSets;
    QString m_file;
};
