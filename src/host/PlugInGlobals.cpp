#include "host/PlugInGlobals.h"

#include "host/AppVersion.h"
#include "host/StopRequest.h"
#include "platform/AppError.h"
#include "platform/services/LnsSessionHelper.h"
#include "platform/services/PathUtility.h"
#include "platform/services/QX_Logger.h"
#include "platform/services/StatusWindow.h"
#include "platform/services/UtilityComponent.h"

#include <QTextStream>

namespace PlugInGlobals {

PlugInCommand &Command(int index)
{
    if (index < 1 || index > static_cast<int>(Commands.size()))
        throw AppError(9, QStringLiteral("M_PlugIn"), QStringLiteral("Subscript out of range"));
    return Commands[static_cast<std::size_t>(index - 1)];
}

QString ProgramFolder()
{
    if (!ProgramFolderOverride.isEmpty())
        return PathUtility::withTrailingSeparator(ProgramFolderOverride);
    return PathUtility::programFolder();
}

QString WindowTitle()
{
    if (!DeviceName.isEmpty())
        return DeviceName;
    try {
        // A director that handed over a LonMark object opened its device.
        if (Session.device)
            return Session.device->name();
        if (Session.subsystem)
            return Session.subsystem->name();
    } catch (const AppError &) {
    }
    return AppVersion::ProductName();
}

void Trace(const QString &text)
{
    if (Logger)
        Logger->trace(text);
}

void LogError(const std::exception &error, const QString &moduleName, const QString &procedureName)
{
    if (!Logger)
        return;
    if (const auto *appError = dynamic_cast<const AppError *>(&error))
        Logger->error(0, appError->number(), appError->description(), moduleName, procedureName);
    else
        Logger->error(0, 0, QString::fromLocal8Bit(error.what()), moduleName, procedureName);
}

void ReportCause(const QString &text)
{
    Trace(text);
    QTextStream(stderr) << AppVersion::ProductName() << ": " << text << Qt::endl;
}

void ShowStatus()
{
    if (Status)
        Status->show();
}

void HideStatus()
{
    if (Status)
        Status->hide();
}

void ClearStatus()
{
    if (Status)
        Status->clear();
}

void SetStatusText(const QString &text)
{
    if (Status)
        Status->setText(text);
    Trace(QStringLiteral("Status: ") + text);
}

void ReleaseServices()
{
    delete Status.data();
    Status = nullptr;
    Utility.reset();
    SessionHelper.reset();
}

void Reset()
{
    ReleaseServices();
    Logger.reset();
    Session.clear();
    ObjectServer = nullptr;
    OwnedObjectServer.reset();
    ObjectServerOverride = nullptr;
    ObjectServerError.reset();
    CommandIndex = 0;
    TerminateRequested = false;
    UsageError = false;
    UnregisterRequested = false;
    StartedFromLnsObject = false;
    Remote = false;
    NetworkInterfaceName.clear();
    CommandId = 0;
    ClassId = 0;
    ObjectName.clear();
    ProductKey.clear();
    VersionText.clear();
    ManufacturerName.clear();
    HelpFilePath.clear();
    HelpAvailable = false;
    Commands = {};
    DeviceName.clear();
    ProgramIdsToRegister.clear();
    RegResult = nullptr;
    MainWindow = nullptr;
    Help = nullptr;
    SetMonitoring = nullptr;
    ProgramFolderOverride.clear();
    Ended = false;
    StopRequest::reset();
}

} // namespace PlugInGlobals
