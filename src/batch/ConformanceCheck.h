#pragma once

#include "batch/BatchDevice.h"
#include "batch/BatchTexts.h"
#include "params/ConfigurationSet.h"

#include <QHash>

class BatchSession;

// How one device stands against a reference set.
struct ConformanceResult
{
    BatchDevice device;
    BatchTexts::State state = BatchTexts::Failed; // Conforms, Differs, UnreachableState, Incompatible, Failed
    int differences = 0;                          // values that differ
    QString detail;
    ConfigurationSet reference; // as the device's model read the file
    ConfigurationSet held;      // what the device holds
};

// Compares devices one at a time with a reference parameter file: each
// device's set is read whole and let go before the next, so a network of any
// size costs the memory of one device.
class ConformanceCheck
{
public:
    ConformanceCheck(BatchSession &session, QString referenceFile);
    ConformanceResult check(const BatchDevice &device);

private:
    BatchSession &m_session;
    QString m_file;
    QString m_fileProgramId;
    // The reference read once per program id of the devices it meets.
    QHash<QString, ConfigurationSet> m_references;
};
