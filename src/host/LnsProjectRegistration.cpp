#include "host/LnsProjectRegistration.h"

#include "host/AppVersion.h"
#include "host/PlugInGlobals.h"
#include "host/RegResultReceiver.h"
#include "host/ResourceStrings.h"
#include "platform/services/LnsSessionHelper.h"
#include "platform/services/MessageBox.h"
#include "platform/services/ObjectNameAnalyzer.h"
#include "platform/services/UtilityComponent.h"

namespace {
LnsSessionHelper &sessionHelper()
{
    static LnsSessionHelper fallback;
    return PlugInGlobals::SessionHelper ? *PlugInGlobals::SessionHelper : fallback;
}

// Name and documentation file of an entry: a template without them is not
// fully described and is left out.
bool isComplete(const UtilityComponent::DeviceEntry &entry)
{
    return !entry.name.isEmpty() && !entry.documentationFile.isEmpty();
}
} // namespace

bool LnsProjectRegistration::RegisterTemplates(const LnsRef<LnsNetwork> &network,
                                               const QString &programIdFilter)
{
    using namespace PlugInGlobals;
    if (!Utility || !network)
        return false;
    bool success = true;
    LnsSessionHelper &helper = sessionHelper();
    for (int position = 1;; ++position) {
        const UtilityComponent::DeviceEntry entry = Utility->deviceEntry(position);
        if (entry.isEmpty())
            break;
        if (!programIdFilter.isEmpty() && !programIdFilter.contains(entry.programId, Qt::CaseInsensitive))
            continue;
        if (!isComplete(entry))
            continue;
        for (const PlugInCommand &command : Commands) {
            if (!command.Enabled)
                continue;
            LnsPluginRegistration registration;
            registration.programId = entry.programId;
            registration.objectType = command.ObjectType;
            registration.name = command.Name;
            registration.commandId = command.CommandId;
            registration.classId = command.ClassId;
            registration.description = command.Description;
            registration.projectName = AppVersion::ProjectName();
            registration.className = AppVersion::ClassName();
            registration.version = AppVersion::versionText();
            registration.manufacturerId = AppVersion::ManufacturerId();
            if (!helper.registerCommand(network, registration))
                success = false;
        }
    }
    return success;
}

bool LnsProjectRegistration::Register(const QString &objectName, int connectMode)
{
    using namespace PlugInGlobals;
    LnsSessionHelper &helper = sessionHelper();

    ClearStatus();
    SetStatusText(ResourceStrings::LoadResString(1513));
    if (!RegResult)
        ShowStatus();

    const ObjectNameParts parts = ObjectNameAnalyzer::analyze(objectName);
    bool success = helper.connect(Session, ObjectServer, connectMode) &&
                   helper.openNetwork(Session, parts.networkName, Remote);
    if (success)
        success = RegisterTemplates(Session.network, ProgramIdsToRegister);

    if (RegResult) {
        RegResult->setRegResult(resultValue(success));
    } else {
        HideStatus();
        MessageBox::show(ResourceStrings::LoadResString(1435, success ? 1 : 2, {parts.networkName}),
                         AppVersion::ProductName(),
                         success ? MessageBox::Icon::Information : MessageBox::Icon::Exclamation);
    }
    return success;
}
