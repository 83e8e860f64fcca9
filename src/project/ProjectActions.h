#pragma once

#include "batch/BatchDevice.h"

#include <QObject>
#include <QPointer>
#include <memory>
#include <optional>

class ApplyFileFlow;
class cConfiguration;
class ProjectWindow;

// The work behind the project window's actions, on the devices chosen in
// its table: each one tells the user what went wrong in a box, never by an
// exception, and none of them waits in a loop of its own for a dialog.
class ProjectActions : public QObject
{
    Q_OBJECT
public:
    explicit ProjectActions(ProjectWindow &window);

    // The object name a director hands over, "Network\System.Floor 1\Device".
    static QString directorObjectName(const QString &network, const QString &path, const QString &device);

public Q_SLOTS:
    void openConfiguration();
    void applyFile();
    void exportSet();
    void compare();
    void history();
    void registerPlugIn();
    void chooseReference();
    void createDemo();
    void reload();
    void quit();
    void about();

private:
    // The one chosen device; none (the user was told) when not one is chosen.
    std::optional<BatchDevice> oneDevice() const;
    // Why the plug-in, started by a director, would open another database
    // than this window shows; empty when it opens this one.
    QString otherDatabase() const;
    void failed(const QString &why) const;
    // The device read whole in a model of its own; null (the user was told why) when it cannot be.
    std::unique_ptr<cConfiguration> openModel(const BatchDevice &device) const;
    // Registers the plug-in with the session bus when the bus cannot start it.
    void makePlugInKnown() const;
    // A parameter file asked of the user; empty when none was chosen.
    QString chooseParameterFile();
    // The same, and one of this plug-in's (the user was told otherwise).
    QString chooseSetFile();

    ProjectWindow &m_window;
    QPointer<ApplyFileFlow> m_apply;
};
