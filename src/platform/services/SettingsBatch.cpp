#include "platform/services/SettingsBatch.h"

#include "platform/services/RegistryUtility.h"
#include "platform/services/SettingsLocation.h"

SettingsBatch::SettingsBatch() : m_settings(SettingsLocation::filePath(), QSettings::IniFormat) {}

SettingsBatch::~SettingsBatch()
{
    commit();
}

void SettingsBatch::write(const QString &keyPath, const QString &valueName, const QString &value)
{
    const QString key = RegistryUtility::settingsKey(keyPath, valueName);
    if (m_settings.contains(key) && m_settings.value(key).toString() == value)
        return;
    m_settings.setValue(key, value);
    m_changed = true;
}

void SettingsBatch::commit()
{
    // Without a change there is nothing to write: the store stays untouched.
    if (m_changed)
        m_settings.sync();
}
