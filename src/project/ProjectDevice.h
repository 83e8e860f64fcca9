#pragma once

#include "batch/BatchDevice.h"
#include "batch/BatchTexts.h"

#include <QDateTime>
#include <QList>

// One device of the project as its table row shows it.
struct ProjectDevice
{
    BatchDevice device;
    bool served = false; // a device of this plug-in
    QList<int> modules;  // module type per slot
    QDateTime lastWritten;
    QString lastWriter;
    // How the device stands against the reference file; 0 while unchecked.
    int conformance = 0; // a BatchTexts::State
    int differences = 0;
};
