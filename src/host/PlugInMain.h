#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// The program's own entry: initialises the plug-in, reads the command line
// and either performs an administrative option or hands the command on.
class PlugInMain
{
public:
    // commandLineText: the arguments as one text, as a director writes them
    // (" /COMMANDID:13 /CLASSID:7 /OBJECTNAME:...").
    static void Main(const QString &commandLineText);

    // Starts a program without waiting for it; true when it started.
    using DetachedStarter = std::function<bool(const QString &program, const QStringList &arguments)>;
    // empty: DetachedStart (refused under test mode, so a test run
    // never starts programs of its own).
    static void setDetachedStarter(DetachedStarter starter);

    // The argument that makes the program register itself and exit.
    static QString RegServerArgument() { return QStringLiteral("/regserver"); }
    static QString UnregServerArgument() { return QStringLiteral("/unregserver"); }

private:
    static void selfRegister();
};
