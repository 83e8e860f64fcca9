#pragma once

#include <QString>
#include <QStringList>

// Finds the program registered to serve a ProgID: the first word of the
// Exec= line of the ProgID's D-Bus service file, <services dir>/<ProgID>.service.
// The folders are searched as the session bus searches them, the first that
// holds the file deciding: the user's ($XDG_DATA_HOME/dbus-1/services), then
// dbus-1/services in each folder of $XDG_DATA_DIRS (default /usr/local/share
// and /usr/share), so that a proxy installed for the whole machine is found.
// Tests give folders of their own.
class LocalServerLookup
{
public:
    LocalServerLookup();
    explicit LocalServerLookup(QStringList servicesDirs);

    static QStringList defaultServicesDirs();
    const QStringList &servicesDirs() const { return m_servicesDirs; }

    // The service file of the ProgID the bus would take; empty when none of
    // the folders holds one.
    QString serviceFile(const QString &progId) const;

    // The program of the ProgID's service; empty when there is no service
    // file, no Exec= line or an empty one.
    QString localServer(const QString &progId) const;

    // The first word of an Exec= value; a word may be quoted with " or '.
    static QString firstWord(const QString &commandLine);

private:
    QStringList m_servicesDirs;
};
