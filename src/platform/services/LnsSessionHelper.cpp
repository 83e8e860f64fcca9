#include "platform/services/LnsSessionHelper.h"

#include "platform/lns/LnsError.h"

#include <QStringList>

bool LnsSessionHelper::connect(LnsSession &session, LnsObjectServer *objectServer, int connectMode)
{
    session.objectServer = objectServer;
    m_lastError.reset();
    if (!objectServer)
        return false;
    try {
        if (!objectServer->isConnected())
            objectServer->connectServer(connectMode);
        return objectServer->isConnected();
    } catch (const AppError &error) {
        m_lastError = error;
        return false;
    }
}

bool LnsSessionHelper::openNetwork(LnsSession &session, const QString &networkName, bool remote)
{
    session.network.reset();
    m_lastError.reset();
    if (!session.objectServer || networkName.isEmpty())
        return false;
    try {
        session.network = session.objectServer->openNetwork(networkName, remote);
    } catch (const AppError &error) {
        m_lastError = error;
        session.network.reset();
    }
    return session.network != nullptr;
}

void LnsSessionHelper::openSystem(LnsSession &session, const QString &systemPart)
{
    session.system.reset();
    session.subsystem.reset();
    session.appDevices.reset();
    if (!session.network)
        throw LnsError(LnsErrorCode::NotConnected, QStringLiteral("No network is open."));

    session.system = session.network->system();
    QStringList names = systemPart.split(QLatin1Char('.'));
    for (QString &name : names)
        name = name.trimmed();
    names.removeAll(QString());
    // The first name is the system's own; the subsystems follow. A network
    // has one system, so a name that is not its name names nothing here.
    if (!names.isEmpty()) {
        const QString systemName = session.system->name();
        if (names.first() != systemName)
            throw LnsError(LnsErrorCode::NotFound,
                           QStringLiteral("The network has no system \"%1\"; its system is \"%2\".")
                               .arg(names.first(), systemName));
        names.removeFirst();
    }

    LnsCollectionRef<LnsSubsystem> level = session.system->subsystems();
    LnsRef<LnsSubsystem> subsystem;
    if (names.isEmpty()) {
        if (level->count() < 1)
            throw LnsError(LnsErrorCode::NotFound, QStringLiteral("The system has no subsystem."));
        subsystem = level->item(1);
    }
    for (const QString &name : std::as_const(names)) {
        subsystem = level->item(name);
        level = subsystem->subsystems();
    }
    session.subsystem = subsystem;
    session.appDevices = subsystem->appDevices();
}

void LnsSessionHelper::close(LnsSession &session)
{
    try {
        if (session.system && session.system->inTransaction())
            session.system->cancelTransaction();
    } catch (const AppError &) {
    }
    try {
        if (session.system && session.system->monitorSetOpen())
            session.system->closeMonitorSet();
    } catch (const AppError &) {
    }
    if (session.objectServer) {
        try {
            if (session.network)
                session.objectServer->closeNetwork(session.network);
        } catch (const AppError &) {
        }
        try {
            if (session.objectServer->isConnected())
                session.objectServer->disconnectServer();
        } catch (const AppError &) {
        }
    }
    session.clear();
}

bool LnsSessionHelper::registerCommand(const LnsRef<LnsNetwork> &network,
                                       const LnsPluginRegistration &registration)
{
    if (!network)
        return false;
    try {
        network->registerPlugin(registration);
        return true;
    } catch (const AppError &) {
        return false;
    }
}
