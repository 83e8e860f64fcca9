#include "host/CommandValidator.h"

#include "host/AppVersion.h"
#include "host/DatabaseFaultText.h"
#include "host/DeviceConnection.h"
#include "host/LcaPlugIn.h"
#include "host/LnsProjectRegistration.h"
#include "host/MainWindowHost.h"
#include "host/PlugInGlobals.h"
#include "host/RegistrationHelper.h"
#include "host/ResourceStrings.h"
#include "platform/services/MessageBox.h"

int CommandValidator::ConnectMode(bool remote, const QString &networkInterfaceName)
{
    if (!remote)
        return 0;
    return networkInterfaceName == QStringLiteral("Internet") ? 2 : 1;
}

int CommandValidator::FindCommand(qint32 commandId, qint16 classId)
{
    for (int i = 1; i <= static_cast<int>(PlugInGlobals::Commands.size()); ++i) {
        const PlugInCommand &command = PlugInGlobals::Command(i);
        if (command.Enabled && command.CommandId == commandId && command.ClassId == classId)
            return i;
    }
    return 0;
}

void CommandValidator::ValidateCommand(qint32 commandId, qint16 classId, const QString &objectName)
{
    using namespace PlugInGlobals;
    try {
        Trace(QStringLiteral("[M_PlugIn] Public Sub ValidateCommand()"));
        const int connectMode = ConnectMode(Remote, NetworkInterfaceName);

        if (commandId == RegistrationCommand) {
            if (!ProgramIdsToRegister.isEmpty()) {
                SetStatusText(ResourceStrings::LoadResString(1513));
                LnsProjectRegistration::Register(objectName, connectMode);
            } else {
                RegistrationHelper helper;
                helper.Run(objectName, connectMode);
            }
            LcaPlugIn::EndApp();
            return;
        }

        const int entry = FindCommand(commandId, classId);
        if (entry > 0) {
            // A handed object runs the same command: the window configures its device.
            CommandIndex = entry;
            if (StartedFromLnsObject) {
                DeviceConnection::StartFromLnsObject();
            } else {
                SetStatusText(ResourceStrings::LoadResString(1504, 2));
                DeviceConnection::Start(objectName, connectMode);
            }
            return;
        }

        // The same English text in every language, as the plug-ins of the line give it.
        MessageBox::show(QStringLiteral("The transmitted CommandId (") + QString::number(commandId) +
                             QStringLiteral(") is not\nsupported for  ClassId ") + QString::number(classId) +
                             QStringLiteral(" !"),
                         AppVersion::ProductName(), MessageBox::Icon::Exclamation);
        TerminateRequested = true;
        LcaPlugIn::EndApp();
    } catch (const std::exception &error) {
        LogError(error, QStringLiteral("M_PlugIn"), QStringLiteral("ValidateCommand"));
        // A start broken off by an error has failed as surely as a refused one.
        if (!MainWindow || !MainWindow->IsLoaded()) {
            TerminateRequested = true;
            reportBrokenStart(error);
        }
    }
}

void CommandValidator::reportBrokenStart(const std::exception &error)
{
    using namespace PlugInGlobals;
    const auto *appError = dynamic_cast<const AppError *>(&error);
    const QString number = appError ? QString::number(appError->number()) : QStringLiteral("-");
    if (appError && appError->fault().kind != DatabaseFault::None) {
        // A file damaged, locked or gone after the connect fails the server as a failed connect does.
        ReportCause(ResourceStrings::LoadResString(
            1726, 1, {appError->fault().path, DatabaseFaultText::of(*appError), number}));
        MessageBox::show(ResourceStrings::LoadResString(1508, 1, {AppVersion::ProductName()}), WindowTitle(),
                         MessageBox::Icon::Exclamation);
        return;
    }
    const QString text = ResourceStrings::LoadResString(
        1727, 1, {appError ? appError->description() : QString::fromLocal8Bit(error.what()), number});
    ReportCause(text);
    MessageBox::show(text, WindowTitle(), MessageBox::Icon::Critical);
}
