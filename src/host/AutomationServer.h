#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

class ApplicationObject;
class ApplicationBusObject;

// Serves the automation object for one director on a bus: takes the bus
// name "veltoTarvinaRX24.Application", puts "Application" at "/Application",
// and decides when the program is done:
//  - a command has run and the plug-in has ended (EndApp) or shows no main
//    window (and no dialog), e.g. after a registration or a refused command;
//  - no director called within the idle time before its command;
//  - the bus went away.
// Then it calls the finish function once (the program quits its event loop).
class AutomationServer : public QObject
{
    Q_OBJECT
public:
    // serviceName: the bus name to take; tests take names of their own.
    explicit AutomationServer(const QDBusConnection &bus, const QString &serviceName = ServiceName(),
                              QObject *parent = nullptr);
    ~AutomationServer() override;

    // Creates the object (which runs InitApp) and takes the bus name. False
    // when the bus is not there or the name belongs to another program.
    bool start();
    // Gives the bus name and the object back.
    void stop();

    void setFinish(std::function<void()> finish) { m_finish = std::move(finish); }
    void setIdleTimeout(int ms);
    int idleTimeout() const { return m_idleTimeoutMs; }
    static constexpr int DefaultIdleTimeoutMs = 60000;
    static constexpr int CheckIntervalMs = 250;

    bool isFinished() const { return m_finished; }
    ApplicationObject *application() const { return m_application.get(); }
    QDBusConnection bus() const { return m_bus; }
    ApplicationBusObject *busObject() const { return m_busObject.get(); }

    static QString ServiceName();

private:
    void check();
    void finish();

    QDBusConnection m_bus;
    QString m_serviceName;
    std::unique_ptr<ApplicationObject> m_application;
    std::unique_ptr<ApplicationBusObject> m_busObject;
    std::function<void()> m_finish;
    QTimer m_checkTimer;
    QTimer m_idleTimer;
    int m_idleTimeoutMs = DefaultIdleTimeoutMs;
    bool m_registered = false;
    bool m_commandDone = false;
    bool m_finished = false;
};
