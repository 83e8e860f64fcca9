#include "host/AutomationStart.h"

#include "host/AutomationServer.h"

#include <QDBusConnection>
#include <QtGlobal>
#include <memory>

namespace {
std::unique_ptr<AutomationServer> &server()
{
    static std::unique_ptr<AutomationServer> s;
    return s;
}
} // namespace

namespace AutomationStart {

bool isAutomationStart()
{
    return !qEnvironmentVariableIsEmpty("DBUS_STARTER_BUS_TYPE");
}

bool registerAutomationObject()
{
    releaseAutomationObject();
    server() = std::make_unique<AutomationServer>(QDBusConnection::sessionBus());
    if (server()->start())
        return true;
    server().reset();
    return false;
}

void releaseAutomationObject()
{
    server().reset();
}

} // namespace AutomationStart
