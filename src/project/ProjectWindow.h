#pragma once

#include "batch/BatchDevice.h"
#include "project/DeviceTableModel.h"

#include <QDBusConnection>
#include <QMainWindow>
#include <memory>

class BatchSession;
class ConformanceFiller;
class DeviceFilterModel;
class ProjectActions;
class ProjectTree;
class QAction;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QTableView;

// The project as an integrator sees it: the networks with their subsystems,
// the devices of the chosen part with their slots, last write and
// conformance, and the work on a selection of them.
class ProjectWindow : public QMainWindow
{
    Q_OBJECT
public:
    // location: a database file or a server URI; empty: the one the plug-in uses.
    explicit ProjectWindow(QString location = QString(), QWidget *parent = nullptr);
    ~ProjectWindow() override;

    // The project database the plug-in uses: the server named in its
    // settings when there is one, else its database file.
    static QString defaultLocation();

    // Opens the database and shows its first network. False (the user was
    // told why) when the database cannot be used.
    bool open();
    // Reads the networks and the shown network's devices again.
    void reload();
    // Shows the network's devices, of path and below (empty: all).
    void showNetwork(const QString &network, const QString &path = QString());

    BatchSession *session() const { return m_session.get(); }
    DeviceTableModel &devices() { return m_devices; }
    DeviceFilterModel &filterModel() { return *m_filterModel; }
    ConformanceFiller &conformance() { return *m_filler; }
    const QString &network() const { return m_network; }
    // The chosen rows' devices, in table order.
    QList<BatchDevice> selectedDevices() const;
    QList<int> selectedRows() const;
    // Reads the rows of these devices again (after a write).
    void refreshDevices(const QList<BatchDevice> &devices);

    // The bus on which Open configuration and Register reach the plug-in
    // (a test gives a private one); the session bus by default.
    void setDirectorBus(const QDBusConnection &bus);
    QDBusConnection directorBus() const;
    // The plug-in program beside this one, which registers itself with the bus.
    static QString plugInProgram();

private:
    void buildActions();
    void buildMenus();
    QWidget *buildDevicePage();
    QWidget *buildEmptyPage();
    void fillTree();
    void updateShown();
    void updateActions();
    void showConformanceProgress(int done, int total);

    QString m_location;
    std::unique_ptr<BatchSession> m_session;
    std::unique_ptr<QDBusConnection> m_directorBus;
    DeviceTableModel m_devices;
    DeviceFilterModel *m_filterModel = nullptr;
    ConformanceFiller *m_filler = nullptr;
    ProjectActions *m_actions = nullptr;
    QString m_network;

    QStackedWidget *m_pages = nullptr;
    ProjectTree *m_tree = nullptr;
    QLineEdit *m_filter = nullptr;
    QTableView *m_table = nullptr;
    QPushButton *m_createDemo = nullptr;
    QLabel *m_shown = nullptr;
    QLabel *m_reference = nullptr;
    QProgressBar *m_progress = nullptr;
};
