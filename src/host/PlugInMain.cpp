#include "host/PlugInMain.h"

#include "host/AppVersion.h"
#include "host/AutomationStart.h"
#include "host/CommandLine.h"
#include "host/CommandValidator.h"
#include "host/DetachedStart.h"
#include "host/DeviceConnection.h"
#include "host/LcaPlugIn.h"
#include "host/MainWindowHost.h"
#include "host/PlugInGlobals.h"
#include "host/ResourceStrings.h"
#include "host/ServerRegistration.h"

#include <QStandardPaths>
#include <QTextStream>

namespace {
PlugInMain::DetachedStarter &starter()
{
    static PlugInMain::DetachedStarter s;
    return s;
}

void startWindow(bool withStatusWindow)
{
    using namespace PlugInGlobals;
    CommandIndex = 100;
    if (withStatusWindow)
        ShowStatus();
    if (!MainWindow)
        return;
    MainWindow->PrepareMenu(CommandIndex);
    MainWindow->SetOfferedTabs(DeviceConnection::OfferedTabsMask(CommandIndex));
    MainWindow->Start();
}
} // namespace

void PlugInMain::setDetachedStarter(DetachedStarter s)
{
    starter() = std::move(s);
}

void PlugInMain::selfRegister()
{
    const QString program = ServerRegistration::executable();
    const QStringList arguments{RegServerArgument()};
    bool started = false;
    if (starter()) {
        started = starter()(program, arguments);
    } else if (!QStandardPaths::isTestModeEnabled()) {
        started = DetachedStart::start(program, arguments);
    }
    if (!started)
        PlugInGlobals::Trace(QStringLiteral("Self-registration could not be started: ") + program);
}

void PlugInMain::Main(const QString &commandLineText)
{
    using namespace PlugInGlobals;
    using Action = CommandLineOptions::Action;
    try {
        if (AutomationStart::isAutomationStart())
            return;
        // A misspelt option is said first: whatever follows then shows why.
        const CommandLineOptions options = CommandLine::parse(commandLineText);
        if (!options.unknownOptions.isEmpty()) {
            ResourceStrings::SetLanguageOffset(LcaPlugIn::ReadLanguage());
            for (const QString &option : options.unknownOptions)
                QTextStream(stderr) << AppVersion::ProductName() << ": "
                                    << ResourceStrings::LoadResString(1700, 1, {option}) << Qt::endl;
        }

        LcaPlugIn::InitApp();
        if (TerminateRequested)
            return;
        Trace(QStringLiteral("[M_PlugIn] Public Sub Main()"));
        for (const QString &option : options.unknownOptions)
            Trace(ResourceStrings::LoadResString(1700, 1, {option}));
        if (options.remote)
            Remote = true;
        if (options.networkInterfaceGiven)
            NetworkInterfaceName = options.networkInterfaceName;

        switch (options.action) {
        case Action::Reg:
            ResourceStrings::SetLanguageOffset(options.languageOffset);
            LcaPlugIn::WriteLanguage(options.languageOffset);
            LcaPlugIn::EndApp();
            return;
        case Action::Unreg:
            UnregisterRequested = true;
            ServerRegistration::Unregister();
            ServerRegistration::DeleteProductKey();
            LcaPlugIn::EndApp();
            return;
        case Action::Standalone:
            startWindow(true);
            return;
        case Action::Direct:
            startWindow(false);
            return;
        case Action::EndOfOptions:
            break;
        }

        if (!options.objectNameGiven) {
            // A command line that ran no command because of an option not
            // understood is a usage error for whoever wrote it.
            UsageError = !options.unknownOptions.isEmpty();
            if (MainWindow)
                MainWindow->ShowAbout();
            selfRegister();
            LcaPlugIn::EndApp();
            return;
        }
        CommandId = options.commandId;
        ClassId = options.classId;
        ObjectName = options.objectName;
        CommandValidator::ValidateCommand(CommandId, ClassId, ObjectName);
    } catch (const std::exception &error) {
        LogError(error, QStringLiteral("M_PlugIn"), QStringLiteral("Main"));
    }
}
