#pragma once

#include <QString>

class QWidget;

// What the configuration asks of the window that shows it. Without a window
// (tests, a scripted run) the configuration works the same and asks nobody.
class ConfigurationView
{
public:
    virtual ~ConfigurationView() = default;

    // The window's caption, the title of the questions the configuration asks.
    virtual QString Caption() const = 0;
    // The hourglass while a long operation runs.
    virtual void SetBusy(bool busy) = 0;
    // The window's controls show the parameters again.
    virtual void SetControls() = 0;
    // Paints the window now, while a long search keeps the event loop busy.
    virtual void Repaint() = 0;
    // The parent of dialogs the configuration opens.
    virtual QWidget *Window() = 0;
};
