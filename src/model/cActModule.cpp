#include "model/cActModule.h"

#include "host/PlugInGlobals.h"
#include "host/ResourceStrings.h"
#include "model/cActChannel.h"
#include "platform/AppError.h"
#include "template/cRX24.h"

#include <array>

namespace {
constexpr int ModuleTypeNamesId = 1040;
// Item of the module type names for the codes 0 .. 20.
constexpr std::array<int, 21> NameItemOfCode = {2,  3,  4,  5,  6,  7,  8, 10, 11, 12, 13,
                                                14, 21, 22, 15, 16, 17, 9, 18, 19, 20};

bool isModuleType(qint32 code)
{
    return code >= 0 && code < static_cast<qint32>(NameItemOfCode.size());
}
} // namespace

cActModule::cActModule(ModelContext &context) : m_context(context) {}

cActModule::~cActModule()
{
    // The rows and the objects' bindings go with the module, but an object
    // is only let go here: the device keeps its CPs until the user changes them.
    for (auto &channel : m_channels)
        channel->RemoveChannelControl();
}

void cActModule::removeChannels()
{
    for (auto &channel : m_channels) {
        channel->setLonmarkObject(nullptr);
        channel->RemoveChannelControl();
    }
    m_channels.clear();
}

void cActModule::setModuleType(qint32 moduleType)
{
    removeChannels();
    m_moduleType = moduleType;
    const quint8 count = ActChannelCount();
    for (int i = 1; i <= count; ++i) {
        auto channel = std::make_unique<cActChannel>(m_context, *this);
        channel->setChannelNo(static_cast<quint8>(i));
        channel->setModuleNumber(m_moduleNumber);
        channel->setModuleType(m_moduleType);
        channel->CreateChannelControl();
        m_channels.push_back(std::move(channel));
    }
}

quint8 cActModule::ActChannelCount() const
{
    if (!isModuleType(m_moduleType) || !m_context.deviceTemplate)
        return 0;
    try {
        return m_context.deviceTemplate->ChannelCountByModuleType(m_moduleType);
    } catch (const AppError &error) {
        PlugInGlobals::LogError(error, QStringLiteral("cActModule"), QStringLiteral("ActChannelCount"));
        return 0;
    }
}

quint8 cActModule::ActTerminalsPerChannel() const
{
    if (!isModuleType(m_moduleType) || !m_context.deviceTemplate)
        return 0;
    try {
        return m_context.deviceTemplate->TerminalsPerChannelByModuleType(m_moduleType);
    } catch (const AppError &error) {
        PlugInGlobals::LogError(error, QStringLiteral("cActModule"),
                                QStringLiteral("ActTerminalsPerChannel"));
        return 0;
    }
}

int cActModule::ActTerminalCount() const
{
    return ActChannelCount() * ActTerminalsPerChannel();
}

cActChannel *cActModule::FindChannel(int index) const
{
    if (index < 1 || index > static_cast<int>(m_channels.size()))
        return nullptr;
    return m_channels.at(static_cast<size_t>(index - 1)).get();
}

cActChannel *cActModule::ChannelByIndex(int index) const
{
    if (cActChannel *channel = FindChannel(index))
        return channel;
    throw AppError(9, QStringLiteral("cActModule"), QStringLiteral("Subscript out of range"));
}

QString cActModule::ModuleTypeName(qint32 moduleType)
{
    if (moduleType == -1 || moduleType == 255)
        return ResourceStrings::LoadResString(ModuleTypeNamesId, 1);
    if (!isModuleType(moduleType))
        return QString();
    return ResourceStrings::LoadResString(ModuleTypeNamesId,
                                          NameItemOfCode.at(static_cast<size_t>(moduleType)));
}
