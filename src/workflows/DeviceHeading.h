#pragma once

#include "platform/lns/LnsAppDevice.h"

#include <QString>

class LogService;

// The lines that tell, in the log, which device a copied parameter set goes
// to: the subsystem's path in green bold when it changes, the device name
// below it, and the LonMark object when one is given. After a pause longer
// than the gap the path is shown again, so that a later run in the same log
// still starts with its place in the project.
class DeviceHeading
{
public:
    explicit DeviceHeading(LogService &log) : m_log(log) {}

    void Write(const LnsRef<LnsAppDevice> &device, const LnsRef<LnsLonMarkObject> &lonmarkObject, bool bold,
               double gapSeconds);
    // The same for a device known by its subsystem path and name.
    void WriteNamed(const QString &path, const QString &deviceName,
                    const LnsRef<LnsLonMarkObject> &lonmarkObject, bool bold, double gapSeconds);
    // The path text of the subsystem that holds the device; empty when it
    // has none.
    static QString SubsystemPath(const LnsRef<LnsAppDevice> &device);

private:
    LogService &m_log;
    QString m_path;
    QString m_deviceName;
    double m_lastHeading = -1.0; // seconds since midnight; -1: none yet
};
