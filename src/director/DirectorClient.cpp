#include "director/DirectorClient.h"

#include "director/RegResultListener.h"
#include "platform/AppError.h"

#include <QCoreApplication>
#include <QDBusPendingCall>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QTimer>

namespace {
const QString BusService = QStringLiteral("org.freedesktop.DBus");
const QString BusPath = QStringLiteral("/org/freedesktop/DBus");

[[noreturn]] void fail(const QString &message)
{
    throw AppError(0, QStringLiteral("lnsdb"), message);
}

// Serves the event loop until done() holds or timeoutMs passed; the tick
// wakes the wait so that done() is asked at least every 20 ms.
template <class Done> void serveUntil(Done done, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    QTimer tick;
    tick.start(20);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}
} // namespace

DirectorClient::DirectorClient(const QDBusConnection &bus) : m_bus(bus) {}

QDBusConnection DirectorClient::sessionBus()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        fail(QStringLiteral(
            "no D-Bus session bus (DBUS_SESSION_BUS_ADDRESS is not set or the bus does not answer)"));
    return bus;
}

QDBusMessage DirectorClient::call(const QDBusMessage &message, const QString &what)
{
    QDBusPendingCall pending = m_bus.asyncCall(message, m_timeoutMs);
    serveUntil([&pending] { return pending.isFinished(); }, m_timeoutMs + 1000);
    if (!pending.isFinished())
        fail(QStringLiteral("%1: no answer within %2 s").arg(what, QString::number(m_timeoutMs / 1000)));
    const QDBusMessage reply = pending.reply();
    if (reply.type() == QDBusMessage::ErrorMessage)
        fail(QStringLiteral("%1: %2").arg(what, reply.errorMessage()));
    return reply;
}

void DirectorClient::activate()
{
    if (!m_bus.isConnected())
        fail(QStringLiteral("no D-Bus session bus"));
    QDBusMessage hasOwner =
        QDBusMessage::createMethodCall(BusService, BusPath, BusService, QStringLiteral("NameHasOwner"));
    hasOwner << m_service;
    const QDBusMessage owned = call(hasOwner, QStringLiteral("asking the session bus"));
    if (!owned.arguments().isEmpty() && owned.arguments().first().toBool())
        return;

    QDBusMessage start =
        QDBusMessage::createMethodCall(BusService, BusPath, BusService, QStringLiteral("StartServiceByName"));
    start << m_service << 0u;
    QDBusPendingCall pending = m_bus.asyncCall(start, m_timeoutMs);
    serveUntil([&pending] { return pending.isFinished(); }, m_timeoutMs + 1000);
    if (!pending.isFinished())
        fail(QStringLiteral("the plug-in service %1 did not start within %2 s")
                 .arg(m_service, QString::number(m_timeoutMs / 1000)));
    const QDBusMessage reply = pending.reply();
    if (reply.type() != QDBusMessage::ErrorMessage)
        return;
    if (reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown"))
        fail(QStringLiteral("the plug-in service %1 is not known to the session bus "
                            "(register it with \"tarvinaRX24 /regserver\")")
                 .arg(m_service));
    fail(QStringLiteral("the plug-in service %1 could not be started: %2")
             .arg(m_service, reply.errorMessage()));
}

void DirectorClient::setProperty(const QString &name, const QVariant &value)
{
    QDBusMessage set = QDBusMessage::createMethodCall(m_service, ApplicationPath(),
                                                      QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("Set"));
    set << ApplicationInterface() << name << QVariant::fromValue(QDBusVariant(value));
    call(set, QStringLiteral("setting %1").arg(name));
}

void DirectorClient::sendCommand(qint32 commandId, qint16 classId, const QString &objectName)
{
    QDBusMessage send = QDBusMessage::createMethodCall(m_service, ApplicationPath(), ApplicationInterface(),
                                                       QStringLiteral("SendCommand"));
    send << commandId << QVariant::fromValue(classId) << objectName;
    call(send, QStringLiteral("sending command %1").arg(commandId));
}

bool DirectorClient::registerPlugin(const QString &networkName, const QStringList &programIds)
{
    RegResultListener listener;
    if (!m_bus.registerObject(RegResultListener::ObjectPath(), &listener,
                              QDBusConnection::ExportAllProperties))
        fail(QStringLiteral("cannot serve %1 on the session bus").arg(RegResultListener::ObjectPath()));
    struct Unregister
    {
        QDBusConnection &bus;
        ~Unregister() { bus.unregisterObject(RegResultListener::ObjectPath()); }
    } unregister{m_bus};

    activate();
    // A plug-in that ends without a result (its start failed) ends the wait.
    QDBusServiceWatcher watcher(m_service, m_bus, QDBusServiceWatcher::WatchForUnregistration);
    bool gone = false;
    QObject::connect(&watcher, &QDBusServiceWatcher::serviceUnregistered, [&gone] { gone = true; });

    setProperty(QStringLiteral("ProgramIdsToRegister"), programIds.join(QLatin1Char(',')));
    setProperty(QStringLiteral("RegResult"),
                m_bus.baseService() + QLatin1Char(' ') + RegResultListener::ObjectPath());
    sendCommand(RegisterCommand, NetworkClass, networkName);

    serveUntil([&] { return listener.hasResult() || gone; }, m_timeoutMs);
    // The result may be on its way behind the name's release.
    if (!listener.hasResult() && gone)
        serveUntil([&] { return listener.hasResult(); }, 200);
    if (!listener.hasResult()) {
        if (gone)
            fail(QStringLiteral("the plug-in ended without a registration result (see its log)"));
        fail(QStringLiteral("no registration result within %1 s").arg(m_timeoutMs / 1000));
    }
    return listener.regResult() != 0;
}
