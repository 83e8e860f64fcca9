#pragma once

#include "model/ModelContext.h"

#include <QString>
#include <memory>
#include <vector>

class cActChannel;

// The module in one slot: its type and one channel per channel of the type.
class cActModule
{
public:
    explicit cActModule(ModelContext &context);
    ~cActModule();

    quint8 ModuleNumber() const { return m_moduleNumber; }
    void setModuleNumber(quint8 number) { m_moduleNumber = number; }
    qint32 ModuleType() const { return m_moduleType; }
    // Lets every channel's object go (it is marked unused), removes the rows
    // and creates the channels of the new type with their rows.
    void setModuleType(qint32 moduleType);

    // What the template says of the type; 0 for a type it does not know.
    quint8 ActChannelCount() const;
    quint8 ActTerminalsPerChannel() const;
    int ActTerminalCount() const;

    quint8 ChannelCount() const { return static_cast<quint8>(m_channels.size()); }
    // From 1; AppError 9 outside.
    cActChannel *ChannelByIndex(int index) const;
    // Null outside 1 .. ChannelCount.
    cActChannel *FindChannel(int index) const;

    // The module type's name (resource 1040): "not used" for -1 and 255,
    // empty for a code that is no module type.
    static QString ModuleTypeName(qint32 moduleType);

private:
    void removeChannels();

    ModelContext &m_context;
    quint8 m_moduleNumber = 0;
    qint32 m_moduleType = -1;
    std::vector<std::unique_ptr<cActChannel>> m_channels;
};
