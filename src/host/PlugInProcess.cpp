#include "host/PlugInProcess.h"

#include "host/AppVersion.h"
#include "host/AutomationStart.h"
#include "host/LcaPlugIn.h"
#include "host/MainWindowHost.h"
#include "host/PlugInGlobals.h"
#include "host/PlugInMain.h"
#include "host/ResourceStrings.h"
#include "host/ServerRegistration.h"
#include "host/ServerRegistrationStore.h"
#include "host/StopRequest.h"

#include <QTextStream>

namespace {
bool isOnly(const QStringList &arguments, const QString &option)
{
    return arguments.size() == 1 && arguments.first().trimmed().compare(option, Qt::CaseInsensitive) == 0;
}

void reportError(const std::exception &error)
{
    QTextStream(stderr) << AppVersion::ProductName() << ": " << QString::fromLocal8Bit(error.what()) << '\n';
}
} // namespace

QString PlugInProcess::commandLineText(const QStringList &arguments)
{
    if (arguments.isEmpty())
        return QString();
    return QLatin1Char(' ') + arguments.join(QLatin1Char(' '));
}

int PlugInProcess::registerServer()
{
    try {
        ResourceStrings::SetLanguageOffset(LcaPlugIn::ReadLanguage());
        LcaPlugIn::FillCommandTable();
        ServerRegistrationStore::write(ServerRegistration::CurrentRecord(), ServerRegistration::executable());
        return 0;
    } catch (const std::exception &error) {
        reportError(error);
        return 1;
    }
}

int PlugInProcess::unregisterServer()
{
    try {
        ServerRegistrationStore::remove(AppVersion::ProgId());
        return 0;
    } catch (const std::exception &error) {
        reportError(error);
        return 1;
    }
}

bool PlugInProcess::isRegistrationOnly(const QStringList &arguments)
{
    return isOnly(arguments, PlugInMain::RegServerArgument()) ||
           isOnly(arguments, PlugInMain::UnregServerArgument());
}

int PlugInProcess::runRegistration(const QStringList &arguments)
{
    return isOnly(arguments, PlugInMain::RegServerArgument()) ? registerServer() : unregisterServer();
}

int PlugInProcess::run(const QStringList &arguments, MainWindowHost &window, const EventLoop &eventLoop)
{
    if (isRegistrationOnly(arguments))
        return runRegistration(arguments);

    PlugInGlobals::MainWindow = &window;
    bool serving = false;
    if (AutomationStart::isAutomationStart())
        serving = AutomationStart::registerAutomationObject();

    PlugInMain::Main(commandLineText(arguments));

    // A stop that came while the start was on its way ends it here.
    if (StopRequest::requested() && window.IsLoaded())
        window.Unload();
    int exitCode = 0;
    if ((window.IsLoaded() || serving) && !StopRequest::requested())
        exitCode = eventLoop ? eventLoop() : 0;
    if (serving)
        AutomationStart::releaseAutomationObject();
    // A path that ended without the window (or a window closed without
    // ending the plug-in) still closes LNS and re-registers.
    if (!PlugInGlobals::Ended && PlugInGlobals::Logger)
        LcaPlugIn::EndApp();
    // Scripts and directors learn from the exit status whether the start failed.
    if (exitCode == 0 && PlugInGlobals::TerminateRequested)
        exitCode = FailedStart;
    else if (exitCode == 0 && PlugInGlobals::UsageError)
        exitCode = UsageError;
    // Widgets must go before the application object does.
    PlugInGlobals::Reset();
    return exitCode;
}
