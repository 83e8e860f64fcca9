#pragma once

// Registration without a list of program ids (command 50 from a director
// that names none): the plug-in is registered for every device template of
// its description file in every network of the local network database, so
// that each project offers it for the controllers it holds. The result goes
// to a handed RegResult object, else only to the log.
class RegistrationHelper
{
public:
    bool Run();
};
