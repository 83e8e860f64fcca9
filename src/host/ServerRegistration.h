#pragma once

#include "host/RegistrationRecord.h"

#include <QString>

// The plug-in's own registration with the desktop: done at every end of the
// program so that a moved program is found again, undone by UNREG.
class ServerRegistration
{
public:
    // The record of this plug-in in the current language.
    static RegistrationRecord CurrentRecord();

    // Writes the record and the D-Bus service file; errors are logged.
    static void Register();
    // Removes both; errors are logged.
    static void Unregister();
    // Deletes the product's own settings key (language, window position).
    static void DeleteProductKey();

    // The program named in the service file; the running executable unless set.
    static QString executable();
    static void setExecutable(const QString &path); // empty: the running executable
};
