#include "host/StartPrecheck.h"

#include "host/AppVersion.h"
#include "host/AutomationStart.h"
#include "host/CommandLine.h"
#include "host/LcaPlugIn.h"
#include "host/PlugInMain.h"
#include "host/PlugInProcess.h"
#include "host/ResourceStrings.h"

#include <QTextStream>

namespace {
bool isAdministrativeOnly(const QStringList &arguments)
{
    if (arguments.size() != 1)
        return false;
    const QString option = arguments.first().trimmed();
    return option.compare(PlugInMain::RegServerArgument(), Qt::CaseInsensitive) == 0 ||
           option.compare(PlugInMain::UnregServerArgument(), Qt::CaseInsensitive) == 0;
}
} // namespace

bool StartPrecheck::helpAsked(const QStringList &arguments)
{
    for (const QString &argument : arguments) {
        if (argument == QLatin1String("-h") || argument == QLatin1String("--help"))
            return true;
    }
    return false;
}

bool StartPrecheck::needsWindow(const QStringList &arguments)
{
    using Action = CommandLineOptions::Action;
    if (AutomationStart::isAutomationStart())
        return true;
    if (isAdministrativeOnly(arguments))
        return false;
    const CommandLineOptions options = CommandLine::parse(PlugInProcess::commandLineText(arguments));
    switch (options.action) {
    case Action::Standalone:
    case Action::Direct:
        return true;
    case Action::EndOfOptions:
        return options.objectNameGiven;
    case Action::Reg:
    case Action::Unreg:
        break;
    }
    return false;
}

bool StartPrecheck::displayNamed()
{
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM").section(QLatin1Char(':'), 0, 0);
    const bool x11 = !qEnvironmentVariableIsEmpty("DISPLAY");
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (platform.isEmpty())
        return x11 || wayland;
    if (platform == QLatin1String("xcb"))
        return x11;
    if (platform.startsWith(QLatin1String("wayland")))
        return wayland;
    return true;
}

std::optional<int> StartPrecheck::run(const QStringList &arguments)
{
    // The user's language, before anything can go wrong.
    ResourceStrings::SetLanguageOffset(LcaPlugIn::ReadLanguage());
    if (helpAsked(arguments)) {
        QTextStream(stdout) << ResourceStrings::LoadResString(1720) << Qt::endl;
        return 0;
    }
    if (displayNamed())
        return std::nullopt;
    if (needsWindow(arguments)) {
        QTextStream(stderr) << AppVersion::ProductName() << ": " << ResourceStrings::LoadResString(1721, 1)
                            << Qt::endl;
        return PlugInProcess::FailedStart;
    }
    // Nothing to show: the About text goes to standard output, boxes to standard error.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::nullopt;
}
