#pragma once

#include <QByteArrayView>

// Reads arbitrary bytes as a parameter file and puts the set on an RX24 of
// a real network database, as the window's Load and Apply do.
//
// Holds when: a refused file changes nothing in the model; a file that loads
// gives a set that fails the check (nothing written) or is written and reads
// back from the device as it was taken. The device gets its factory set back
// after each input.
class ConfigurationSetProperty
{
public:
    static void check(QByteArrayView input);
};
