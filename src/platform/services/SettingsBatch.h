#pragma once

#include <QSettings>
#include <QString>

// Values written to the settings store together: a value equal to the stored
// one is left alone, and what changed goes to disk once, when the batch is
// committed or ends. A refresh that finds everything in place writes nothing.
class SettingsBatch
{
public:
    SettingsBatch();
    ~SettingsBatch();
    SettingsBatch(const SettingsBatch &) = delete;
    SettingsBatch &operator=(const SettingsBatch &) = delete;

    // keyPath in registry form, "SOFTWARE\velto\..." (RegistryUtility).
    void write(const QString &keyPath, const QString &valueName, const QString &value);
    // Writes what changed to disk now.
    void commit();
    // Whether a value differed from the store since the batch began.
    bool changed() const { return m_changed; }

private:
    QSettings m_settings;
    bool m_changed = false;
};
