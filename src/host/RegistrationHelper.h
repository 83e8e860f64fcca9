#pragma once

#include <QString>

// Registration without a list of program ids (command 50 from a director
// that names none): the plug-in is registered for every device template of
// its description file in the network the object name names, and only
// there. The result goes to a handed RegResult object, else to message 1435;
// an unknown network is a failure.
class RegistrationHelper
{
public:
    bool Run(const QString &objectName, int connectMode);
};
