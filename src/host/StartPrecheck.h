#pragma once

#include <QStringList>
#include <optional>

// What the program settles from its arguments before the application object
// exists: the usage asked for with -h or --help (printed, nothing else
// done), and a start that needs a window where no display can be had (said
// in one line, exit status 1). A start that shows no window (registration,
// language, About text) goes on without a display, on Qt's offscreen platform.
class StartPrecheck
{
public:
    // arguments without the program name. An exit status ends the program
    // at once; none: go on with the start.
    static std::optional<int> run(const QStringList &arguments);

    static bool helpAsked(const QStringList &arguments);
    // The start opens the main window, or serves a director that will.
    static bool needsWindow(const QStringList &arguments);
    // The platform Qt will take can show windows, as far as the environment
    // tells: a platform chosen in QT_QPA_PLATFORM other than X and Wayland,
    // or the display those two need.
    static bool displayNamed();
};
