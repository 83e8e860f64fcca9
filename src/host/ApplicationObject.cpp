#include "host/ApplicationObject.h"

#include "host/AppVersion.h"
#include "host/CommandValidator.h"
#include "host/DirectorEntry.h"
#include "host/LcaPlugIn.h"
#include "host/LnsObjectLocator.h"
#include "host/MainWindowHost.h"
#include "host/PlugInGlobals.h"
#include "host/RegResultReceiver.h"

namespace {
// The main window while its properties may be used; null once the start has failed.
MainWindowHost *window()
{
    if (PlugInGlobals::TerminateRequested)
        return nullptr;
    return PlugInGlobals::MainWindow;
}
} // namespace

ApplicationObject::ApplicationObject()
{
    LcaPlugIn::InitApp();
}

ApplicationObject::~ApplicationObject()
{
    if (m_regResult && PlugInGlobals::RegResult == m_regResult.get())
        DirectorEntry::setRegResult(nullptr);
}

AppError ApplicationObject::ReadOnlyError()
{
    return AppError(ReadOnlyErrorNumber, AppVersion::ProgId(),
                    QStringLiteral("Write not supported. This property is read-only."));
}

void ApplicationObject::refuseWrite()
{
    throw ReadOnlyError();
}

int ApplicationObject::Height() const
{
    return window() ? window()->Height() : 0;
}

void ApplicationObject::setHeight(int height)
{
    if (window())
        window()->setHeight(height);
}

int ApplicationObject::Left() const
{
    return window() ? window()->Left() : 0;
}

void ApplicationObject::setLeft(int left)
{
    if (window())
        window()->setLeft(left);
}

int ApplicationObject::Top() const
{
    return window() ? window()->Top() : 0;
}

void ApplicationObject::setTop(int top)
{
    if (window())
        window()->setTop(top);
}

int ApplicationObject::Width() const
{
    return window() ? window()->Width() : 0;
}

void ApplicationObject::setWidth(int width)
{
    if (window())
        window()->setWidth(width);
}

bool ApplicationObject::Minimized() const
{
    return window() ? window()->Minimized() : false;
}

void ApplicationObject::setMinimized(bool minimized)
{
    if (window())
        window()->setMinimized(minimized);
}

bool ApplicationObject::Visible() const
{
    return window() ? window()->Visible() : false;
}

void ApplicationObject::setVisible(bool visible)
{
    if (window())
        window()->setVisible(visible);
}

QString ApplicationObject::LcaVersion() const
{
    return AppVersion::LcaVersion();
}

QString ApplicationObject::ManufacturerId() const
{
    return AppVersion::ManufacturerId();
}

QString ApplicationObject::ManufacturerName() const
{
    return PlugInGlobals::ManufacturerName;
}

QString ApplicationObject::Name() const
{
    return AppVersion::ProductName();
}

QString ApplicationObject::Version() const
{
    return PlugInGlobals::VersionText;
}

QString ApplicationObject::NetworkInterfaceName() const
{
    return PlugInGlobals::NetworkInterfaceName;
}

void ApplicationObject::setNetworkInterfaceName(const QString &name)
{
    PlugInGlobals::NetworkInterfaceName = name;
}

bool ApplicationObject::Remote() const
{
    return PlugInGlobals::Remote;
}

void ApplicationObject::setRemote(bool remote)
{
    PlugInGlobals::Remote = remote;
}

void ApplicationObject::SendCommand(qint32 commandId, qint16 classId, const QString &objectName)
{
    DirectorEntry::SendCommand(commandId, classId, objectName);
}

void ApplicationObject::setLnsObjectByTool(const QString &objectName)
{
    LnsObjectServer *server = PlugInGlobals::ObjectServer;
    if (!server)
        return;
    const bool wasConnected = server->isConnected();
    LnsRef<LnsObject> object;
    try {
        object = LnsObjectLocator::find(
            *server, objectName,
            CommandValidator::ConnectMode(PlugInGlobals::Remote, PlugInGlobals::NetworkInterfaceName),
            PlugInGlobals::Remote);
    } catch (const std::exception &error) {
        PlugInGlobals::LogError(error, QStringLiteral("M_PlugIn"), QStringLiteral("LnsObjectByTool"));
    }
    const LnsRef<LnsObject> before = DirectorEntry::LnsObjectByTool();
    DirectorEntry::setLnsObjectByTool(object);
    const LnsRef<LnsObject> now = DirectorEntry::LnsObjectByTool();
    if (now && now != before)
        m_lnsObjectName = objectName;
    // A connection opened only to look at an object that was not taken is
    // not left behind: the command's own connection start opens it again.
    if (!now && !wasConnected) {
        try {
            if (server->isConnected())
                server->disconnectServer();
        } catch (const std::exception &) {
        }
    }
}

QString ApplicationObject::LnsObjectByTool() const
{
    const LnsRef<LnsObject> object = DirectorEntry::LnsObjectByTool();
    if (!object)
        return QString();
    if (!m_lnsObjectName.isEmpty())
        return m_lnsObjectName;
    try {
        return object->name();
    } catch (const std::exception &) {
        return QString();
    }
}

void ApplicationObject::setProgramIdsToRegister(const QString &programIds)
{
    DirectorEntry::setProgramIdsToRegister(programIds);
}

void ApplicationObject::setRegResult(std::unique_ptr<RegResultReceiver> receiver)
{
    DirectorEntry::setRegResult(receiver.get());
    m_regResult = std::move(receiver);
}
