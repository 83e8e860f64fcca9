// rx24-screenshots: starts the plug-in's window the way a director starts the
// program, drives it as a user would (Device page, a module page, a channel
// given an object and a function, Apply, F1 for the manual) and saves a
// picture at each step. It exits 0 only when the Apply wrote the device
// without a red log line and the manual opened, so the pictures always show
// a working plug-in.
//
//   rx24-screenshots <output folder> <object name> [plug-in options, e.g. /REMOTE]
//   rx24-screenshots --project <output folder>   (the project window on the demo network)
#include "ProjectTour.h"
#include "WindowTour.h"
#include "host/AppVersion.h"
#include "host/LcaPlugIn.h"
#include "host/PlugInGlobals.h"
#include "host/PlugInProcess.h"
#include "host/ResourceStrings.h"
#include "project/ProjectWindow.h"
#include "ui/HelpWindow.h"
#include "ui/frmMain.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(AppVersion::ProductName());
    QApplication::setOrganizationName(QStringLiteral("velto"));
    const QStringList args = QApplication::arguments().mid(1);
    if (args.size() == 2 && args.at(0) == QLatin1String("--project")) {
        ResourceStrings::SetLanguageOffset(LcaPlugIn::ReadLanguage());
        ProjectWindow project;
        return ProjectTour(project, args.at(1)).run() ? 0 : 1;
    }
    if (args.size() < 2) {
        std::fputs("usage: rx24-screenshots <output folder> <object name> [plug-in options]\n", stderr);
        return 2;
    }
    HelpWindow help;
    PlugInGlobals::Help = &help;
    frmMain window;
    WindowTour tour(window, help, args.at(0));
    const QStringList command = QStringList{QStringLiteral("/COMMANDID:13"), QStringLiteral("/CLASSID:7"),
                                            QStringLiteral("/OBJECTNAME:") + args.at(1)} +
                                args.mid(2);
    const int started = PlugInProcess::run(command, window, [&tour] {
        QTimer::singleShot(0, &tour, &WindowTour::Run);
        return QApplication::exec();
    });
    if (started != 0)
        return started;
    return tour.Succeeded() ? 0 : 1;
}
