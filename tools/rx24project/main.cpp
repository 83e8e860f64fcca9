// rx24project: the project window, the desktop's way to the devices; see
// `rx24project --help`.
#include "batch/SetDifference.h"
#include "host/AppVersion.h"
#include "host/DisplayConnectionGuard.h"
#include "host/LcaPlugIn.h"
#include "host/ResourceStrings.h"
#include "project/ProjectTexts.h"
#include "project/ProjectWindow.h"

#include <QApplication>
#include <QTextStream>
#include <optional>

int main(int argc, char **argv)
{
    QString location;
    std::optional<int> answered;
    for (int i = 1; i < argc && !answered; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "--db" && i + 1 < argc)
            location = QString::fromLocal8Bit(argv[++i]);
        else
            answered = argument == "--help" || argument == "-h" || argument == "--version" ? 0 : 1;
    }
    // The usage and the version need no display.
    if (answered) {
        const QCoreApplication app(argc, argv);
        ResourceStrings::SetLanguageOffset(LcaPlugIn::ReadLanguage());
        QTextStream out(*answered == 0 ? stdout : stderr);
        if (QCoreApplication::arguments().contains(QStringLiteral("--version")))
            out << "rx24project " << AppVersion::fullVersionText() << Qt::endl;
        else
            out << ProjectTexts::help() << Qt::endl;
        return *answered;
    }

    std::optional<DisplayConnectionGuard> connecting(std::in_place);
    QApplication app(argc, argv);
    connecting.reset();
    QApplication::setApplicationName(QStringLiteral("rx24project"));
    QApplication::setOrganizationName(QStringLiteral("velto"));
    QApplication::setApplicationVersion(AppVersion::fullVersionText());
    // Desktops match the window to its menu entry by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.velto.rx24project"));
    // The plug-in's language is the project window's too.
    ResourceStrings::SetLanguageOffset(LcaPlugIn::ReadLanguage());
    SetDifference::summariseHistory();
    ProjectWindow window(location);
    window.show();
    window.open();
    return QApplication::exec();
}
