#include "ui/MainWindowOnDemand.h"

#include "ui/AboutDialog.h"
#include "ui/frmMain.h"

MainWindowOnDemand::MainWindowOnDemand() = default;

MainWindowOnDemand::~MainWindowOnDemand() = default;

frmMain &MainWindowOnDemand::built() const
{
    if (!m_window)
        m_window = std::make_unique<frmMain>();
    return *m_window;
}

frmMain &MainWindowOnDemand::window()
{
    return built();
}

void MainWindowOnDemand::PrepareMenu(int commandIndex)
{
    built().PrepareMenu(commandIndex);
}

void MainWindowOnDemand::SetOfferedTabs(int tabMask)
{
    built().SetOfferedTabs(tabMask);
}

void MainWindowOnDemand::Start()
{
    built().Start();
}

bool MainWindowOnDemand::IsLoaded() const
{
    return m_window && m_window->IsLoaded();
}

void MainWindowOnDemand::Unload()
{
    if (m_window)
        m_window->Unload();
}

void MainWindowOnDemand::ShowAbout()
{
    if (m_window)
        m_window->ShowAbout();
    else
        AboutDialog::showAbout(nullptr);
}

int MainWindowOnDemand::Left() const
{
    return built().Left();
}

void MainWindowOnDemand::setLeft(int left)
{
    built().setLeft(left);
}

int MainWindowOnDemand::Top() const
{
    return built().Top();
}

void MainWindowOnDemand::setTop(int top)
{
    built().setTop(top);
}

int MainWindowOnDemand::Width() const
{
    return built().Width();
}

void MainWindowOnDemand::setWidth(int width)
{
    built().setWidth(width);
}

int MainWindowOnDemand::Height() const
{
    return built().Height();
}

void MainWindowOnDemand::setHeight(int height)
{
    built().setHeight(height);
}

bool MainWindowOnDemand::Minimized() const
{
    return built().Minimized();
}

void MainWindowOnDemand::setMinimized(bool minimized)
{
    built().setMinimized(minimized);
}

bool MainWindowOnDemand::Visible() const
{
    return built().Visible();
}

void MainWindowOnDemand::setVisible(bool visible)
{
    built().setVisible(visible);
}
