#pragma once

#include <QString>

// The machine-wide settings of the product line, kept in the settings store
// (SettingsLocation). Keys keep their registry form with backslashes, e.g.
// "SOFTWARE\velto\koradesk Register\Options"; each backslash starts a group.
class RegistryUtility
{
public:
    static QString read(const QString &keyPath, const QString &valueName,
                        const QString &defaultValue = QString());
    // One value, on disk when it returns; an equal value writes nothing.
    // Several values at once: SettingsBatch.
    static void write(const QString &keyPath, const QString &valueName, const QString &value);
    static bool contains(const QString &keyPath, const QString &valueName);
    // Removes the key with all its values and sub-keys.
    static void deleteKey(const QString &keyPath);
    // The settings-store path of a key ("SOFTWARE/velto/...").
    static QString groupPath(const QString &keyPath);
    // The settings-store key of a value ("SOFTWARE/velto/.../Language").
    static QString settingsKey(const QString &keyPath, const QString &valueName);
};
