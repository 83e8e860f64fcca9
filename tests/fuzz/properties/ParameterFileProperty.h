#pragma once

#include <QByteArrayView>

// Loads arbitrary bytes as a parameter file into a collection of every kind.
// The first byte chooses whether the bytes are the whole file or only the
// [Settings] lines behind a valid header, so the fuzzer reaches the values
// without having to find the header first.
//
// Holds when: a refused file changes nothing, and whatever was loaded saves
// to a file that loads back completely with the same values.
class ParameterFileProperty
{
public:
    static void check(QByteArrayView input);
};
