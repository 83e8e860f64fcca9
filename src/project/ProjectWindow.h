#pragma once

#include <QMainWindow>

// The project as an integrator sees it: the networks with their subsystems,
// the devices of the chosen part, and the work on a selection of them.
class ProjectWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit ProjectWindow(QWidget *parent = nullptr);
};
