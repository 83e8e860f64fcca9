#include "host/AutomationStart.h"

#include <QtGlobal>

namespace AutomationStart {

bool isAutomationStart()
{
    return !qEnvironmentVariableIsEmpty("DBUS_STARTER_BUS_TYPE");
}

bool registerAutomationObject()
{
    return false;
}

} // namespace AutomationStart
