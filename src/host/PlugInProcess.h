#pragma once

#include <QStringList>
#include <functional>

class MainWindowHost;

// One run of the plug-in program, from its arguments to its exit code: the
// self-registration options, the automation start and the ordinary start
// through Main, then the event loop while there is something to serve.
class PlugInProcess
{
public:
    using EventLoop = std::function<int()>;

    // Exit statuses beside 0 (the window closed, or an administrative option done).
    static constexpr int FailedStart = 1; // the start ended with its message (server, project, device, ...)
    static constexpr int UsageError = 2;  // options not understood, so no command ran

    // arguments without the program name. eventLoop runs the application's
    // event loop and returns its exit code.
    static int run(const QStringList &arguments, MainWindowHost &window, const EventLoop &eventLoop);

    // " /regserver" or " /unregserver" alone: they need no window, nor
    // anything of Qt beyond its core (a start without options runs the first
    // in a second process every time).
    static bool isRegistrationOnly(const QStringList &arguments);
    // Runs one of those two; the exit code.
    static int runRegistration(const QStringList &arguments);

    // " /regserver": the registration record and the D-Bus service file.
    static int registerServer();
    // " /unregserver": both removed.
    static int unregisterServer();

    // The arguments as the one command-line text Main reads.
    static QString commandLineText(const QStringList &arguments);
};
