#include "host/MinimalMainWindowHost.h"

#include "host/PlugInGlobals.h"

MinimalMainWindowHost::MinimalMainWindowHost(std::function<void()> showAbout)
    : m_showAbout(std::move(showAbout))
{
}

void MinimalMainWindowHost::PrepareMenu(int commandIndex)
{
    PlugInGlobals::Trace(QStringLiteral("Main window: prepare menu for command %1").arg(commandIndex));
}

void MinimalMainWindowHost::SetOfferedTabs(int tabMask)
{
    PlugInGlobals::Trace(QStringLiteral("Main window: hide tabs %1").arg(tabMask));
}

void MinimalMainWindowHost::Start()
{
    PlugInGlobals::Trace(QStringLiteral("Main window: start for \"%1\"").arg(PlugInGlobals::WindowTitle()));
}

void MinimalMainWindowHost::Unload()
{
    PlugInGlobals::Trace(QStringLiteral("Main window: unload"));
}

void MinimalMainWindowHost::ShowAbout()
{
    if (m_showAbout)
        m_showAbout();
}

void MinimalMainWindowHost::setVisible(bool visible)
{
    PlugInGlobals::Trace(QStringLiteral("Main window: visible %1").arg(visible ? 1 : 0));
}
