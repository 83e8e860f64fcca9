#pragma once

#include <QString>

class AppError;

// The cause of an error in the user's language: the network database's
// fault from the text table, with the engine's own words behind it; an error
// without a fault gives its description.
class DatabaseFaultText
{
public:
    static QString of(const AppError &error);
};
