#include "host/DeviceConnection.h"

#include "host/AppVersion.h"
#include "host/DatabaseFaultText.h"
#include "host/DeviceAccess.h"
#include "host/DeviceCompleteness.h"
#include "host/LcaPlugIn.h"
#include "host/LnsAncestor.h"
#include "host/MainWindowHost.h"
#include "host/PlugInGlobals.h"
#include "host/ResourceStrings.h"
#include "platform/lns/LnsError.h"
#include "platform/lns/LnsNetwork.h"
#include "platform/netdb/NetworkDatabase.h"
#include "platform/services/LnsSessionHelper.h"
#include "platform/services/MessageBox.h"
#include "platform/services/ObjectNameAnalyzer.h"
#include "platform/services/UtilityComponent.h"

namespace {
// Without InitApp (a director that skipped it) the session helpers are still needed.
LnsSessionHelper &sessionHelper()
{
    static LnsSessionHelper fallback;
    return PlugInGlobals::SessionHelper ? *PlugInGlobals::SessionHelper : fallback;
}

void startMainWindow()
{
    if (PlugInGlobals::MainWindow)
        PlugInGlobals::MainWindow->Start();
}

QString databaseFile(const LnsObjectServer *server)
{
    const auto *database = dynamic_cast<const NetworkDatabase *>(server);
    return database ? database->shownLocation() : QString();
}

// The file or server the failed connect meant, as the error names it.
QString databaseFile(const LnsObjectServer *server, const std::optional<AppError> &error)
{
    if (error && !error->fault().path.isEmpty())
        return error->fault().path;
    return databaseFile(server);
}

// The error behind a failed connect: the helper's own, else the one the
// probe of InitApp met (it then left no object server to connect).
std::optional<AppError> connectError(const LnsSessionHelper &helper)
{
    if (helper.lastError())
        return helper.lastError();
    return PlugInGlobals::ObjectServerError;
}

QString numberOf(const std::optional<AppError> &error)
{
    return error ? QString::number(error->number()) : QStringLiteral("-");
}

QString causeOf(const std::optional<AppError> &error)
{
    return error ? DatabaseFaultText::of(*error) : QStringLiteral("no object server");
}

// Why the network named could not be opened, in the user's language.
QString networkCause(const std::optional<AppError> &error)
{
    if (error && error->number() == LnsErrorCode::NotFound)
        return ResourceStrings::LoadResString(1728);
    return causeOf(error);
}

// What keeps the device from being configured; empty when nothing does.
QString deviceLack(const LnsAppDevice &device)
{
    const UtilityComponent *description = PlugInGlobals::Utility.get();
    const QString lack = description ? DeviceCompleteness::missing(device, *description) : QString();
    return lack.isEmpty() ? QString() : ResourceStrings::LoadResString(1723, 1, {device.name(), lack});
}
} // namespace

int DeviceConnection::OfferedTabsMask(int commandIndex)
{
    switch (commandIndex) {
    case 1:
        return DeviceAccess::DeviceIsAccessible(nullptr, false) ? 0 : Monitoring | Controlling | Calibration;
    case 2:
        return Configuration | ObjectConfiguration | Monitoring | Controlling;
    case 3:
        return Configuration | ObjectConfiguration | Controlling | Calibration;
    case 4:
        return Configuration | ObjectConfiguration | Monitoring | Calibration;
    case 100:
        return Monitoring | Controlling | Calibration;
    default:
        return 0;
    }
}

void DeviceConnection::stop()
{
    PlugInGlobals::TerminateRequested = true;
    LcaPlugIn::EndApp();
}

void DeviceConnection::refuseDevice(const QString &cause)
{
    using namespace PlugInGlobals;
    if (!cause.isEmpty())
        ReportCause(cause);
    SetStatusText(ResourceStrings::LoadResString(1507));
    sessionHelper().close(Session);
    MessageBox::show(ResourceStrings::LoadResString(1437), WindowTitle(), MessageBox::Icon::Critical);
    HideStatus();
    stop();
}

void DeviceConnection::Start(const QString &objectName, int connectMode)
{
    using namespace PlugInGlobals;
    LnsSessionHelper &helper = sessionHelper();

    ShowStatus();
    ClearStatus();
    SetStatusText(ResourceStrings::LoadResString(1504, 2));

    const ObjectNameParts parts = ObjectNameAnalyzer::analyze(objectName);
    DeviceName = parts.deviceName;
    // The window configures one device; a network or subsystem alone would
    // open it empty.
    if (DeviceName.isEmpty()) {
        refuseDevice(ResourceStrings::LoadResString(1722, 1, {objectName}));
        return;
    }

    if (!helper.connect(Session, ObjectServer, connectMode)) {
        const std::optional<AppError> error = connectError(helper);
        ReportCause(ResourceStrings::LoadResString(
            1701, 1,
            {databaseFile(ObjectServer ? ObjectServer : OwnedObjectServer.get(), error), causeOf(error),
             numberOf(error)}));
        MessageBox::show(ResourceStrings::LoadResString(1508, 1, {AppVersion::ProductName()}), WindowTitle(),
                         MessageBox::Icon::Exclamation);
        stop();
        return;
    }

    if (!helper.openNetwork(Session, parts.networkName, Remote)) {
        ReportCause(
            ResourceStrings::LoadResString(1702, 1,
                                           {parts.networkName, databaseFile(ObjectServer),
                                            networkCause(helper.lastError()), numberOf(helper.lastError())}));
        MessageBox::show(ResourceStrings::LoadResString(1436), WindowTitle(), MessageBox::Icon::Critical);
        HideStatus();
        stop();
        return;
    }

    try {
        helper.openSystem(Session, parts.systemPart);
    } catch (const LnsError &error) {
        if (error.number() != LnsErrorCode::NotFound)
            throw;
        // Opening some other subsystem instead would act on the wrong devices.
        refuseDevice(ResourceStrings::LoadResString(1704, 1, {objectName, error.description()}));
        return;
    }

    // A level behind the device (a LonMark object, or a device name cut at a
    // "/") names something this start cannot open: never the device in front of it.
    if (!parts.remainder.isEmpty()) {
        refuseDevice(ResourceStrings::LoadResString(1703, 1, {objectName, parts.remainder}));
        return;
    }

    const bool found = Utility && Utility->findDevice(Session.appDevices, DeviceName, Session.device);
    if (!found) {
        refuseDevice();
        return;
    }
    const QString lack = deviceLack(*Session.device);
    if (!lack.isEmpty()) {
        refuseDevice(lack);
        return;
    }

    SetStatusText(ResourceStrings::LoadResString(1501, 3));
    Session.lonMarkObjects = Session.device->lonMarkObjects();

    if (CommandIndex != 1 && !DeviceAccess::DeviceIsAccessible(Session.device, true)) {
        MessageBox::show(ResourceStrings::LoadResString(1491), WindowTitle(), MessageBox::Icon::Exclamation);
        stop();
        return;
    }

    if (MainWindow) {
        MainWindow->PrepareMenu(CommandIndex);
        MainWindow->SetOfferedTabs(OfferedTabsMask(CommandIndex));
    }
    startMainWindow();
}

void DeviceConnection::StartFromLnsObject()
{
    using namespace PlugInGlobals;
    const LnsRef<LnsLonMarkObject> lonMarkObject = Session.lonMarkObject;
    Session.device = LnsAncestor::findAs<LnsAppDevice>(lonMarkObject, LnsClassId::AppDevice);
    // The handed object's device passes the same check as a device looked up by name.
    const QString programId = Session.device ? Session.device->programId() : QString();
    if (!Utility || !Utility->servesProgramId(programId)) {
        refuseDevice(ResourceStrings::LoadResString(
            1705, 1, {Session.device ? Session.device->name() : QString(), programId}));
        return;
    }
    const QString lack = deviceLack(*Session.device);
    if (!lack.isEmpty()) {
        refuseDevice(lack);
        return;
    }
    if (Session.device) {
        try {
            Session.lonMarkObjects = Session.device->lonMarkObjects();
        } catch (const std::exception &) {
        }
    }
    Session.network = LnsAncestor::findAs<LnsNetwork>(Session.device, LnsClassId::Network);
    if (Session.network) {
        Session.system = Session.network->system();
        // The device collection is that of the subsystem holding the device.
        if (const auto holder = LnsAncestor::findAs<LnsSubsystem>(Session.device, LnsClassId::Subsystem))
            Session.appDevices = holder->appDevices();
    }
    startMainWindow();
}
