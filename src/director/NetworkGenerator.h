#pragma once

#include <QString>

class NetworkDatabase;

// A large network for benchmarks and for trying the plug-in on a big project:
// RX24 controllers in the configured states of the demo, spread over nested
// subsystems ("<system>.Building b.Floor f"), with a few unreachable ones and
// a few devices of another kind among them. Reachability follows the device's
// number, not the demo's setup. Built in one transaction: the whole network
// is there afterwards, or nothing.
class NetworkGenerator
{
public:
    struct Options
    {
        QString network;
        int devices = 0;
        int subsystems = 0;    // 0: one for every 50 devices
        QString interfaceFile; // empty: RX24.xif beside the program
        QString templateFile;  // empty: RX24.ini beside the program
    };
    struct Summary
    {
        int rx24 = 0;
        int otherKind = 0;
        int unreachable = 0;
        int subsystems = 0;
        qint64 milliseconds = 0;
    };

    // Every this many devices one is unreachable, and one is of another kind.
    static constexpr int UnreachableEvery = 50;
    static constexpr int OtherKindEvery = 25;
    static constexpr int DevicesPerSubsystem = 50;

    static QString systemName() { return QStringLiteral("LNS System"); }
    // The path of subsystem k (from 0) of a generated network.
    static QString subsystemPath(int k);
    static int defaultSubsystems(int devices)
    {
        return (devices + DevicesPerSubsystem - 1) / DevicesPerSubsystem;
    }
    // The subsystem of device i (from 0): devices fill the subsystems in
    // turn, a block each.
    static QString devicePath(int i, int devices, int subsystems)
    {
        return subsystemPath(static_cast<int>(qint64(i) * subsystems / devices));
    }
    // The name of device i (from 0) of a generated network.
    static QString deviceName(int i);
    static bool isOtherKind(int i) { return i % OtherKindEvery == OtherKindEvery / 2; }
    static bool isUnreachable(int i) { return !isOtherKind(i) && i % UnreachableEvery == 7; }

    explicit NetworkGenerator(NetworkDatabase &db);

    // Raises InvalidArgument for a network that exists already.
    Summary generate(const Options &options);

private:
    NetworkDatabase &m_db;
};
