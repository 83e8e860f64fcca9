#include "host/ApplicationBusObject.h"

#include "host/AppVersion.h"
#include "host/ApplicationObject.h"
#include "host/BusRegResultReceiver.h"

#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QPointer>
#include <QTimer>

namespace {
enum class Access { Read, ReadWrite, Write };

struct PropertyInfo
{
    const char *name;
    const char *signature;
    Access access;
};

// In the order of the class's interface. Read-only properties still take a
// Set, which answers the read-only error.
const PropertyInfo kProperties[] = {
    {"Height", "i", Access::ReadWrite},
    {"LcaVersion", "s", Access::Read},
    {"Left", "i", Access::ReadWrite},
    {"ManufacturerId", "s", Access::Read},
    {"ManufacturerName", "s", Access::Read},
    {"Minimized", "b", Access::ReadWrite},
    {"Name", "s", Access::Read},
    {"NetworkInterfaceName", "s", Access::ReadWrite},
    {"Remote", "b", Access::ReadWrite},
    {"NetworkName", "s", Access::ReadWrite},
    {"Top", "i", Access::ReadWrite},
    {"Version", "s", Access::Read},
    {"Visible", "b", Access::ReadWrite},
    {"Width", "i", Access::ReadWrite},
    {"LnsObjectByTool", "s", Access::ReadWrite},
    {"ProgramIdsToRegister", "s", Access::Write},
    {"RegResult", "s", Access::Write},
};

const PropertyInfo *findProperty(const QString &name)
{
    for (const PropertyInfo &info : kProperties) {
        if (name == QLatin1String(info.name))
            return &info;
    }
    return nullptr;
}

const QString PropertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");

QString errorName(const char *name)
{
    return QStringLiteral("org.freedesktop.DBus.Error.") + QLatin1String(name);
}

// A Properties call names our interface, or none.
bool isOurs(const QString &interfaceName)
{
    return interfaceName.isEmpty() || interfaceName == ApplicationBusObject::InterfaceName();
}

QString signatureOf(const QVariant &value)
{
    const char *signature = QDBusMetaType::typeToSignature(value.metaType());
    return signature ? QString::fromLatin1(signature) : QString();
}

// What the director gets for an error the object raised.
struct BusError
{
    QString name;
    QString message;
};
} // namespace

ApplicationBusObject::ApplicationBusObject(ApplicationObject &application, QObject *parent)
    : QDBusVirtualObject(parent), m_application(application)
{
}

QString ApplicationBusObject::InterfaceName()
{
    return AppVersion::ProgId();
}

QString ApplicationBusObject::ReadOnlyErrorName()
{
    return InterfaceName() + QStringLiteral(".Error.ReadOnly");
}

bool ApplicationBusObject::handleMessage(const QDBusMessage &message, const QDBusConnection &connection)
{
    if (message.type() != QDBusMessage::MethodCallMessage)
        return false;
    QDBusMessage reply;
    if (message.interface() == PropertiesInterface) {
        const QString member = message.member();
        if (member == QLatin1String("Get"))
            reply = get(message);
        else if (member == QLatin1String("Set"))
            reply = set(message, connection);
        else if (member == QLatin1String("GetAll"))
            reply = getAll(message);
        else
            return false;
    } else if (message.interface() == InterfaceName() || message.interface().isEmpty()) {
        if (message.member() != QLatin1String("SendCommand"))
            return false;
        reply = sendCommand(message);
    } else {
        return false;
    }
    Q_EMIT called();
    connection.send(reply);
    return true;
}

QDBusMessage ApplicationBusObject::get(const QDBusMessage &message) const
{
    const QList<QVariant> args = message.arguments();
    if (message.signature() != QLatin1String("ss"))
        return message.createErrorReply(errorName("InvalidArgs"), QStringLiteral("Get takes (ss)."));
    if (!isOurs(args.at(0).toString()))
        return message.createErrorReply(errorName("UnknownInterface"),
                                        QStringLiteral("No interface %1 here.").arg(args.at(0).toString()));
    const QString name = args.at(1).toString();
    const PropertyInfo *info = findProperty(name);
    if (!info)
        return message.createErrorReply(errorName("UnknownProperty"),
                                        QStringLiteral("No property %1.").arg(name));
    if (info->access == Access::Write)
        return message.createErrorReply(errorName("PropertyWriteOnly"),
                                        QStringLiteral("Property %1 can only be written.").arg(name));
    return message.createReply(QVariant::fromValue(QDBusVariant(read(name))));
}

QDBusMessage ApplicationBusObject::getAll(const QDBusMessage &message) const
{
    if (message.signature() != QLatin1String("s"))
        return message.createErrorReply(errorName("InvalidArgs"), QStringLiteral("GetAll takes (s)."));
    const QString interfaceName = message.arguments().at(0).toString();
    if (!isOurs(interfaceName))
        return message.createErrorReply(errorName("UnknownInterface"),
                                        QStringLiteral("No interface %1 here.").arg(interfaceName));
    QVariantMap values;
    for (const PropertyInfo &info : kProperties) {
        if (info.access != Access::Write)
            values.insert(QLatin1String(info.name), read(QLatin1String(info.name)));
    }
    return message.createReply(QVariant::fromValue(values));
}

QDBusMessage ApplicationBusObject::set(const QDBusMessage &message, const QDBusConnection &connection)
{
    const QList<QVariant> args = message.arguments();
    if (message.signature() != QLatin1String("ssv"))
        return message.createErrorReply(errorName("InvalidArgs"), QStringLiteral("Set takes (ssv)."));
    if (!isOurs(args.at(0).toString()))
        return message.createErrorReply(errorName("UnknownInterface"),
                                        QStringLiteral("No interface %1 here.").arg(args.at(0).toString()));
    const QString name = args.at(1).toString();
    const PropertyInfo *info = findProperty(name);
    if (!info)
        return message.createErrorReply(errorName("UnknownProperty"),
                                        QStringLiteral("No property %1.").arg(name));
    const QVariant value = qvariant_cast<QDBusVariant>(args.at(2)).variant();
    if (info->access != Access::Read && signatureOf(value) != QLatin1String(info->signature)) {
        return message.createErrorReply(errorName("InvalidArgs"),
                                        QStringLiteral("Property %1 takes the type '%2', not '%3'.")
                                            .arg(name, QLatin1String(info->signature), signatureOf(value)));
    }
    try {
        write(name, value, connection);
    } catch (const AppError &error) {
        const QString text = QStringLiteral("0x%1 %2: %3")
                                 .arg(QString::number(static_cast<qulonglong>(error.number()), 16).toUpper(),
                                      error.source(), error.description());
        const QString replyName = error.number() == ApplicationObject::ReadOnlyErrorNumber
                                      ? ReadOnlyErrorName()
                                      : InterfaceName() + QStringLiteral(".Error.Failed");
        return message.createErrorReply(replyName, text);
    }
    return message.createReply();
}

QDBusMessage ApplicationBusObject::sendCommand(const QDBusMessage &message)
{
    if (message.signature() != QLatin1String("ins"))
        return message.createErrorReply(
            errorName("InvalidArgs"),
            QStringLiteral("SendCommand takes (i CommandId, n ClassId, s ObjectName)."));
    const QList<QVariant> args = message.arguments();
    const qint32 commandId = args.at(0).toInt();
    const qint16 classId = args.at(1).value<qint16>();
    const QString objectName = args.at(2).toString();
    QPointer<ApplicationBusObject> self(this);
    QTimer::singleShot(0, this, [self, commandId, classId, objectName] {
        if (!self)
            return;
        self->m_application.SendCommand(commandId, classId, objectName);
        if (self)
            Q_EMIT self->commandDone();
    });
    return message.createReply();
}

QVariant ApplicationBusObject::read(const QString &name) const
{
    const ApplicationObject &a = m_application;
    if (name == QLatin1String("Height"))
        return a.Height();
    if (name == QLatin1String("LcaVersion"))
        return a.LcaVersion();
    if (name == QLatin1String("Left"))
        return a.Left();
    if (name == QLatin1String("ManufacturerId"))
        return a.ManufacturerId();
    if (name == QLatin1String("ManufacturerName"))
        return a.ManufacturerName();
    if (name == QLatin1String("Minimized"))
        return a.Minimized();
    if (name == QLatin1String("Name"))
        return a.Name();
    if (name == QLatin1String("NetworkInterfaceName"))
        return a.NetworkInterfaceName();
    if (name == QLatin1String("Remote"))
        return a.Remote();
    if (name == QLatin1String("NetworkName"))
        return a.NetworkName();
    if (name == QLatin1String("Top"))
        return a.Top();
    if (name == QLatin1String("Version"))
        return a.Version();
    if (name == QLatin1String("Visible"))
        return a.Visible();
    if (name == QLatin1String("Width"))
        return a.Width();
    if (name == QLatin1String("LnsObjectByTool"))
        return a.LnsObjectByTool();
    return QVariant();
}

void ApplicationBusObject::write(const QString &name, const QVariant &value,
                                 const QDBusConnection &connection)
{
    ApplicationObject &a = m_application;
    const PropertyInfo *info = findProperty(name);
    if (info && info->access == Access::Read)
        ApplicationObject::refuseWrite();
    if (name == QLatin1String("Height"))
        a.setHeight(value.toInt());
    else if (name == QLatin1String("Left"))
        a.setLeft(value.toInt());
    else if (name == QLatin1String("Minimized"))
        a.setMinimized(value.toBool());
    else if (name == QLatin1String("NetworkInterfaceName"))
        a.setNetworkInterfaceName(value.toString());
    else if (name == QLatin1String("Remote"))
        a.setRemote(value.toBool());
    else if (name == QLatin1String("NetworkName"))
        a.setNetworkName(value.toString());
    else if (name == QLatin1String("Top"))
        a.setTop(value.toInt());
    else if (name == QLatin1String("Visible"))
        a.setVisible(value.toBool());
    else if (name == QLatin1String("Width"))
        a.setWidth(value.toInt());
    else if (name == QLatin1String("LnsObjectByTool"))
        a.setLnsObjectByTool(value.toString());
    else if (name == QLatin1String("ProgramIdsToRegister"))
        a.setProgramIdsToRegister(value.toString());
    else if (name == QLatin1String("RegResult"))
        a.setRegResult(BusRegResultReceiver::fromAddress(connection, value.toString()));
}

QString ApplicationBusObject::introspect(const QString &) const
{
    QString xml = QStringLiteral("  <interface name=\"%1\">\n").arg(InterfaceName());
    for (const PropertyInfo &info : kProperties) {
        const char *access = info.access == Access::Read    ? "read"
                             : info.access == Access::Write ? "write"
                                                            : "readwrite";
        xml += QStringLiteral("    <property name=\"%1\" type=\"%2\" access=\"%3\"/>\n")
                   .arg(QLatin1String(info.name), QLatin1String(info.signature), QLatin1String(access));
    }
    xml += QStringLiteral("    <method name=\"SendCommand\">\n"
                          "      <arg name=\"CommandId\" type=\"i\" direction=\"in\"/>\n"
                          "      <arg name=\"ClassId\" type=\"n\" direction=\"in\"/>\n"
                          "      <arg name=\"ObjectName\" type=\"s\" direction=\"in\"/>\n"
                          "    </method>\n"
                          "  </interface>\n");
    return xml;
}
