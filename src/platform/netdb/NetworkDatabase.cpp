#include "platform/netdb/NetworkDatabase.h"

#include "platform/lns/LnsError.h"
#include "platform/netdb/NetDbAdministration.h"
#include "platform/netdb/NetDbEngine.h"
#include "platform/netdb/NetDbFailure.h"
#include "platform/netdb/NetDbNetwork.h"
#include "platform/netdb/NetDbNetworkCopy.h"
#include "platform/netdb/NetDbServerAddress.h"
#include "platform/netdb/NetDbSession.h"
#include "platform/services/SettingsLocation.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

NetworkDatabase::NetworkDatabase(const QString &databasePath, OpenMode mode, QObject *parent)
    : LnsObjectServer(parent), m_session(std::make_shared<NetDbSession>(databasePath, this, mode))
{
}

NetworkDatabase::~NetworkDatabase()
{
    m_session->close();
}

QString NetworkDatabase::defaultDatabasePath()
{
    const QSettings settings(SettingsLocation::filePath(), QSettings::IniFormat);
    const QString configured = settings.value(QStringLiteral("SOFTWARE/velto/LNS/DatabasePath")).toString();
    if (!configured.isEmpty())
        return configured;
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/velto/lns/networks.lnsdb");
}

QString NetworkDatabase::databasePath() const
{
    return m_session->path();
}

QString NetworkDatabase::shownLocation() const
{
    return m_session->shownLocation();
}

QString NetworkDatabase::shownLocation(const QString &location)
{
    return NetDbEngine::forLocation(location)->shownLocation();
}

NetworkDatabase::OpenMode NetworkDatabase::openMode() const
{
    return m_session->mode();
}

QString NetworkDatabase::configuredServer()
{
    const QSettings settings(SettingsLocation::filePath(), QSettings::IniFormat);
    // Unquoted, a URI with a comma in its options reads as a list.
    const QVariant value = settings.value(QStringLiteral("SOFTWARE/velto/LNS/Server"));
    const QString text = value.typeId() == QMetaType::QStringList
                             ? value.toStringList().join(QLatin1Char(','))
                             : value.toString();
    return text.trimmed();
}

void NetworkDatabase::connectServer(int connectMode)
{
    if (connectMode < 0 || connectMode > 2)
        throw LnsError(LnsErrorCode::InvalidArgument,
                       QStringLiteral("%1 is not a connect mode.").arg(connectMode));
    if (connectMode != 0 && !m_session->isOpen())
        useServer(connectMode);
    if (m_session->isServer()) {
        m_session->open();
        return;
    }
    const QString folder = QFileInfo(m_session->path()).absolutePath();
    if (m_session->mode() == OpenMode::Create && !m_session->path().isEmpty() && !QDir().mkpath(folder))
        throw LnsError(LnsErrorCode::DatabaseUnusable,
                       QStringLiteral("The folder of the network database \"%1\" cannot be created.")
                           .arg(m_session->path()),
                       DatabaseFault{DatabaseFault::FolderNotCreated, m_session->path(), {}, {}});
    m_session->open();
}

void NetworkDatabase::useServer(int connectMode)
{
    // A remote connect opens the team's project on the server the settings
    // name, unless this client was given a server already.
    QString uri = m_session->isServer() ? m_session->path() : configuredServer();
    if (uri.isEmpty())
        NetDbFailure::unusable(
            NetDbFailure::fault(QStringLiteral("SOFTWARE/velto/LNS/Server"), DatabaseFault::NoServer));
    const NetDbServerAddress address = NetDbServerAddress::parse(uri);
    if (!address.isValid())
        NetDbFailure::unusable(NetDbFailure::fault(QStringLiteral("SOFTWARE/velto/LNS/Server"),
                                                   DatabaseFault::NotAServerAddress,
                                                   {NetDbServerAddress::withoutPassword(uri)}));
    // Over the Internet the configuration and the engineers' names travel
    // encrypted or not at all.
    if (connectMode == 2 && !address.requiresTls())
        NetDbFailure::unusable(NetDbFailure::fault(address.shown(), DatabaseFault::TlsRequired));
    m_session->setLocation(uri);
}

bool NetworkDatabase::isConnected() const
{
    return m_session->isOpen();
}

void NetworkDatabase::disconnectServer()
{
    m_session->close();
}

void NetworkDatabase::probe()
{
    m_session->requireOpen();
    m_session->select(QStringLiteral("SELECT count(*) FROM networks"));
}

QStringList NetworkDatabase::networkNames() const
{
    QStringList names;
    for (const auto &row :
         m_session->selectIdNames(QStringLiteral("SELECT id, name FROM networks ORDER BY id"), {}))
        names.append(row.second);
    return names;
}

LnsRef<LnsNetwork> NetworkDatabase::openNetwork(const QString &name, bool /*remote*/)
{
    return NetDbObjects::network(m_session, NetDbAdministration(m_session).networkId(name));
}

void NetworkDatabase::closeNetwork(const LnsRef<LnsNetwork> &network)
{
    const auto *ours = dynamic_cast<const NetDbNetwork *>(network.get());
    if (!ours || !m_session->isOpen())
        return;
    m_session->deactivateMonitoring(ours->id());
    m_session->openMonitorSets.remove(ours->id());
    if (m_session->inTransaction())
        m_session->cancelTransaction();
}

void NetworkDatabase::createNetwork(const QString &name, const QString &systemName)
{
    NetDbAdministration(m_session).createNetwork(name, systemName.isEmpty() ? name : systemName);
}

void NetworkDatabase::createSubsystem(const QString &network, const QString &path)
{
    NetDbAdministration(m_session).createSubsystem(network, path);
}

void NetworkDatabase::addDevice(const QString &network, const QString &subsystemPath,
                                const QString &deviceName, const DeviceInterface &deviceInterface)
{
    NetDbAdministration(m_session).addDevice(network, subsystemPath, deviceName, deviceInterface);
}

void NetworkDatabase::removeDevice(const QString &network, const QString &subsystemPath,
                                   const QString &deviceName)
{
    NetDbAdministration(m_session).removeDevice(network, subsystemPath, deviceName);
}

void NetworkDatabase::setDeviceReachable(const QString &network, const QString &subsystemPath,
                                         const QString &deviceName, bool reachable)
{
    NetDbAdministration(m_session).setDeviceReachable(network, subsystemPath, deviceName, reachable);
}

int NetworkDatabase::removeNetwork(const QString &network)
{
    return NetDbAdministration(m_session).removeNetwork(network);
}

QStringList NetworkDatabase::subsystemPaths(const QString &network) const
{
    return NetDbAdministration(m_session).subsystemPaths(network);
}

QStringList NetworkDatabase::deviceNames(const QString &network, const QString &subsystemPath) const
{
    return NetDbAdministration(m_session).deviceNames(network, subsystemPath);
}

LnsRef<LnsAppDevice> NetworkDatabase::device(const QString &network, const QString &subsystemPath,
                                             const QString &deviceName) const
{
    return NetDbObjects::device(m_session,
                                NetDbAdministration(m_session).deviceId(network, subsystemPath, deviceName));
}

int NetworkDatabase::copyNetworkTo(const QString &name, NetworkDatabase &target, const QString &newName)
{
    m_session->requireOpen();
    target.m_session->requireOpen();
    return NetDbNetworkCopy(m_session, target.m_session).copy(name, newName);
}

void NetworkDatabase::atomically(const std::function<void()> &work)
{
    m_session->atomically(work);
}

void NetworkDatabase::forgetReadRows()
{
    m_session->forgetReadRows();
}
