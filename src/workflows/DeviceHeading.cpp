#include "workflows/DeviceHeading.h"

#include "host/LnsAncestor.h"
#include "params/LogService.h"
#include "platform/lns/LnsSubsystem.h"
#include "platform/services/Clock.h"

void DeviceHeading::Write(const LnsRef<LnsAppDevice> &device, const LnsRef<LnsLonMarkObject> &lonmarkObject,
                          bool bold, double gapSeconds)
{
    WriteNamed(SubsystemPath(device), device->name(), lonmarkObject, bold, gapSeconds);
}

void DeviceHeading::WriteNamed(const QString &path, const QString &name,
                               const LnsRef<LnsLonMarkObject> &lonmarkObject, bool bold, double gapSeconds)
{
    const double now = Clock::secondsSinceMidnight();
    // A run across midnight counts as a pause too.
    if (m_lastHeading < 0 || now - m_lastHeading > gapSeconds || now < m_lastHeading) {
        m_path.clear();
        m_deviceName.clear();
    }
    m_lastHeading = now;

    const bool nameBold = lonmarkObject ? true : bold;
    if (path != m_path) {
        m_log.WriteLogLine(QStringLiteral("  - ") + path, LogService::Green, true);
        m_log.WriteLogLine(QStringLiteral("    - ") + name, LogService::Black, nameBold);
    } else if (name != m_deviceName) {
        m_log.WriteLogLine(QStringLiteral("    - ") + name, LogService::Black, nameBold);
    }
    if (lonmarkObject)
        m_log.WriteLogLine(QStringLiteral("      - ") + lonmarkObject->name(), LogService::Blue, bold);
    m_path = path;
    m_deviceName = name;
}

QString DeviceHeading::SubsystemPath(const LnsRef<LnsAppDevice> &device)
{
    const auto subsystem = LnsAncestor::findAs<LnsSubsystem>(device, LnsClassId::Subsystem);
    return subsystem ? subsystem->path() : QString();
}
