#pragma once

#include "host/MainWindowHost.h"

#include <memory>

class frmMain;

// The main window as the host sees it, built when the host first needs it: a
// start without options only shows About and registers, and building the
// whole window (menu, pages, fonts) would cost it more than the rest of its
// run. About before the window exists has no parent.
class MainWindowOnDemand : public MainWindowHost
{
public:
    MainWindowOnDemand();
    ~MainWindowOnDemand() override;

    // The window, built now when it is not yet.
    frmMain &window();
    bool isBuilt() const { return m_window != nullptr; }

    void PrepareMenu(int commandIndex) override;
    void SetOfferedTabs(int tabMask) override;
    void Start() override;
    bool IsLoaded() const override;
    void Unload() override;
    void ShowAbout() override;

    int Left() const override;
    void setLeft(int left) override;
    int Top() const override;
    void setTop(int top) override;
    int Width() const override;
    void setWidth(int width) override;
    int Height() const override;
    void setHeight(int height) override;
    bool Minimized() const override;
    void setMinimized(bool minimized) override;
    bool Visible() const override;
    void setVisible(bool visible) override;

private:
    mutable std::unique_ptr<frmMain> m_window;
    frmMain &built() const;
};
