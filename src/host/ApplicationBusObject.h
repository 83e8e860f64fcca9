#pragma once

#include <QDBusVirtualObject>
#include <QVariant>

class ApplicationObject;

// Puts the automation object "Application" on the bus: the interface
// "veltoTarvinaRX24.Application" with its properties (through
// org.freedesktop.DBus.Properties Get, Set and GetAll, and introspection)
// and the method SendCommand(i CommandId, n ClassId, s ObjectName).
//
// SendCommand answers as soon as the command is taken over and runs it right
// after on the event loop, so that a director does not wait while the
// plug-in asks its user something.
//
// A write to a read-only property answers the error
// "veltoTarvinaRX24.Application.Error.ReadOnly" with the message
// "0x80044E22 veltoTarvinaRX24.Application: Write not supported. This property is read-only.".
class ApplicationBusObject : public QDBusVirtualObject
{
    Q_OBJECT
public:
    explicit ApplicationBusObject(ApplicationObject &application, QObject *parent = nullptr);

    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override;
    QString introspect(const QString &path) const override;

    static QString InterfaceName();
    static QString ObjectPath() { return QStringLiteral("/Application"); }
    static QString ReadOnlyErrorName();

Q_SIGNALS:
    // Any call of a director reached the object.
    void called();
    // A command sent through SendCommand has run.
    void commandDone();

private:
    QDBusMessage get(const QDBusMessage &message) const;
    QDBusMessage set(const QDBusMessage &message, const QDBusConnection &connection);
    QDBusMessage getAll(const QDBusMessage &message) const;
    QDBusMessage sendCommand(const QDBusMessage &message);

    QVariant read(const QString &name) const;
    void write(const QString &name, const QVariant &value, const QDBusConnection &connection);

    ApplicationObject &m_application;
};
