#pragma once

#include <QByteArrayView>

// Feeds arbitrary text to the RAW parsers: TextUtility's conversions and a
// config property reading a CP whose element texts are the input, with
// parameters of every raw kind reading their fields from it.
//
// Input: byte 0 the element length (1 .. 16), byte 1 the number of elements
// (1 .. 4) and positions of the parameters, the rest Latin-1 text whose
// elements are separated by "|".
//
// Holds when: the parsers agree with each other; bytes formatted as RAW text
// parse back to themselves; what the config property writes is RAW text of
// exactly its bytes.
class RawTextProperty
{
public:
    static void check(QByteArrayView input);
};
