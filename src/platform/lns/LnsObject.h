#pragma once

#include <QString>
#include <memory>

// Class ids that the object server reports for its objects. Only the first
// three are relied on by the plug-in; the others keep every object distinct.
namespace LnsClassId {
constexpr int Network = 1;
constexpr int AppDevice = 7;
constexpr int LonMarkObject = 28;
constexpr int System = 2;
constexpr int Subsystem = 3;
constexpr int NetworkVariable = 9;
constexpr int ConfigProperty = 40;
constexpr int ObjectServer = 100;
} // namespace LnsClassId

// Every object of the object server: a class id and a parent. Objects are
// handed out as shared references; a reference stays usable while its object
// exists in the network database.
class LnsObject
{
public:
    virtual ~LnsObject() = default;
    virtual int classId() const = 0;
    // The object that holds this one (device of a LonMark object, subsystem of
    // a device, ...); empty for a network.
    virtual std::shared_ptr<LnsObject> parent() const = 0;
    virtual QString name() const = 0;
};

template <class T> using LnsRef = std::shared_ptr<T>;

// A collection of the object server: 1-based Item by index or by name, and
// Count. An index or name that does not exist raises LnsError NotFound.
template <class T> class LnsCollection
{
public:
    virtual ~LnsCollection() = default;
    virtual int count() const = 0;
    virtual LnsRef<T> item(int index) const = 0;
    virtual LnsRef<T> item(const QString &name) const = 0;
};

template <class T> using LnsCollectionRef = std::shared_ptr<LnsCollection<T>>;
