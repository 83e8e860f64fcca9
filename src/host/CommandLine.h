#pragma once

#include <QString>
#include <QStringList>

// What the command line asks for. Options are "/" keyword [":" value];
// keywords match in any letter case and with blanks around them.
struct CommandLineOptions
{
    enum class Action {
        EndOfOptions, // the list ran out: run the command, or show About and self-register
        Reg,          // set the language and exit
        Unreg,        // unregister and exit
        Standalone,   // S: start the window without LNS
        Direct,       // the service start: like S without the status window
    };

    Action action = Action::EndOfOptions;
    qint32 commandId = 0;
    qint16 classId = 0;
    QString objectName;
    bool objectNameGiven = false;
    bool remote = false;
    bool networkInterfaceGiven = false;
    QString networkInterfaceName;
    qint16 languageOffset = 0; // REG only
    // Options read but not understood, as written ("/OBJECTNAM:Demo"); they
    // are otherwise ignored.
    QStringList unknownOptions;
};

// Reads the whole command line text, option by option, up to the first empty
// option or the first option that acts at once (REG, UNREG, S, KLAR3904).
class CommandLine
{
public:
    static CommandLineOptions parse(const QString &commandLineText);

    // The keyword of an option token: its text before the first ":", blanks
    // trimmed, upper case.
    static QString keywordOf(const QString &token);
    // The value of an option token: the text between its first and second ":".
    static QString valueOf(const QString &token);
};
