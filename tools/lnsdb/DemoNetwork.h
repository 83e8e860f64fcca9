#pragma once

#include "platform/lns/LnsAppDevice.h"

#include <QList>
#include <QString>
#include <QStringList>

class NetworkDatabase;

// The demo network "Demo": RX24 controllers in the states an integrator
// meets (factory-new, partly configured, fully configured with lighting,
// sunblind, HVAC and switch channels, unreachable) and one device of another
// kind, all in the subsystem "LNS System.Floor 1".
class DemoNetwork
{
public:
    // One channel object bound to a module channel, as the plug-in leaves it.
    struct Binding
    {
        int object = 0;  // channel object number, 1 to 16
        int slot = 0;    // module slot, 1 to 8
        int channel = 0; // channel of the module
        int moduleType = 0;
        int fptKey = 0;
        int subType = -1; // switch type, actuator type ...; -1: none
        QString name;
    };
    struct DeviceSetup
    {
        QString name;
        QList<int> slots; // module type per slot, 255 empty
        QList<Binding> bindings;
        bool reachable = true;
    };

    explicit DemoNetwork(NetworkDatabase &db);

    static QString networkName() { return QStringLiteral("Demo"); }
    static QString subsystemPath() { return QStringLiteral("LNS System.Floor 1"); }
    // RX24.xif beside the program.
    static QString defaultInterfaceFile();
    static QList<DeviceSetup> rx24Devices();

    static QString otherDeviceName();

    // The network, subsystem or devices of the demo that the database lacks,
    // as words for the user; empty when the demo is complete.
    QStringList missingParts() const;
    bool exists() const;
    // Adds what is missing, all in one transaction: afterwards the demo is
    // complete, or the database is as before.
    void create(const QString &rx24InterfaceFile);

    // NV types (prime, secondary, output) and secondary priority the plug-in
    // gives an object of this function.
    struct FunctionDefaults
    {
        int primeType, secType, outputType, priority;
    };
    static FunctionDefaults defaultsFor(int fptKey);

private:
    void configure(const LnsRef<LnsAppDevice> &device, const DeviceSetup &setup);

    NetworkDatabase &m_db;
};
