#pragma once

// The session bus starts the program to serve the automation object
// "veltoTarvinaRX24.Application"; the bus marks such a start with
// DBUS_STARTER_BUS_TYPE in the environment.
namespace AutomationStart {

bool isAutomationStart();

// Puts the automation object on the session bus (which initialises the
// plug-in). True while it serves, so that the program keeps running for the
// director; the event loop is quit when the director is done.
bool registerAutomationObject();
// Takes the object off the bus again; harmless when none is served.
void releaseAutomationObject();

} // namespace AutomationStart
