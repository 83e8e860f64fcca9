#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QString>
#include <QStringList>
#include <QVariant>

// lnsdb in the role of an LNS director: starts the plug-in through its
// automation object "veltoTarvinaRX24.Application" on the session bus (the
// bus starts the program when it is not running), sets its properties and
// sends it a command. Every wait is bounded; every failure raises an
// AppError whose description is one line for the user.
class DirectorClient
{
public:
    explicit DirectorClient(const QDBusConnection &bus);

    // The session bus; raises when there is none.
    static QDBusConnection sessionBus();

    void setServiceName(const QString &serviceName) { m_service = serviceName; }
    QString serviceName() const { return m_service; }
    void setTimeout(int ms) { m_timeoutMs = ms; }
    int timeout() const { return m_timeoutMs; }
    static constexpr int DefaultTimeoutMs = 30000;

    // Makes sure the plug-in serves its object, starting it through the bus.
    void activate();
    // Sets a property of "Application"; raises with the plug-in's error text.
    void setProperty(const QString &name, const QVariant &value);
    void sendCommand(qint32 commandId, qint16 classId, const QString &objectName);

    // Command 50 for a network: hands over the program ids (all of the
    // plug-in's when empty) and an object of lnsdb's own for the result, and
    // waits for it. True when the plug-in reports success.
    bool registerPlugin(const QString &networkName, const QStringList &programIds);

    static QString ApplicationPath() { return QStringLiteral("/Application"); }
    static QString ApplicationInterface() { return QStringLiteral("veltoTarvinaRX24.Application"); }
    static constexpr qint32 ConfigureCommand = 13;
    static constexpr qint16 DeviceClass = 7;
    static constexpr qint32 RegisterCommand = 50;
    static constexpr qint16 NetworkClass = 1;

private:
    // Sends the call and serves the bus until the answer comes (so that the
    // plug-in may call back meanwhile); an error answer raises.
    QDBusMessage call(const QDBusMessage &message, const QString &what);

    QDBusConnection m_bus;
    QString m_service = ApplicationInterface();
    int m_timeoutMs = DefaultTimeoutMs;
};
