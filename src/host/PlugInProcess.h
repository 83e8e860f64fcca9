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

    // arguments without the program name. eventLoop runs the application's
    // event loop and returns its exit code.
    static int run(const QStringList &arguments, MainWindowHost &window, const EventLoop &eventLoop);

    // " /regserver": the registration record and the D-Bus service file.
    static int registerServer();
    // " /unregserver": both removed.
    static int unregisterServer();

    // The arguments as the one command-line text Main reads.
    static QString commandLineText(const QStringList &arguments);
};
