#pragma once

#include "host/RegistrationRecord.h"

#include <QString>

// Makes the automation server known to the desktop, and forgets it again.
//
// Two things are written for a ProgID such as "veltoTarvinaRX24.Application":
//  - the registration record, in the settings store under
//    "SOFTWARE\Classes\<ProgID>" (one value per field, plus "LocalServer",
//    the program that serves it);
//  - the D-Bus service file <services dir>/<ProgID>.service, so that the
//    session bus starts this program when a director asks for the ProgID.
// Removing deletes both and leaves no empty group, settings file or services
// folder behind.
class ServerRegistrationStore
{
public:
    // <generic data dir>/dbus-1/services unless set (tests use a temporary folder).
    static QString servicesDir();
    static void setServicesDir(const QString &dir); // empty: back to the default

    static QString serviceFilePath(const QString &progId);
    static QString recordKey(const QString &progId);

    // executable: absolute path of the program that serves the ProgID.
    static void write(const RegistrationRecord &record, const QString &executable);
    static void remove(const QString &progId);
    // The record as stored; empty fields when there is none.
    static RegistrationRecord read(const QString &progId);

    // The Exec= line's program for the ProgID's service file, quoted when it holds blanks.
    static QString execLine(const QString &executable);

    // Deletes the settings file when no value is left in it, and the
    // product line's settings folder ("velto") when that is then empty.
    static void pruneEmptySettings();
};
