#include "support/PrivateSessionBus.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

PrivateSessionBus::~PrivateSessionBus()
{
    if (m_daemon.state() != QProcess::NotRunning) {
        m_daemon.kill();
        m_daemon.waitForFinished(5000);
    }
}

bool PrivateSessionBus::available()
{
    return !QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty();
}

bool PrivateSessionBus::start(const QString &folder, QProcessEnvironment environment)
{
    m_folder = folder;
    QDir().mkpath(folder + QStringLiteral("/services"));
    m_address = QStringLiteral("unix:path=") + folder + QStringLiteral("/bus");
    QFile config(folder + QStringLiteral("/bus.conf"));
    if (!config.open(QIODevice::WriteOnly)) {
        m_error = QStringLiteral("cannot write ") + config.fileName();
        return false;
    }
    config.write(
        QStringLiteral("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
                       " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                       "<busconfig>\n"
                       "  <type>session</type>\n"
                       "  <listen>%1</listen>\n"
                       "  <servicedir>%2/services</servicedir>\n"
                       "  <policy context=\"default\">\n"
                       "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
                       "    <allow eavesdrop=\"true\"/>\n"
                       "    <allow own=\"*\"/>\n"
                       "  </policy>\n"
                       "</busconfig>\n")
            .arg(m_address, folder)
            .toUtf8());
    config.close();
    // What the bus starts reaches this very bus.
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_address);
    m_daemon.setProcessEnvironment(environment);
    m_daemon.start(QStringLiteral("dbus-daemon"),
                   {QStringLiteral("--config-file=") + config.fileName(), QStringLiteral("--nofork"),
                    QStringLiteral("--print-address")});
    if (!m_daemon.waitForStarted(5000)) {
        m_error = QStringLiteral("dbus-daemon did not start");
        return false;
    }
    // The address line says the bus listens.
    const QDeadlineTimer deadline(10000);
    while (!m_daemon.canReadLine() && !deadline.hasExpired())
        m_daemon.waitForReadyRead(100);
    if (!m_daemon.canReadLine()) {
        m_error = QStringLiteral("dbus-daemon did not come up");
        return false;
    }
    return true;
}

bool PrivateSessionBus::addService(const QString &name, const QString &program) const
{
    QFile file(m_folder + QStringLiteral("/services/") + name + QStringLiteral(".service"));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QStringLiteral("[D-BUS Service]\nName=%1\nExec=%2\n").arg(name, program).toUtf8());
    return true;
}
