#include "project/ProjectWindow.h"

ProjectWindow::ProjectWindow(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("projectWindow"));
}
