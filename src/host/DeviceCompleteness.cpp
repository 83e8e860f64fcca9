#include "host/DeviceCompleteness.h"

#include "host/ResourceStrings.h"
#include "platform/lns/LnsAppDevice.h"
#include "platform/lns/LnsConfigProperty.h"
#include "platform/services/UtilityComponent.h"

namespace {
const QString ModuleSlots = QStringLiteral("DeviceModules");
} // namespace

QString DeviceCompleteness::missing(const LnsAppDevice &device, const UtilityComponent &description)
{
    const auto objects = device.lonMarkObjects();
    const int count = objects ? objects->count() : 0;
    // Position 1 is the node object; channel object n follows at n + 1.
    if (count < 1 + ChannelObjects)
        return ResourceStrings::LoadResString(1724, 1,
                                              {QString::number(count), QString::number(ChannelObjects)});
    for (int position = 2; position <= 1 + ChannelObjects; ++position) {
        const int key = objects->item(position)->functionalProfileKey();
        if (key != ChannelProfileKey)
            return ResourceStrings::LoadResString(
                1724, 2,
                {QString::number(position), QString::number(key), QString::number(ChannelProfileKey)});
    }
    const int cpIndex = description.read(UtilityComponent::cpSection(), ModuleSlots, 1).toInt();
    const int objectIndex = description.read(UtilityComponent::cpSection(), ModuleSlots, 2).toInt();
    const auto cps =
        objectIndex > 0 ? objects->item(objectIndex)->configProperties() : device.configProperties();
    if (cpIndex < 1 || !cps || cps->count() < cpIndex)
        return ResourceStrings::LoadResString(1724, 3, {ModuleSlots, QString::number(cpIndex)});
    return QString();
}
