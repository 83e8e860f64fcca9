#pragma once

#include "host/MainWindowHost.h"

#include <QRect>
#include <functional>

// Stands in for the main window while the program has none: it writes what
// it is asked to the log and shows only the About dialog (given as a
// function, the dialog lives in the window layer).
class MinimalMainWindowHost : public MainWindowHost
{
public:
    explicit MinimalMainWindowHost(std::function<void()> showAbout = {});

    void PrepareMenu(int commandIndex) override;
    void SetOfferedTabs(int tabMask) override;
    void Start() override;
    bool IsLoaded() const override { return false; }
    void Unload() override;
    void ShowAbout() override;

    int Left() const override { return m_geometry.left(); }
    void setLeft(int left) override { m_geometry.moveLeft(left); }
    int Top() const override { return m_geometry.top(); }
    void setTop(int top) override { m_geometry.moveTop(top); }
    int Width() const override { return m_geometry.width(); }
    void setWidth(int width) override { m_geometry.setWidth(width); }
    int Height() const override { return m_geometry.height(); }
    void setHeight(int height) override { m_geometry.setHeight(height); }
    bool Minimized() const override { return m_minimized; }
    void setMinimized(bool minimized) override { m_minimized = minimized; }
    bool Visible() const override { return false; }
    void setVisible(bool visible) override;

private:
    std::function<void()> m_showAbout;
    QRect m_geometry;
    bool m_minimized = false;
};
