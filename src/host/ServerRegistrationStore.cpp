#include "host/ServerRegistrationStore.h"

#include "platform/AppError.h"
#include "platform/services/RegistryUtility.h"
#include "platform/services/SettingsBatch.h"
#include "platform/services/SettingsLocation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>

namespace {
QString &servicesDirOverride()
{
    static QString dir;
    return dir;
}

const QString Source = QStringLiteral("ServerRegistrationStore");

// Settings value names of the record's fields.
const QString ProjectNameValue = QStringLiteral("ProjectName");
const QString ClassNameValue = QStringLiteral("ClassName");
const QString DescriptionValue = QStringLiteral("Description");
const QString VersionValue = QStringLiteral("Version");
const QString ManufacturerValue = QStringLiteral("Manufacturer");
const QString ProductLineValue = QStringLiteral("ProductLine");
const QString ObjectTypeValue = QStringLiteral("ObjectType");
const QString ProgramVersionValue = QStringLiteral("ProgramVersion");
const QString LocalServerValue = QStringLiteral("LocalServer");
} // namespace

QString ServerRegistrationStore::servicesDir()
{
    if (!servicesDirOverride().isEmpty())
        return servicesDirOverride();
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/dbus-1/services");
}

void ServerRegistrationStore::setServicesDir(const QString &dir)
{
    servicesDirOverride() = dir;
}

QString ServerRegistrationStore::serviceFilePath(const QString &progId)
{
    return QDir(servicesDir()).filePath(progId + QStringLiteral(".service"));
}

QString ServerRegistrationStore::recordKey(const QString &progId)
{
    return QStringLiteral("SOFTWARE\\Classes\\") + progId;
}

QString ServerRegistrationStore::execLine(const QString &executable)
{
    if (executable.contains(QLatin1Char(' ')))
        return QLatin1Char('"') + executable + QLatin1Char('"');
    return executable;
}

void ServerRegistrationStore::write(const RegistrationRecord &record, const QString &executable)
{
    const QString key = recordKey(record.progId());
    {
        // Every end of the program refreshes the record: it reaches the disk
        // once, and only when a field changed (a moved program, a new version).
        SettingsBatch batch;
        batch.write(key, ProjectNameValue, record.projectName);
        batch.write(key, ClassNameValue, record.className);
        batch.write(key, DescriptionValue, record.description);
        batch.write(key, VersionValue, record.version);
        batch.write(key, ManufacturerValue, record.manufacturer);
        batch.write(key, ProductLineValue, record.productLine);
        batch.write(key, ObjectTypeValue, record.objectType);
        batch.write(key, ProgramVersionValue, record.programVersion);
        batch.write(key, LocalServerValue, executable);
        batch.commit();
    }

    if (!QDir().mkpath(servicesDir()))
        throw AppError(75, Source, QStringLiteral("The folder \"%1\" cannot be created.").arg(servicesDir()));
    const QString path = serviceFilePath(record.progId());
    const QByteArray text = (QStringLiteral("[D-BUS Service]\nName=") + record.progId() +
                             QStringLiteral("\nExec=") + execLine(executable) + QLatin1Char('\n'))
                                .toUtf8();
    QFile current(path);
    if (current.open(QIODevice::ReadOnly) && current.readAll() == text)
        return;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        throw AppError(75, Source, QStringLiteral("\"%1\" cannot be written.").arg(file.fileName()));
    file.write(text);
    if (!file.commit())
        throw AppError(75, Source, QStringLiteral("\"%1\" cannot be written.").arg(file.fileName()));
}

void ServerRegistrationStore::remove(const QString &progId)
{
    RegistryUtility::deleteKey(recordKey(progId));
    pruneEmptySettings();

    const QString path = serviceFilePath(progId);
    if (QFileInfo::exists(path) && !QFile::remove(path))
        throw AppError(75, Source, QStringLiteral("\"%1\" cannot be removed.").arg(path));
    // The services folder and its dbus-1 parent go too when nothing else lives there.
    QDir services(servicesDir());
    if (services.exists() && services.isEmpty()) {
        const QString parent = QFileInfo(services.absolutePath()).absolutePath();
        QDir().rmdir(services.absolutePath());
        if (QFileInfo(parent).fileName() == QStringLiteral("dbus-1") && QDir(parent).isEmpty())
            QDir().rmdir(parent);
    }
}

RegistrationRecord ServerRegistrationStore::read(const QString &progId)
{
    const QString key = recordKey(progId);
    RegistrationRecord record;
    record.projectName = RegistryUtility::read(key, ProjectNameValue);
    record.className = RegistryUtility::read(key, ClassNameValue);
    record.description = RegistryUtility::read(key, DescriptionValue);
    record.version = RegistryUtility::read(key, VersionValue);
    record.manufacturer = RegistryUtility::read(key, ManufacturerValue);
    record.productLine = RegistryUtility::read(key, ProductLineValue);
    record.objectType = RegistryUtility::read(key, ObjectTypeValue);
    record.programVersion = RegistryUtility::read(key, ProgramVersionValue);
    return record;
}

void ServerRegistrationStore::pruneEmptySettings()
{
    const QString path = SettingsLocation::filePath();
    if (!QFileInfo::exists(path))
        return;
    bool empty = false;
    {
        const QSettings settings(path, QSettings::IniFormat);
        empty = settings.allKeys().isEmpty();
    }
    if (!empty)
        return;
    QFile::remove(path);
    // The product line's own settings folder goes with its last file.
    const QString folder = QFileInfo(path).absolutePath();
    if (QFileInfo(folder).fileName() == QStringLiteral("velto") && QDir(folder).isEmpty())
        QDir().rmdir(folder);
}
