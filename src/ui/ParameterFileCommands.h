#pragma once

#include <QString>

class cConfiguration;

// Saving the parameter set of the open device to a ".dat" file and loading
// one, with the file dialogs and the messages the user sees.
class ParameterFileCommands
{
public:
    static constexpr const char *PlugInName = "veltoTarvinaRX24";
    static constexpr const char *DataFileVersion = "1";

    // False when nothing was saved (cancelled or failed; a failure was shown).
    static bool SaveParameters(cConfiguration &configuration, const QString &caption);
    // True when a file was chosen and read, whatever its result: the window
    // then shows the parameters again.
    static bool LoadParameters(cConfiguration &configuration, const QString &caption);
};
