// rx24project: the project window, the desktop's way to the devices.
#include "project/ProjectWindow.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("rx24project"));
    ProjectWindow window;
    window.show();
    return QApplication::exec();
}
