#pragma once

#include <QString>

class cConfiguration;

// Saving the parameter set of the open device to a ".dat" file and loading
// one, with the file dialogs and the messages the user sees.
class ParameterFileCommands
{
public:
    // False when nothing was saved (cancelled or failed; a failure was shown).
    static bool SaveParameters(cConfiguration &configuration, const QString &caption);
    // True when a file was chosen and read, whatever its result: the window
    // then shows the parameters again. A file that loads is put on the
    // window's model as a whole set; nothing is written.
    static bool LoadParameters(cConfiguration &configuration, const QString &caption);
};
