#include "host/ServerRegistration.h"

#include "host/AppVersion.h"
#include "host/PlugInGlobals.h"
#include "host/ResourceStrings.h"
#include "host/ServerRegistrationStore.h"
#include "platform/services/RegistryUtility.h"

#include <QCoreApplication>

namespace {
QString &executableOverride()
{
    static QString path;
    return path;
}

const QString Module = QStringLiteral("M_PlugIn");
} // namespace

QString ServerRegistration::executable()
{
    if (!executableOverride().isEmpty())
        return executableOverride();
    return QCoreApplication::applicationFilePath();
}

void ServerRegistration::setExecutable(const QString &path)
{
    executableOverride() = path;
}

RegistrationRecord ServerRegistration::CurrentRecord()
{
    RegistrationRecord record;
    record.projectName = AppVersion::ProjectName();
    record.className = AppVersion::ClassName();
    record.description = ResourceStrings::LoadResString(1801, 1);
    record.version = AppVersion::LcaVersion();
    record.manufacturer = ResourceStrings::LoadResString(1802);
    record.productLine = ResourceStrings::LoadResString(1809);
    const PlugInCommand &first = PlugInGlobals::Commands[0];
    // Before the command table is filled (self-registration at install) the
    // configuration command's object type is the one to advertise.
    record.objectType = QString::number(first.Enabled ? first.ObjectType : 3);
    record.programVersion = AppVersion::versionText();
    return record;
}

void ServerRegistration::Register()
{
    PlugInGlobals::Trace(QStringLiteral("[M_PlugIn] Public Sub Register()"));
    try {
        ServerRegistrationStore::write(CurrentRecord(), executable());
    } catch (const std::exception &error) {
        PlugInGlobals::LogError(error, Module, QStringLiteral("Register"));
    }
}

void ServerRegistration::Unregister()
{
    PlugInGlobals::Trace(QStringLiteral("[M_PlugIn] Public Sub Unregister()"));
    try {
        ServerRegistrationStore::remove(AppVersion::ProgId());
    } catch (const std::exception &error) {
        PlugInGlobals::LogError(error, Module, QStringLiteral("Unregister"));
    }
}

void ServerRegistration::DeleteProductKey()
{
    const QString key = PlugInGlobals::ProductKey.isEmpty()
                            ? QStringLiteral("SOFTWARE\\velto\\") + AppVersion::ProductName()
                            : PlugInGlobals::ProductKey;
    RegistryUtility::deleteKey(key);
    ServerRegistrationStore::pruneEmptySettings();
}
