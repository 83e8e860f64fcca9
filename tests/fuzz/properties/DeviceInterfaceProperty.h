#pragma once

#include <QByteArrayView>

// Reads arbitrary bytes as a device interface file, as `lnsdb add-device`
// does, and adds what was accepted to a network database.
//
// Holds when: a refused file raises InvalidArgument naming the file and one
// of its lines; an accepted one has the shape the database relies on (every
// CP holds length x dim bytes, every NV type is among its allowed types, a
// CP of an NV names an NV of its object) and reads back from the database
// as the file gave it; a device the database refuses leaves nothing behind.
class DeviceInterfaceProperty
{
public:
    static void check(QByteArrayView input);
};
