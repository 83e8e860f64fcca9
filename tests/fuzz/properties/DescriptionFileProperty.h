#pragma once

#include <QByteArrayView>

// Puts arbitrary bytes in the place of the plug-in description file
// tarvinaRX24.ini and asks what the plug-in asks of it: its device entries,
// compatible program ids and help file, and the positions of the CPs and
// NVs, fetched from an RX24 device of a network database.
//
// Holds when: a file the reader refuses names itself and reads as empty;
// the device entries are numbered without gaps and each is found again by
// its program id; a fetch that is given a success flag never raises and
// sets the flag exactly when it hands out an object, and one without it
// raises AppError only and agrees with it.
class DescriptionFileProperty
{
public:
    static void check(QByteArrayView input);
};
