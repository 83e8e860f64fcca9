#pragma once

#include <QString>

// The folder the parameter-file dialogs open in: the one a file was last
// saved to or loaded from, kept in the product's settings; before the first
// file, the user's documents folder (the home folder where there is none).
class ParameterFolder
{
public:
    static QString Last();
    // Remembers the folder of a chosen file.
    static void Remember(const QString &file);
};
