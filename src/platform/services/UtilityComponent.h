#pragma once

#include "platform/lns/LnsAppDevice.h"
#include "platform/services/QX_IniFile.h"

#include <QList>
#include <QString>
#include <QStringList>

// The plug-in description file (tarvinaRX24.ini) and the questions answered
// from it: which devices the plug-in serves, which program ids are
// compatible, where documentation and help lie.
//
// Device entries:   [Devices]     Device1 = ProgramId,Name,DocumentationFile
//                                 Device2 = ...       (numbered without gaps)
// Compatible ids:   [Compatible]  <ProgramId> = id,id,...
// Help file:        [Help]        Path = file below the program folder
class UtilityComponent
{
public:
    struct DeviceEntry
    {
        QString programId;
        QString name;
        QString documentationFile;
        bool isEmpty() const { return programId.isEmpty(); }
    };

    UtilityComponent() = default;
    explicit UtilityComponent(const QString &iniFilePath) { setIniFile(iniFilePath); }

    void setIniFile(const QString &path) { m_ini.setPath(path); }
    QString iniFilePath() const { return m_ini.path(); }
    bool iniFileExists() const;
    const QX_IniFile &iniFile() const { return m_ini; }

    // The whole value of key in section; empty when absent.
    QString read(const QString &section, const QString &key) const { return m_ini.value(section, key); }
    // Item n (from 1) of the value.
    QString read(const QString &section, const QString &key, int item) const
    {
        return m_ini.read(section, key, item);
    }

    // Device-template entry at position n (from 1); empty when there is none.
    DeviceEntry deviceEntry(int position) const;
    // All entries, up to the first missing position.
    QList<DeviceEntry> deviceEntries() const;
    // The entry for programId (letter case ignored); empty when the plug-in does not serve it.
    DeviceEntry entryForProgramId(const QString &programId) const;
    bool servesProgramId(const QString &programId) const { return !entryForProgramId(programId).isEmpty(); }
    // The program ids whose parameter files fit a device of programId.
    QStringList compatibleProgramIds(const QString &programId) const;
    QString documentationFile(const QString &programId) const
    {
        return entryForProgramId(programId).documentationFile;
    }
    // The section that places each CP: "Name=CP index,object index,NV index".
    static QString cpSection() { return QStringLiteral("velto tarvinaRX24 CPs 1.0 "); }

    // The help file, relative to the program folder.
    QString helpPath() const;

    // Finds the device called deviceName in devices and checks that the
    // plug-in serves its program id. Returns false (device empty) when the
    // name is unknown or the device is not one of the file's devices.
    bool findDevice(const LnsCollectionRef<LnsAppDevice> &devices, const QString &deviceName,
                    LnsRef<LnsAppDevice> &device) const;

private:
    QX_IniFile m_ini;
};
