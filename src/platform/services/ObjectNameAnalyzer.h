#pragma once

#include <QString>

// The parts of an LNS object name as a director hands it over.
struct ObjectNameParts
{
    QString networkName;   // 1: the network (project) name
    QString networkPart;   // 2: the network level as written, with its separator ("Building A\")
    QString systemPart;    // 3: system and subsystems joined by "." ("LNS System.Floor 1.Room 12")
    QString deviceName;    // 4: the device; empty when the name stops at the subsystem
    QString subsystemName; // 5: the deepest subsystem named ("Room 12"); empty for the system alone
    QString remainder;     // 6: levels behind the device (a LonMark object, ...), as written
};

// Splits an LNS object name.
//
// The form is network, system part and device, one level after the other:
//
//     network/system.subsystem[.subsystem...]/device
//
// Because "/" starts an option on the command line, "\" separates levels as
// well, and both are accepted everywhere, also mixed:
//
//     Building A\LNS System.Floor 1.Room 12\RX24 Room 12
//
// gives the network "Building A", the system part "LNS System.Floor 1.Room 12"
// and the device "RX24 Room 12". Names may hold blanks; blanks around a level
// and empty levels (doubled, leading or trailing separators) are dropped, and
// one pair of enclosing double quotes is removed. Without a device level the
// device name is empty (the command then applies to the subsystem).
class ObjectNameAnalyzer
{
public:
    static ObjectNameParts analyze(const QString &objectName);
};
