#pragma once

#include <QString>

// Where the settings store (the stand-in for the machine-wide registry) lives:
// one INI file under the user's configuration directory. Tests point it at a
// temporary file.
class SettingsLocation
{
public:
    // <config dir>/velto/registry.ini unless overridden.
    static QString filePath();
    static void setFilePath(const QString &path); // empty: back to the default
};
