#include "model/cActModules.h"

#include "host/PlugInGlobals.h"
#include "model/cActChannel.h"
#include "model/cActModule.h"
#include "model/cLmo.h"
#include "model/cLmos.h"
#include "params/cParam1Byte.h"
#include "params/cParam2Byte.h"
#include "platform/AppError.h"
#include "widgets/ctlChannel.h"

#include <algorithm>

cActModules::cActModules(ModelContext &context) : m_context(context) {}

cActModules::~cActModules() = default;

cActModule *cActModules::Add(qint32 moduleType)
{
    auto module = std::make_unique<cActModule>(m_context);
    module->setModuleNumber(static_cast<quint8>(m_modules.size() + 1));
    m_modules.push_back(std::move(module));
    cActModule *added = m_modules.back().get();
    added->setModuleType(moduleType);
    return added;
}

cActModule *cActModules::Item(int index) const
{
    if (index < 1 || index > static_cast<int>(m_modules.size()))
        throw AppError(9, QStringLiteral("cActModules"), QStringLiteral("Subscript out of range"));
    return m_modules.at(static_cast<size_t>(index - 1)).get();
}

void cActModules::Clear()
{
    m_modules.clear();
}

void cActModules::BindObjects(const cLmos &lmos)
{
    // First where each object belongs, then the bindings: whether a function
    // collides with a neighbour must not depend on which object the device
    // numbers first.
    QList<std::pair<cLmo *, cActChannel *>> claims;
    const auto claimed = [&claims](const cActChannel *channel) {
        return std::any_of(claims.cbegin(), claims.cend(),
                           [channel](const auto &claim) { return claim.second == channel; });
    };
    for (const auto &lmo : lmos.Items()) {
        if (!lmo->ObjectConfigurationIsValid()) {
            // An unused object says so with 65535; anything else the model
            // does not know is named, since the device holds it.
            const int fpt = lmo->FptIndex()->Value();
            if (fpt != 65535 || lmo->ModuleNumber()->Value() != 0)
                PlugInGlobals::Trace(
                    QStringLiteral(
                        "[cActModules] Object %1 (\"%2\") stays unbound: function %3, module type %4, "
                        "slot %5")
                        .arg(QString::number(lmo->Index()), lmo->Name(), QString::number(fpt),
                             QString::number(lmo->ModuleType()->Value()),
                             QString::number(lmo->ModuleNumber()->Value())));
            continue;
        }
        const int slot = lmo->ModuleNumber()->Value();
        const int type = lmo->ModuleType()->Value();
        const int channelNo = lmo->ModuleChannel()->Value();
        const auto unbound = [&](const QString &why) {
            PlugInGlobals::Trace(QStringLiteral("[cActModules] Object %1 (\"%2\") stays unbound: %3")
                                     .arg(lmo->Index())
                                     .arg(lmo->Name(), why));
        };
        if (slot < 1 || slot > Count()) {
            unbound(QStringLiteral("it names module slot %1").arg(slot));
            continue;
        }
        cActModule *module = Item(slot);
        if (module->ModuleType() != type) {
            unbound(QStringLiteral("it names module type %1 in slot %2, which holds module type %3")
                        .arg(type)
                        .arg(slot)
                        .arg(module->ModuleType()));
            continue;
        }
        cActChannel *channel = module->FindChannel(channelNo);
        if (!channel) {
            unbound(QStringLiteral("it names channel %1 of slot %2, which has %3 channels")
                        .arg(channelNo)
                        .arg(slot)
                        .arg(module->ChannelCount()));
            continue;
        }
        if (claimed(channel)) {
            // Two objects cannot share one channel; the first keeps it.
            unbound(QStringLiteral("channel %1 of slot %2 holds an earlier object").arg(channelNo).arg(slot));
            continue;
        }
        claims.append({lmo.get(), channel});
    }
    for (const auto &[lmo, channel] : claims) {
        bool neighboursFree = true;
        const int n = channel->UsedChannelsOf(*lmo);
        for (int k = 1; k < n && neighboursFree; ++k) {
            const cActChannel *next = channel->Module().FindChannel(channel->ChannelNo() + k);
            neighboursFree = !next || !claimed(next);
        }
        channel->BindReadObject(lmo, neighboursFree);
    }
}
