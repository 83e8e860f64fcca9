#include "host/DeviceConnection.h"

#include "host/AppVersion.h"
#include "host/DeviceAccess.h"
#include "host/LcaPlugIn.h"
#include "host/LnsAncestor.h"
#include "host/MainWindowHost.h"
#include "host/PlugInGlobals.h"
#include "host/ResourceStrings.h"
#include "platform/lns/LnsNetwork.h"
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

void DeviceConnection::Start(const QString &objectName, int connectMode)
{
    using namespace PlugInGlobals;
    LnsSessionHelper &helper = sessionHelper();

    ShowStatus();
    ClearStatus();
    SetStatusText(ResourceStrings::LoadResString(1504, 2));

    const ObjectNameParts parts = ObjectNameAnalyzer::analyze(objectName);
    DeviceName = parts.deviceName;

    if (!helper.connect(Session, ObjectServer, connectMode)) {
        MessageBox::show(ResourceStrings::LoadResString(1508, 1, {AppVersion::ProductName()}), WindowTitle(),
                         MessageBox::Icon::Exclamation);
        stop();
        return;
    }

    if (!helper.openNetwork(Session, parts.networkName, Remote)) {
        MessageBox::show(ResourceStrings::LoadResString(1436), WindowTitle(), MessageBox::Icon::Critical);
        HideStatus();
        stop();
        return;
    }

    helper.openSystem(Session, parts.systemPart);

    if (!DeviceName.isEmpty()) {
        const bool found = Utility && Utility->findDevice(Session.appDevices, DeviceName, Session.device);
        if (!found) {
            SetStatusText(ResourceStrings::LoadResString(1507));
            helper.close(Session);
            MessageBox::show(ResourceStrings::LoadResString(1437), WindowTitle(), MessageBox::Icon::Critical);
            HideStatus();
            stop();
            return;
        }

        SetStatusText(ResourceStrings::LoadResString(1501, 3));
        Session.lonMarkObjects = Session.device->lonMarkObjects();

        if (CommandIndex != 1 && !DeviceAccess::DeviceIsAccessible(Session.device, true)) {
            MessageBox::show(ResourceStrings::LoadResString(1491), WindowTitle(),
                             MessageBox::Icon::Exclamation);
            stop();
            return;
        }
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
