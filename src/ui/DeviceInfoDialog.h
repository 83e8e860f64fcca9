#pragma once

#include <QDialog>

class QLabel;
class QListWidget;

// What the plug-in knows of the opened device: its name, program id and
// subsystem, whether it answers now, and its LonMark objects. Shown modally
// over the main window.
class DeviceInfoDialog : public QDialog
{
    Q_OBJECT
public:
    DeviceInfoDialog(const QString &title, QWidget *owner);
    static void showDeviceInfo(const QString &title, QWidget *owner);

private:
    void fill();

    QLabel *m_name;
    QLabel *m_programId;
    QLabel *m_subsystem;
    QLabel *m_state;
    QListWidget *m_objects;
};
