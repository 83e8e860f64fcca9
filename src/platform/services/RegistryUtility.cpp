#include "platform/services/RegistryUtility.h"

#include "platform/services/SettingsBatch.h"
#include "platform/services/SettingsLocation.h"

#include <QSettings>
#include <QStringList>

QString RegistryUtility::settingsKey(const QString &keyPath, const QString &valueName)
{
    const QString group = groupPath(keyPath);
    return group.isEmpty() ? valueName : group + QLatin1Char('/') + valueName;
}

QString RegistryUtility::groupPath(const QString &keyPath)
{
    QString path = keyPath;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    return parts.join(QLatin1Char('/'));
}

QString RegistryUtility::read(const QString &keyPath, const QString &valueName, const QString &defaultValue)
{
    const QSettings settings(SettingsLocation::filePath(), QSettings::IniFormat);
    return settings.value(settingsKey(keyPath, valueName), defaultValue).toString();
}

void RegistryUtility::write(const QString &keyPath, const QString &valueName, const QString &value)
{
    SettingsBatch batch;
    batch.write(keyPath, valueName, value);
}

bool RegistryUtility::contains(const QString &keyPath, const QString &valueName)
{
    const QSettings settings(SettingsLocation::filePath(), QSettings::IniFormat);
    return settings.contains(settingsKey(keyPath, valueName));
}

void RegistryUtility::deleteKey(const QString &keyPath)
{
    const QString group = groupPath(keyPath);
    if (group.isEmpty())
        return; // never wipe the whole store
    QSettings settings(SettingsLocation::filePath(), QSettings::IniFormat);
    settings.remove(group);
    settings.sync();
}
