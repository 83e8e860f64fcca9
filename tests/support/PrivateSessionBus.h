#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>

// A session bus of a test's own: a dbus-daemon listening in a folder of the
// test, starting the services whose files lie in <folder>/services with the
// environment given, killed when the object goes (and with it any program
// it started that still serves it).
class PrivateSessionBus
{
public:
    PrivateSessionBus() = default;
    ~PrivateSessionBus();
    PrivateSessionBus(const PrivateSessionBus &) = delete;
    PrivateSessionBus &operator=(const PrivateSessionBus &) = delete;

    static bool available();
    // False (why in error()) when the daemon did not come up.
    bool start(const QString &folder, QProcessEnvironment environment);
    // A service the bus starts on demand: name runs program.
    bool addService(const QString &name, const QString &program) const;
    const QString &address() const { return m_address; }
    const QString &error() const { return m_error; }

private:
    QString m_folder;
    QString m_address;
    QString m_error;
    QProcess m_daemon;
};
