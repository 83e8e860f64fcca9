#pragma once

#include <QObject>
#include <QString>

class QWidget;

class HelpWindow;
class frmMain;

// The steps of the screenshot run, each on the window's event loop.
class WindowTour : public QObject
{
    Q_OBJECT
public:
    WindowTour(frmMain &window, HelpWindow &help, const QString &folder);
    bool Succeeded() const { return m_succeeded; }

public Q_SLOTS:
    void Run();

private:
    void save(const QString &name, QWidget *shown = nullptr);
    void fail(const QString &why);
    bool pick(int slot, int channel, const char *list, int entry);

    frmMain &m_window;
    HelpWindow &m_help;
    QString m_folder;
    bool m_succeeded = false;
};
