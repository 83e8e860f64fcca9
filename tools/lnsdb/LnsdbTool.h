#pragma once

#include "platform/lns/LnsAppDevice.h"
#include "platform/netdb/NetworkDatabase.h"

#include <QDBusConnection>
#include <QStringList>
#include <QTextStream>
#include <memory>

class DirectorClient;

// The commands of the lnsdb tool: create and inspect a network database,
// change values as a device or another tool would, and build the demo
// network. Bad arguments end with a one-line error and exit code 2; a failing
// database with its message and exit code 1.
class LnsdbTool
{
public:
    enum ExitCode { Ok = 0, Failed = 1, BadArguments = 2 };

    LnsdbTool(QTextStream &out, QTextStream &err);
    ~LnsdbTool();

    int run(QStringList arguments);

    static QString helpText();

    // The bus and the plug-in's bus name the director's commands use; the
    // session bus and "veltoTarvinaRX24.Application" unless set.
    void setBus(const QDBusConnection &bus, const QString &serviceName = QString());

private:
    int dispatch(const QString &command, const QStringList &args);

    void requireCount(const QString &command, const QStringList &args, int min, int max) const;
    // The database, opened on first use: read commands open it read-only,
    // only create and demo may create it.
    NetworkDatabase &database(NetworkDatabase::OpenMode mode);
    LnsRef<LnsAppDevice> device(const QString &objectName, NetworkDatabase::OpenMode mode);
    LnsRef<LnsLonMarkObject> object(const LnsRef<LnsAppDevice> &device, const QString &which) const;
    LnsRef<LnsConfigProperty> configProperty(const QString &objectName, const QString &which,
                                             const QString &cpName, NetworkDatabase::OpenMode mode);
    LnsRef<LnsNetworkVariable> networkVariable(const QString &objectName, const QString &which,
                                               const QString &nvName, NetworkDatabase::OpenMode mode);

    void listObjects(const LnsRef<LnsAppDevice> &device);
    // The names of networks, levels and devices that begin with the prefix.
    void listNames(QString prefix);
    // The network's registrations, of the given program ids when any; the
    // number of lines written.
    int listPlugins(QTextStream &out, const QString &network, const QStringList &programIds);
    // The director's commands: they drive the plug-in over the session bus.
    void startPlugin(const QStringList &args);
    // Refuses unless the plug-in's settings name the server given here.
    void requireConfiguredServer() const;
    void copyNetwork(const QStringList &args);
    void generate(const QStringList &args);
    int registerPlugin(const QString &networkName, const QStringList &programIds);
    DirectorClient director() const;

    QTextStream &m_out;
    QTextStream &m_err;
    QString m_databasePath;
    QString m_locationOption; // "--db" or "--server" when the command line named the database
    std::unique_ptr<NetworkDatabase> m_db;
    std::unique_ptr<QDBusConnection> m_bus;
    QString m_serviceName;
};
