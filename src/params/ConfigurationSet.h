#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

class cParams;

// One device's whole configuration as a value: every parameter in the
// parameter file's notation ("21400", "1,44"), the bytes of each whole CP
// (the scene tables), and, per channel object, its NV types and its name.
// The window, the parameter file and the copy all produce and consume it,
// so a set reaches a device the same way whichever road it took.
//
// A set read from a parameter file has values only: the file holds neither
// NV types nor names, and whoever puts it on a device derives those there.
class ConfigurationSet
{
public:
    struct NvTypes
    {
        int prime = 0;
        int sec = 0;
        int out = 0;
        bool operator==(const NvTypes &) const = default;
    };

    QString programId;
    // Parameter name ("FptIndex_3", "DeviceModules_1") to its value text.
    QMap<QString, QString> values;
    // Whole CPs ("Scenes_3") to their bytes.
    QMap<QString, QList<int>> wholeCps;
    // Channel object number to its NV types, and to its name.
    QMap<int, NvTypes> nvTypes;
    QMap<int, QString> names;

    bool hasValue(const QString &name) const { return values.contains(name); }

    // Every parameter, whole CP and NV type of the collection's device.
    static ConfigurationSet fromParams(cParams &params);
    // Sets every parameter and whole CP the set holds; the others keep
    // their values. The values are not checked again: a set from a file was
    // checked whole when it was read, one from a device holds what its
    // parameters read.
    void putInto(cParams &params) const;

    // What differs from other, one line a difference ("FptIndex_3: 83,152 ->
    // 87,144"); names only when withNames; whole CPs and NV types only when
    // both sets hold them, NV types only of objects that have a function.
    // Empty: equal.
    QStringList differences(const ConfigurationSet &other, bool withNames = false) const;
    // The whole set as one text (JSON, keys in a fixed order), as a device's
    // history stores it; the same set always gives the same text.
    QString toText() const;
    // False, and set untouched, for a text toText did not make.
    static bool fromText(const QString &text, ConfigurationSet &set);

    bool equals(const ConfigurationSet &other, bool withNames = false) const
    {
        return differences(other, withNames).isEmpty();
    }
};
