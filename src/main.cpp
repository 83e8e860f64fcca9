// The tarvina RX24 plug-in program.
#include "batch/SetDifference.h"
#include "host/AppVersion.h"
#include "host/DisplayConnectionGuard.h"
#include "host/PlugInGlobals.h"
#include "host/PlugInProcess.h"
#include "host/StartPrecheck.h"
#include "host/StopRequest.h"
#include "platform/services/TerminationSignal.h"
#include "ui/HelpWindowOnDemand.h"
#include "ui/MainWindowOnDemand.h"
#include "ui/frmMain.h"
#include "workflows/cConfiguration.h"

#include <QApplication>
#include <optional>

namespace {
void nameApplication()
{
    QCoreApplication::setApplicationName(AppVersion::ProductName());
    QCoreApplication::setOrganizationName(QStringLiteral("velto"));
    QCoreApplication::setApplicationVersion(AppVersion::fullVersionText());
}
} // namespace

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // The usage, and a window that no display could show, need no application.
    if (const std::optional<int> status = StartPrecheck::run(arguments))
        return *status;
    // Registering needs no display and no window: a start without options
    // runs it in a second process every time.
    if (PlugInProcess::isRegistrationOnly(arguments)) {
        const QCoreApplication app(argc, argv);
        nameApplication();
        return PlugInProcess::runRegistration(arguments);
    }
    std::optional<DisplayConnectionGuard> connecting(std::in_place);
    QApplication app(argc, argv);
    connecting.reset();
    nameApplication();
    SetDifference::summariseHistory();

    // F1 and the Help menu show the manual here; one window for the whole run.
    HelpWindowOnDemand help;
    PlugInGlobals::Help = &help;
    MainWindowOnDemand window;
    // Stopped from outside: open boxes close, then the window closes without
    // asking, edits unsaved.
    const TerminationSignal termination([&window] { StopRequest::request(&window); });
    // The button bar and the end of the program switch the monitoring of the
    // open configuration's points.
    PlugInGlobals::SetMonitoring = [&window](bool on) {
        if (!window.isBuilt())
            return;
        if (cConfiguration *configuration = window.window().Configuration())
            configuration->Monitoring().SetMonitoring(on);
    };
    const int status =
        PlugInProcess::run(QApplication::arguments().mid(1), window, [] { return QApplication::exec(); });
    PlugInGlobals::SetMonitoring = nullptr;
    return status;
}
