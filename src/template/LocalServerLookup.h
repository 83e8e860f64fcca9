#pragma once

#include <QString>

// Finds the program registered to serve a ProgID: the first word of the
// Exec= line of the ProgID's D-Bus service file, <services dir>/<ProgID>.service.
// The services directory is the user's D-Bus services directory,
// <generic data dir>/dbus-1/services ($XDG_DATA_HOME or ~/.local/share), unless
// one is given (tests give a temporary one).
class LocalServerLookup
{
public:
    LocalServerLookup();
    explicit LocalServerLookup(QString servicesDir);

    static QString defaultServicesDir();
    const QString &servicesDir() const { return m_servicesDir; }

    // The program of the ProgID's service; empty when there is no service
    // file, no Exec= line or an empty one.
    QString localServer(const QString &progId) const;

    // The first word of an Exec= value; a word may be quoted with " or '.
    static QString firstWord(const QString &commandLine);

private:
    QString m_servicesDir;
};
