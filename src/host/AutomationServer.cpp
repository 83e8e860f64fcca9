#include "host/AutomationServer.h"

#include "host/AppVersion.h"
#include "host/ApplicationBusObject.h"
#include "host/ApplicationObject.h"
#include "host/MainWindowHost.h"
#include "host/PlugInGlobals.h"

#include <QApplication>
#include <QDBusConnectionInterface>

AutomationServer::AutomationServer(const QDBusConnection &bus, const QString &serviceName, QObject *parent)
    : QObject(parent), m_bus(bus), m_serviceName(serviceName)
{
    m_checkTimer.setInterval(CheckIntervalMs);
    connect(&m_checkTimer, &QTimer::timeout, this, &AutomationServer::check);
    m_idleTimer.setSingleShot(true);
    m_idleTimer.setInterval(m_idleTimeoutMs);
    connect(&m_idleTimer, &QTimer::timeout, this, [this] {
        if (!m_commandDone) {
            PlugInGlobals::Trace(QStringLiteral("No director called within %1 ms.").arg(m_idleTimeoutMs));
            finish();
        }
    });
}

AutomationServer::~AutomationServer()
{
    stop();
}

QString AutomationServer::ServiceName()
{
    return AppVersion::ProgId();
}

void AutomationServer::setIdleTimeout(int ms)
{
    m_idleTimeoutMs = ms;
    m_idleTimer.setInterval(ms);
    if (m_idleTimer.isActive())
        m_idleTimer.start();
}

bool AutomationServer::start()
{
    if (!m_bus.isConnected())
        return false;
    // The director may already wait for the name: the object goes first.
    m_application = std::make_unique<ApplicationObject>();
    m_busObject = std::make_unique<ApplicationBusObject>(*m_application);
    connect(m_busObject.get(), &ApplicationBusObject::called, this, [this] {
        if (!m_commandDone)
            m_idleTimer.start();
    });
    connect(m_busObject.get(), &ApplicationBusObject::commandDone, this, [this] {
        m_commandDone = true;
        m_idleTimer.stop();
        check();
    });
    if (!m_bus.registerVirtualObject(ApplicationBusObject::ObjectPath(), m_busObject.get())) {
        stop();
        return false;
    }
    if (!m_bus.registerService(m_serviceName)) {
        stop();
        return false;
    }
    m_registered = true;
    m_idleTimer.start();
    m_checkTimer.start();
    return true;
}

void AutomationServer::stop()
{
    m_checkTimer.stop();
    m_idleTimer.stop();
    if (m_registered)
        m_bus.unregisterService(m_serviceName);
    m_registered = false;
    if (m_busObject)
        m_bus.unregisterObject(ApplicationBusObject::ObjectPath());
    m_busObject.reset();
    m_application.reset();
}

void AutomationServer::check()
{
    if (m_finished)
        return;
    if (!m_bus.isConnected()) {
        finish();
        return;
    }
    if (!m_commandDone)
        return;
    if (PlugInGlobals::Ended) {
        finish();
        return;
    }
    const MainWindowHost *window = PlugInGlobals::MainWindow;
    const bool windowShown = window && window->IsLoaded();
    if (!windowShown && !QApplication::activeModalWidget())
        finish();
}

void AutomationServer::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    m_checkTimer.stop();
    m_idleTimer.stop();
    if (m_finish)
        m_finish();
    else
        QCoreApplication::quit();
}
