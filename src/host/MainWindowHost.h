#pragma once

// What the host asks of the main window. The window layer implements it; the
// host only starts, prepares and unloads the window through it, and the
// automation object reads and sets its placement.
class MainWindowHost
{
public:
    virtual ~MainWindowHost() = default;

    // Hides the file and parameter tools for the commands that do not configure.
    virtual void PrepareMenu(int commandIndex) = 0;
    // Restores all five tabs, then hides those whose bit is set in tabMask
    // (1 Configuration, 2 Object configuration, 4 Monitoring, 8 Controlling, 16 Calibration).
    virtual void SetOfferedTabs(int tabMask) = 0;
    // Loads the window and reads the device's configuration into it.
    virtual void Start() = 0;
    virtual bool IsLoaded() const = 0;
    virtual void Unload() = 0;
    // The About dialog, modal.
    virtual void ShowAbout() = 0;

    virtual int Left() const = 0;
    virtual void setLeft(int left) = 0;
    virtual int Top() const = 0;
    virtual void setTop(int top) = 0;
    virtual int Width() const = 0;
    virtual void setWidth(int width) = 0;
    virtual int Height() const = 0;
    virtual void setHeight(int height) = 0;
    virtual bool Minimized() const = 0;
    virtual void setMinimized(bool minimized) = 0;
    virtual bool Visible() const = 0;
    virtual void setVisible(bool visible) = 0;
};
