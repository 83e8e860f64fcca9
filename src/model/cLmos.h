#pragma once

#include "model/ModelContext.h"
#include "platform/lns/LnsLonMarkObject.h"

#include <memory>
#include <vector>

class cLmo;

// The channel LonMark objects of the device, in the order of the device's
// object collection. An object's Index is its key suffix: object i stands for
// collection position i + 1, also when an object in front of it is no channel
// object and was left out, so Item looks objects up by Index.
class cLmos
{
public:
    explicit cLmos(ModelContext &context);
    ~cLmos();

    // A wrapper for object with Index = Count + 1 (or the given index) and
    // the object's name.
    cLmo *Add(const LnsRef<LnsLonMarkObject> &object);
    cLmo *Add(const LnsRef<LnsLonMarkObject> &object, int index);
    // Every object of the collection from position 2 on whose functional
    // profile key is 24000, with Index = position - 1.
    void AddChannelObjects(const LnsCollectionRef<LnsLonMarkObject> &objects);

    // By Index; AppError 9 for an index no object has.
    cLmo *Item(int index) const;
    cLmo *Find(int index) const;
    int Count() const { return static_cast<int>(m_lmos.size()); }
    // In Index order.
    const std::vector<std::unique_ptr<cLmo>> &Items() const { return m_lmos; }
    void Clear();

private:
    ModelContext &m_context;
    std::vector<std::unique_ptr<cLmo>> m_lmos;
};
