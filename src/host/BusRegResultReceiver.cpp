#include "host/BusRegResultReceiver.h"

#include "host/PlugInGlobals.h"
#include "platform/AppError.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QRegularExpression>

std::unique_ptr<BusRegResultReceiver> BusRegResultReceiver::fromAddress(const QDBusConnection &bus,
                                                                        const QString &address)
{
    const QStringList parts = address.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    if (parts.isEmpty() || parts.size() > 2)
        return nullptr;
    const QString path = parts.size() == 2 ? parts.at(1) : DefaultPath();
    if (!QDBusObjectPath(path).path().startsWith(QLatin1Char('/')))
        return nullptr;
    return std::make_unique<BusRegResultReceiver>(bus, parts.at(0), path);
}

BusRegResultReceiver::BusRegResultReceiver(const QDBusConnection &bus, QString service, QString path)
    : m_bus(bus), m_service(std::move(service)), m_path(std::move(path))
{
}

void BusRegResultReceiver::setRegResult(qint16 result)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        m_service, m_path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Set"));
    call << InterfaceName() << PropertyName()
         << QVariant::fromValue(QDBusVariant(QVariant::fromValue(result)));
    const QDBusMessage reply = m_bus.call(call, QDBus::Block, timeoutMs);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        PlugInGlobals::LogError(
            AppError(0, reply.errorName(),
                     reply.errorMessage() + QStringLiteral(" (") + address() + QLatin1Char(')')),
            QStringLiteral("M_PlugIn"), QStringLiteral("RegResult"));
    }
}
