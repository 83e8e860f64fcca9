#pragma once

#include <QString>
#include <exception>

// Checks a director's command against the command table and starts its handler.
class CommandValidator
{
public:
    // Accepted commands start the device connection (or the start from a
    // handed LonMark object); command 50 registers the plug-in; anything
    // else is refused with the fixed English refusal and ends the program.
    static void ValidateCommand(qint32 commandId, qint16 classId, const QString &objectName);

    // 0 local, 1 remote, 2 remote through the interface named exactly "Internet".
    static int ConnectMode(bool remote, const QString &networkInterfaceName);

    // The accepted command table entry (1 to 4), or 0.
    static int FindCommand(qint32 commandId, qint16 classId);

    static constexpr qint32 RegistrationCommand = 50;

private:
    // A start broken off by an error: the user is told why (the network
    // database's cause as its server message, any other error as it is), on
    // standard error and the trace log too.
    static void reportBrokenStart(const std::exception &error);
};
