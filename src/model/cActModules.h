#pragma once

#include "model/ModelContext.h"

#include <memory>
#include <vector>

class cActModule;
class cLmos;

// The modules of the eight slots, numbered from 1 in the order they were added.
class cActModules
{
public:
    explicit cActModules(ModelContext &context);
    ~cActModules();

    // A new module for the next slot, with its channels and their rows.
    cActModule *Add(qint32 moduleType);
    // From 1; AppError 9 outside.
    cActModule *Item(int index) const;
    quint8 Count() const { return static_cast<quint8>(m_modules.size()); }
    void Clear();

    // The binding stored in the objects' CPs, as the device was read: each
    // object whose configuration is valid goes to channel ModuleChannel of
    // slot ModuleNumber when that slot holds the module type the object
    // names. An object naming another module type, a slot or a channel that
    // is not there, or a channel an earlier object names, stays unbound; the
    // log says why. An object whose function needs further channels that
    // other objects name is bound and shown invalid.
    void BindObjects(const cLmos &lmos);

private:
    ModelContext &m_context;
    std::vector<std::unique_ptr<cActModule>> m_modules;
};
