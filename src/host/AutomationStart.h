#pragma once

// The session bus starts the program to serve the automation object
// "veltoTarvinaRX24.Application"; the bus marks such a start with
// DBUS_STARTER_BUS_TYPE in the environment.
namespace AutomationStart {

bool isAutomationStart();

// Puts the automation object on the session bus. True while it serves, so
// that the program keeps running for the director. The D-Bus object
// implements this; until it exists nothing is served.
bool registerAutomationObject();

} // namespace AutomationStart
