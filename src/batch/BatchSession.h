#pragma once

#include "batch/BatchDevice.h"
#include "params/ConfigurationSet.h"
#include "platform/lns/LnsAppDevice.h"
#include "platform/lns/LnsNetwork.h"

#include <QHash>
#include <functional>
#include <memory>

class NetworkDatabase;
class cConfiguration;

// The network database and the plug-in description file as a batch command
// uses them: devices found by object name, each opened in a model of its own
// with the session pointed at its network, as a director's start would.
class BatchSession
{
public:
    // databasePath empty: the database the plug-in uses.
    explicit BatchSession(QString databasePath = QString());
    ~BatchSession();
    BatchSession(const BatchSession &) = delete;
    BatchSession &operator=(const BatchSession &) = delete;

    // BatchError naming the file when the database or the description file
    // cannot be used.
    void open();
    const QString &databasePath() const { return m_path; }
    NetworkDatabase &database() { return *m_db; }

    // Every device that name names, in a stable order: the one device, or
    // the devices the plug-in serves below a network or subsystem. A device
    // the plug-in does not serve is visited only when named itself. visit
    // returns false to stop. BatchError when the name names nothing.
    void forEachDevice(const QString &name, const std::function<bool(const BatchDevice &)> &visit);
    // The device's handle, the session pointed at its network.
    LnsRef<LnsAppDevice> enter(const BatchDevice &device);
    // The device in a model of its own, read whole (valuesOnly: its
    // parameters only, see cConfiguration::OpenValues); null (why in problem)
    // when it could not be read.
    std::unique_ptr<cConfiguration> openModel(const BatchDevice &device, QString &problem,
                                              bool valuesOnly = false);

    bool serves(const QString &programId) const;
    // Whether a set of setProgramId may go on a device of deviceProgramId.
    bool fits(const QString &setProgramId, const QString &deviceProgramId) const;

    // The program id a parameter file names; BatchError when the file cannot
    // be read or is not one of this plug-in's.
    QString fileProgramId(const QString &file) const;
    // A parameter file's set, read and checked as the window's Load does, on
    // model (or on the first device of the database that takes the file);
    // BatchError naming the file and the problem.
    ConfigurationSet loadFile(const QString &file, cConfiguration *model = nullptr);

    // The network by its exact name, opened once per session.
    LnsRef<LnsNetwork> network(const QString &name);

private:

    QString m_path;
    std::unique_ptr<NetworkDatabase> m_db;
    QHash<QString, LnsRef<LnsNetwork>> m_networks;
};
