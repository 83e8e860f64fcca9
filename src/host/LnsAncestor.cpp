#include "host/LnsAncestor.h"

#include <exception>

std::shared_ptr<LnsObject> LnsAncestor::find(const std::shared_ptr<LnsObject> &object, int classId)
{
    try {
        std::shared_ptr<LnsObject> current = object;
        // A damaged chain must not loop for ever; LNS nests far less deep.
        for (int depth = 0; current && depth < 64; ++depth) {
            current = current->parent();
            if (current && current->classId() == classId)
                return current;
        }
    } catch (const std::exception &) {
    }
    return nullptr;
}
