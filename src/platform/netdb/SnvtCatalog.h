#pragma once

#include <QString>
#include <QStringList>

// What the network database knows of the standard network variable types: the
// name, the names of the fields of structured types and the value a freshly
// typed NV starts with. Types not listed have no fields and start with "0".
class SnvtCatalog
{
public:
    static bool isKnown(int typeId);
    static QString name(int typeId);             // "SNVT_switch"; "SNVT #<id>" for unknown types
    static QStringList elementNames(int typeId); // empty for scalar and unknown types
    static QString defaultValue(int typeId);
    // Whether text is a value of the type as the NV's value text holds it:
    // one field per element, separated by single blanks; numbers where the
    // type has numbers, names (or their numbers) where it has enumerations,
    // binary digits for a bit set. Any text but an empty one fits an unknown type.
    static bool fits(int typeId, const QString &text);
    // Whether text fits the element at index (from 0) of a structured type.
    static bool elementFits(int typeId, int index, const QString &text);
};
