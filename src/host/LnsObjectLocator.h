#pragma once

#include "platform/lns/LnsObject.h"

#include <QString>

class LnsObjectServer;

// Finds the object of the network database that a director names in text,
// for the object it hands over to the automation object.
//
// The name is the device's LNS object name, optionally followed by one more
// level for one of its LonMark objects, by name or by position after "#":
//
//     Demo\LNS System.Floor 1\RX24 Full              the device
//     Demo\LNS System.Floor 1\RX24 Full\Channel1     its LonMark object "Channel1"
//     Demo\LNS System.Floor 1\RX24 Full\#2           its second LonMark object
//
// A name that stops above the device gives the network.
class LnsObjectLocator
{
public:
    // Connects the object server with connectMode when it is not connected
    // yet. Raises the object server's error when a level does not exist.
    static LnsRef<LnsObject> find(LnsObjectServer &server, const QString &objectName, int connectMode,
                                  bool remote);
};
