#pragma once

#include "platform/lns/LnsObject.h"

// Walks up an object's parents to the nearest one of a class (the device of a
// LonMark object, the network of a device). Errors on the way end the walk.
class LnsAncestor
{
public:
    // The nearest ancestor (not the object itself) whose class id is classId;
    // null when the chain ends or cannot be read.
    static std::shared_ptr<LnsObject> find(const std::shared_ptr<LnsObject> &object, int classId);

    template <class T> static std::shared_ptr<T> findAs(const std::shared_ptr<LnsObject> &object, int classId)
    {
        return std::dynamic_pointer_cast<T>(find(object, classId));
    }
};
