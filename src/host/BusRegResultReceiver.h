#pragma once

#include "host/RegResultReceiver.h"

#include <QDBusConnection>
#include <QString>

// A director's object on the bus that learns the result of a registration:
// the plug-in sets its property "RegResult" (int16, -1 success, 0 failure) of
// the interface "veltoTarvinaRX24.RegResult" through
// org.freedesktop.DBus.Properties.Set.
//
// A director names the object by its bus address, "BUSNAME PATH" (blanks
// between), e.g. ":1.42 /RegResult"; without a path "/RegResult" is meant.
class BusRegResultReceiver : public RegResultReceiver
{
public:
    // address: "BUSNAME [PATH]". Returns null when it names no object.
    static std::unique_ptr<BusRegResultReceiver> fromAddress(const QDBusConnection &bus,
                                                             const QString &address);

    BusRegResultReceiver(const QDBusConnection &bus, QString service, QString path);

    // Waits for the director's answer at most timeoutMs, so that the result
    // has arrived before the plug-in ends; a failure is logged.
    void setRegResult(qint16 result) override;

    QString service() const { return m_service; }
    QString path() const { return m_path; }
    QString address() const { return m_service + QLatin1Char(' ') + m_path; }

    static QString InterfaceName() { return QStringLiteral("veltoTarvinaRX24.RegResult"); }
    static QString PropertyName() { return QStringLiteral("RegResult"); }
    static QString DefaultPath() { return QStringLiteral("/RegResult"); }
    static constexpr int timeoutMs = 5000;

private:
    QDBusConnection m_bus;
    QString m_service;
    QString m_path;
};
