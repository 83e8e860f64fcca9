// The tarvina RX24 plug-in program.
#include "host/AppVersion.h"
#include "host/PlugInGlobals.h"
#include "host/PlugInProcess.h"
#include "platform/services/TerminationSignal.h"
#include "ui/HelpWindow.h"
#include "ui/frmMain.h"
#include "workflows/cConfiguration.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(AppVersion::ProductName());
    QApplication::setOrganizationName(QStringLiteral("velto"));
    QApplication::setApplicationVersion(AppVersion::fullVersionText());

    // F1 and the Help menu show the manual here; one window for the whole run.
    HelpWindow help;
    PlugInGlobals::Help = &help;
    frmMain window;
    // Stopped from outside: the window closes without asking, edits unsaved.
    const TerminationSignal termination([&window] {
        if (window.IsLoaded())
            window.Unload();
        else
            QApplication::quit();
    });
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
