#pragma once

#include "params/ConfigurationSet.h"

#include <QList>
#include <QString>
#include <optional>

class cRX24;

// The numbers behind a configuration set's value texts, and what they make
// of a channel object: its binding, its function, its output NV type. Reads
// the set alone, so it works on a set from a parameter file as well as on
// one read from a device. A value the set lacks, or one that is no number,
// gives nothing.
class SetValues
{
public:
    static constexpr int Slots = 8;
    static constexpr int EventCount = 8;

    explicit SetValues(const ConfigurationSet &set) : m_set(set) {}

    const ConfigurationSet &set() const { return m_set; }
    bool has(const QString &name) const { return m_set.values.contains(name); }
    QString text(const QString &name) const { return m_set.values.value(name); }

    // The byte of a 1-byte parameter (0 .. 255): "-1" and "255" are the same byte.
    std::optional<int> byte(const QString &name) const;
    // The same byte read signed (-128 .. 127), as the switch events are.
    std::optional<int> signedByte(const QString &name) const;
    // The two bytes of a 2-byte parameter ("83,152") as one number, 0 .. 65535.
    std::optional<int> word(const QString &name) const;

    // The module type in a slot; -1 for an empty slot or none given.
    int slotType(int slot) const;

    struct Binding
    {
        int slot = 0;
        int channel = 0;
        bool bound() const { return slot >= 1 && slot <= Slots && channel >= 1; }
        bool operator==(const Binding &) const = default;
    };
    Binding binding(int object) const;

    // The object's FPT key; unused when the set does not say.
    int fptKey(int object) const;
    // The function as the channel's type list knows it ("21201/3", "21400");
    // empty for an object without a function.
    QString fptString(int object) const;
    // The switch type (0 .. 14) the object's eight events and push-button
    // kind stand for; -1 when an event is missing.
    int switchType(int object) const;
    QList<int> events(int object) const;

    // The type of the object's nvoValue: the one the set holds, else the
    // one its function starts with by the template; 0 when neither is known.
    int outputType(int object, const cRX24 *deviceTemplate) const;

    // "FptIndex" and 3 make "FptIndex_3".
    static QString nameOf(const char *prefix, int object);
    static const char *const EventPrefixes[EventCount];

private:
    std::optional<qint64> number(const QString &name) const;

    const ConfigurationSet &m_set;
};
