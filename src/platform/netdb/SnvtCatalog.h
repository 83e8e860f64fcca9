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
};
