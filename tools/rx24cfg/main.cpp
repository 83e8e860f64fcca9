// rx24cfg: configures RX24 controllers of a network database from a terminal;
// see `rx24cfg --help`.
#include "Rx24CfgTool.h"
#include "batch/SetDifference.h"
#include "platform/services/TerminationSignal.h"

#include <QApplication>
#include <unistd.h>

int main(int argc, char **argv)
{
    // The device models are made of the window's controls; no window is shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("rx24cfg"));
    SetDifference::summariseHistory();
    QTextStream out(stdout);
    QTextStream err(stderr);
    Rx24CfgTool tool(out, err);
    tool.setProgressBar(isatty(STDERR_FILENO) != 0);
    TerminationSignal stop([&tool] { tool.requestStop(); });
    tool.setBetweenDevices([] { QCoreApplication::processEvents(); });
    return tool.run(QCoreApplication::arguments().mid(1));
}
