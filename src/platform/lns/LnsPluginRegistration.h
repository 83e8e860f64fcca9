#pragma once

#include <QString>

// One plug-in command registered in a network: what a director lists and
// offers for devices of the program id.
struct LnsPluginRegistration
{
    QString programId;  // device template the command applies to
    int objectType = 0; // object type of the command table entry
    QString name;       // command name shown by the director
    int commandId = 0;
    int classId = 0;
    QString description;
    QString projectName; // "veltoTarvinaRX24"
    QString className;   // "Application"
    QString version;
    QString manufacturerId;

    bool operator==(const LnsPluginRegistration &) const = default;
};
