#pragma once

#include "params/ConfigurationSet.h"

#include <QList>
#include <QString>

// One thing that differs between two configuration sets, in the user's words.
struct SetDifferenceRow
{
    // Where, as the window names it: "Device", "Slot 3",
    // "Slot 3 (RP4), channel 2, object 5 \"Light Hall\"", "Object 7".
    QString place;
    // What: "Module type", "Function", "Channel", "NV types", "Name", or the
    // caption of the CP; a parameter nothing names keeps its own name.
    QString item;
    // The values in words with their units ("21.50 °C", the function's
    // name, a list entry's text); "—" where a set holds nothing.
    QString before;
    QString after;
    // The parameter names behind the row ("FptIndex_5, PushEvent1_5"), for
    // scripts. Rows that stand for no parameter of the file use the same
    // pattern: "ProgramId", "Name_5", and the NVs "PrimeValue_5" ...
    QString parameter;

    bool operator==(const SetDifferenceRow &) const = default;
};

// What differs between two configuration sets (two devices, two parameter
// files, or one of each), worded as the window shows a configuration. It
// needs no device: the words come from the sets themselves, the device
// template, the text table and the window's own value helpers.
//
// Values are compared as the bytes they stand for, so "-1" and "255" of the
// same event are equal. A channel object's function is one row whichever of
// the CPs that make it changed (FptIndex, the switch events of a named switch
// type, the actuator or range type); its binding is one row as well.
class SetDifference
{
public:
    // Rows in a stable order: the device, then slot by slot its module type
    // and the objects bound to its channels by channel, then the objects
    // bound nowhere; within an object its parameters in the CP order.
    // Names are compared only when withNames and both sets hold names; NV
    // types and whole CPs only when both sets hold them (a parameter file
    // holds neither), NV types only of objects with a function.
    static QList<SetDifferenceRow> between(const ConfigurationSet &a, const ConfigurationSet &b,
                                           bool withNames = false);
    // One line of at most 100 characters for a history list, led by the
    // first change ("Slot 2: RP4 → JT2; object 3, Function: …; 4 more");
    // empty when there are no rows.
    static QString summary(const QList<SetDifferenceRow> &rows);

    static constexpr int SummaryLength = 100;

    // The history this process reads names each write's changes in these words.
    static void summariseHistory();
};
