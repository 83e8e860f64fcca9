#pragma once

#include "platform/lns/LnsObjectServer.h"
#include "platform/netdb/DeviceInterface.h"
#include "platform/netdb/NetDbOpenMode.h"

#include <functional>
#include <memory>

class NetDbSession;

// The object server of this build: networks, devices, LonMark objects, NVs
// and CPs kept through Qt Sql, in one SQLite file on the engineer's desk or
// in a team's project database on a PostgreSQL server.
//
// Where the file is: the settings store (SettingsLocation) may name it under
// the key "SOFTWARE/velto/LNS/DatabasePath"; otherwise it is
// <generic data dir>/velto/lns/networks.lnsdb. A location given as a server
// URI ("postgresql://anna@db.site.example/lns") opens that server instead.
// Connect modes 1 and 2 (remote) open the server the settings name under
// "SOFTWARE/velto/LNS/Server"; mode 2 (over the Internet) only with an
// encrypted connection ("sslmode=require" or stronger in the URI).
//
// Only a client opened with OpenMode::Create makes a new database (a missing
// or empty file); every other one refuses such a file and names it. Errors
// of the file name it and say why it cannot be used: locked by another
// program, read-only, not a database, of a newer schema.
//
// Several clients (processes, or instances in one process) may use one file.
// A client's transaction holds the write lock; other clients' writes wait up
// to two seconds and then fail with Busy. A client that dies inside its
// transaction leaves the data as it was.
class NetworkDatabase : public LnsObjectServer
{
    Q_OBJECT
public:
    using OpenMode = NetDbOpenMode;

    explicit NetworkDatabase(const QString &databasePath, OpenMode mode = OpenMode::Existing,
                             QObject *parent = nullptr);
    ~NetworkDatabase() override;

    static QString defaultDatabasePath();
    QString databasePath() const;
    // The file or server as messages name it (a server URI without password).
    QString shownLocation() const;
    // The same for a location not opened.
    static QString shownLocation(const QString &location);
    OpenMode openMode() const;

    // The server URI the settings hold for remote connects; empty when none.
    static QString configuredServer();
    void connectServer(int connectMode) override;
    bool isConnected() const override;
    void disconnectServer() override;
    void probe() override;

    QStringList networkNames() const override;
    // The remote flag has no effect here: the connect mode chose the database.
    LnsRef<LnsNetwork> openNetwork(const QString &name, bool remote) override;
    // Ends the network's monitoring and cancels an open transaction.
    void closeNetwork(const LnsRef<LnsNetwork> &network) override;

    // Administration, for the lnsdb tool and tests; these need a connection.
    // Subsystem paths are "system.subsystem.subsystem". A name holding "/" or
    // "\" is refused: no object name could reach the object afterwards.
    void createNetwork(const QString &name,
                       const QString &systemName = {}); // system name defaults to the network's
    void createSubsystem(const QString &network, const QString &path);
    void addDevice(const QString &network, const QString &subsystemPath, const QString &deviceName,
                   const DeviceInterface &deviceInterface);
    void removeDevice(const QString &network, const QString &subsystemPath, const QString &deviceName);
    void setDeviceReachable(const QString &network, const QString &subsystemPath, const QString &deviceName,
                            bool reachable);
    // Everything in the network goes, or nothing (NotFound when there is no
    // such network); the number of devices removed.
    int removeNetwork(const QString &network);
    QStringList subsystemPaths(const QString &network) const;
    QStringList deviceNames(const QString &network, const QString &subsystemPath) const;
    // The device as the object server hands it out.
    LnsRef<LnsAppDevice> device(const QString &network, const QString &subsystemPath,
                                const QString &deviceName) const;
    // Copies the network with everything in it (subsystems, devices, their
    // objects, NVs and CPs, the plug-in's registrations, the write history)
    // into target, named newName there (empty: as here). The target takes
    // all of it in one transaction or nothing; this database is read as it
    // stood when the copy began. The number of devices copied; NotFound when
    // there is no such network here, InvalidArgument when target holds one
    // of that name already. Both need a connection.
    int copyNetworkTo(const QString &name, NetworkDatabase &target, const QString &newName = {});
    // Runs several administrative steps as one transaction: all of them
    // are stored, or none when one raises.
    void atomically(const std::function<void()> &work);
    // Lets go of every row read so far: a batch over thousands of devices
    // reads each device once, and keeping them would grow with the network.
    void forgetReadRows();

private:
    void useServer(int connectMode);

    std::shared_ptr<NetDbSession> m_session;
};
