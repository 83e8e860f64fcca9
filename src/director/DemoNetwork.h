#pragma once

#include "platform/lns/LnsAppDevice.h"
#include "template/cRX24.h"

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

    // templateFile: the device template whose defaults the configured
    // objects get.
    explicit DemoNetwork(NetworkDatabase &db, const QString &templateFile = defaultTemplateFile());

    static QString networkName() { return QStringLiteral("Demo"); }
    static QString subsystemPath() { return QStringLiteral("LNS System.Floor 1"); }
    // RX24.xif in the program's data folder (beside it, or installed).
    static QString defaultInterfaceFile();
    // RX24.ini in the program's data folder.
    static QString defaultTemplateFile();
    static QList<DeviceSetup> rx24Devices();

    static QString otherDeviceName();

    // The network, subsystem or devices of the demo that the database lacks,
    // as words for the user; empty when the demo is complete.
    QStringList missingParts() const;
    bool exists() const;
    // Adds what is missing, all in one transaction: afterwards the demo is
    // complete, or the database is as before.
    void create(const QString &rx24InterfaceFile);

    // Stores the slots and bindings of setup in the device as the plug-in
    // writes a new function: the binding, the object's name, the switch
    // events, the template's NV types and priority, the timing, range and
    // HVAC defaults. Reachability is not touched.
    void configure(const LnsRef<LnsAppDevice> &device, const DeviceSetup &setup) const;

private:
    NetworkDatabase &m_db;
    cRX24 m_template;
};
