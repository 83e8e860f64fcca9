// The tarvina RX24 plug-in program.
#include "host/AppVersion.h"
#include "host/DisplayConnectionGuard.h"
#include "host/PlugInGlobals.h"
#include "host/PlugInProcess.h"
#include "host/StartPrecheck.h"
#include "host/StopRequest.h"
#include "platform/services/TerminationSignal.h"
#include "ui/HelpWindow.h"
#include "ui/frmMain.h"
#include "workflows/cConfiguration.h"

#include <QApplication>
#include <optional>

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // The usage, and a window that no display could show, need no application.
    if (const std::optional<int> status = StartPrecheck::run(arguments))
        return *status;
    std::optional<DisplayConnectionGuard> connecting(std::in_place);
    QApplication app(argc, argv);
    connecting.reset();
    QApplication::setApplicationName(AppVersion::ProductName());
    QApplication::setOrganizationName(QStringLiteral("velto"));
    QApplication::setApplicationVersion(AppVersion::fullVersionText());

    // F1 and the Help menu show the manual here; one window for the whole run.
    HelpWindow help;
    PlugInGlobals::Help = &help;
    frmMain window;
    // Stopped from outside: open boxes close, then the window closes without
    // asking, edits unsaved.
    const TerminationSignal termination([&window] { StopRequest::request(&window); });
    // The button bar and the end of the program switch the monitoring of the
    // open configuration's points.
    PlugInGlobals::SetMonitoring = [&window](bool on) {
        if (cConfiguration *configuration = window.Configuration())
            configuration->Monitoring().SetMonitoring(on);
    };
    const int status =
        PlugInProcess::run(QApplication::arguments().mid(1), window, [] { return QApplication::exec(); });
    PlugInGlobals::SetMonitoring = nullptr;
    return status;
}
