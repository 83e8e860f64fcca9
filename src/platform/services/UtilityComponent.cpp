#include "platform/services/UtilityComponent.h"

#include "platform/lns/LnsError.h"

#include <QFileInfo>

namespace {
const QString DevicesSection = QStringLiteral("Devices");
const QString CompatibleSection = QStringLiteral("Compatible");
} // namespace

bool UtilityComponent::iniFileExists() const
{
    return !m_ini.path().isEmpty() && QFileInfo(m_ini.path()).isFile();
}

UtilityComponent::DeviceEntry UtilityComponent::deviceEntry(int position) const
{
    if (position < 1)
        return {};
    const QString key = QStringLiteral("Device%1").arg(position);
    DeviceEntry entry;
    entry.programId = m_ini.read(DevicesSection, key, 1);
    if (entry.programId.isEmpty())
        return {};
    entry.name = m_ini.read(DevicesSection, key, 2);
    entry.documentationFile = m_ini.read(DevicesSection, key, 3);
    return entry;
}

QList<UtilityComponent::DeviceEntry> UtilityComponent::deviceEntries() const
{
    QList<DeviceEntry> entries;
    for (int n = 1;; ++n) {
        const DeviceEntry entry = deviceEntry(n);
        if (entry.isEmpty())
            break;
        entries.append(entry);
    }
    return entries;
}

UtilityComponent::DeviceEntry UtilityComponent::entryForProgramId(const QString &programId) const
{
    const QString wanted = programId.trimmed();
    if (wanted.isEmpty())
        return {};
    for (const DeviceEntry &entry : deviceEntries()) {
        if (entry.programId.compare(wanted, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return {};
}

QStringList UtilityComponent::compatibleProgramIds(const QString &programId) const
{
    QStringList ids;
    const QString key = programId.trimmed();
    if (key.isEmpty())
        return ids;
    for (int n = 1;; ++n) {
        const QString id = m_ini.read(CompatibleSection, key, n);
        if (id.isEmpty())
            break;
        ids.append(id);
    }
    return ids;
}

QString UtilityComponent::helpPath() const
{
    const QString path = m_ini.value(QStringLiteral("Help"), QStringLiteral("Path"));
    if (!path.isEmpty())
        return path;
    // The section name the product line has always used for its help file.
    return m_ini.value(QStringLiteral("velto tarvinaRX24 Help 1.0"), QStringLiteral("HelpFilePath"));
}

bool UtilityComponent::findDevice(const LnsCollectionRef<LnsAppDevice> &devices, const QString &deviceName,
                                  LnsRef<LnsAppDevice> &device) const
{
    device.reset();
    if (!devices || deviceName.isEmpty())
        return false;
    LnsRef<LnsAppDevice> found;
    try {
        found = devices->item(deviceName);
    } catch (const LnsError &error) {
        if (error.number() != LnsErrorCode::NotFound)
            throw;
        return false;
    }
    if (!found || !servesProgramId(found->programId()))
        return false;
    device = found;
    return true;
}
