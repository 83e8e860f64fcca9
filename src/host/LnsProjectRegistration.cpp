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

LnsProjectRegistration::Outcome LnsProjectRegistration::RegisterTemplates(const LnsRef<LnsNetwork> &network,
                                                                          const QString &programIdFilter)
{
    using namespace PlugInGlobals;
    Outcome outcome;
    if (!Utility || !network) {
        outcome.failure = QStringLiteral("No network is open.");
        return outcome;
    }
    LnsSessionHelper &helper = sessionHelper();
    QStringList refused;
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
            if (helper.registerCommand(network, registration))
                ++outcome.registered;
            else
                refused << QStringLiteral("%1 (command %2)")
                               .arg(entry.programId, QString::number(command.CommandId));
        }
    }
    if (!refused.isEmpty())
        outcome.failure = QStringLiteral("The network refused the registration of %1.")
                              .arg(refused.join(QStringLiteral(", ")));
    else if (outcome.registered == 0 && !programIdFilter.isEmpty())
        outcome.failure =
            QStringLiteral("No device template of the plug-in has one of the program ids \"%1\".")
                .arg(programIdFilter);
    else if (outcome.registered == 0)
        outcome.failure = QStringLiteral("The plug-in description file lists no complete device template.");
    return outcome;
}

bool LnsProjectRegistration::Register(const QString &objectName, int connectMode)
{
    using namespace PlugInGlobals;
    ClearStatus();
    SetStatusText(ResourceStrings::LoadResString(1513));
    if (!RegResult)
        ShowStatus();
    return RegisterInNetwork(objectName, connectMode, ProgramIdsToRegister);
}

bool LnsProjectRegistration::RegisterInNetwork(const QString &objectName, int connectMode,
                                               const QString &programIdFilter)
{
    using namespace PlugInGlobals;
    LnsSessionHelper &helper = sessionHelper();

    const ObjectNameParts parts = ObjectNameAnalyzer::analyze(objectName);
    Outcome outcome;
    if (parts.networkName.isEmpty()) {
        outcome.failure = QStringLiteral("The object name \"%1\" names no network.").arg(objectName);
    } else if (!helper.connect(Session, ObjectServer, connectMode)) {
        const std::optional<AppError> error = helper.lastError() ? helper.lastError() : ObjectServerError;
        outcome.failure = QStringLiteral("The LNS server cannot be opened: %1")
                              .arg(error ? error->description() : QStringLiteral("no object server"));
    } else if (!helper.openNetwork(Session, parts.networkName, Remote)) {
        outcome.failure = QStringLiteral("The network \"%1\" cannot be opened: %2")
                              .arg(parts.networkName, helper.lastError() ? helper.lastError()->description()
                                                                         : QStringLiteral("no such network"));
    } else {
        outcome = RegisterTemplates(Session.network, programIdFilter);
    }
    const bool success = outcome.success();
    if (success) {
        Trace(QStringLiteral("Registered %1 plug-in command(s) in network \"%2\".")
                  .arg(QString::number(outcome.registered), parts.networkName));
    } else {
        ReportCause(QStringLiteral("Registration in network \"%1\" failed: %2")
                        .arg(parts.networkName, outcome.failure));
        // The run ends as a failed start, so that a director or script can tell.
        TerminateRequested = true;
    }

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
