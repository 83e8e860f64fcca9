#pragma once

#include "model/ModelContext.h"
#include "model/cActModules.h"
#include "model/cLmos.h"
#include "monitoring/cMonitoring.h"
#include "params/cParams.h"
#include "template/cRX24.h"
#include "workflows/DeviceHeading.h"

#include <QObject>
#include <QPointer>
#include <array>
#include <functional>

class QComboBox;
class ConfigurationView;
class LogService;

// The configuration of the one device the plug-in was started for: its
// template, its channel objects, its modules and every parameter bound to a
// CP, for as long as the device is open. It fetches the CPs, reads them into
// the model, checks the model, writes it back in one transaction of the
// network database and copies the parameter set to other devices.
//
// The device comes from the connection start (PlugInGlobals::Session), the
// plug-in description file from InitApp (PlugInGlobals::Utility).
class cConfiguration : public QObject
{
    Q_OBJECT
public:
    static constexpr int Slots = 8;
    static constexpr int ChannelProfileKey = 24000;
    static constexpr double HeadingGapSeconds = 15.0;

    // templatePath empty: the device template is looked for as the program
    // does at start.
    explicit cConfiguration(const QString &templatePath = QString(), QObject *parent = nullptr);
    ~cConfiguration() override;

    cRX24 &RX24() { return m_rx24; }
    cLmos &Lmos() { return m_lmos; }
    cActModules &ActModules() { return m_actModules; }
    cParams &Parameters() { return m_params; }
    cMonitoring &Monitoring() { return m_monitoring; }
    ModelContext &Context() { return m_context; }
    quint8 ChannelObjectCount() const { return m_channelObjectCount; }

    // The window that shows the configuration; null: none.
    void setView(ConfigurationView *view) { m_view = view; }
    // The list of module types of slot 1 .. 8; the window places it on its
    // Device page (it then owns it).
    QComboBox *SlotComboBox(int slot) const;

    // Binds every CP of the device and of its channel objects to a parameter.
    // False after the first CP that could not be bound (the message has been
    // shown) or an error (logged).
    bool FetchCPs();
    // Reads the parameters and builds the modules and channels from them.
    void ReadSettings();
    // Modules, channels and objects built anew from the parameters as they
    // are (after a parameter file was loaded), without reading the device.
    void RebuildModel();

    // True when every channel object has valid parameters; else the log
    // names each module with an invalid one in red.
    bool checkValues();
    // NV types and CPs of the device in one transaction: all of it, or, after
    // any failure, nothing (the log says so in red). True when written.
    bool WriteSettings();
    // Reads the configuration from the device again; asks first when the
    // user has changed parameters.
    void ReadParameters();
    // Checks, then writes; false when nothing was written because the check
    // failed.
    bool WriteParameters();
    // Writes the parameter set to devices the user chooses from the project,
    // each in its own transaction; a failure on one does not stop the others.
    void WriteParametersEx();

private:
    void registerSlots();
    void logNvList();
    QString caption() const;
    void setBusy(bool busy);
    void onSearchProgress();
    static cParams::ObjectOfParameter channelObjectsOf(const LnsRef<LnsAppDevice> &device);

    cRX24 m_rx24;
    cParams m_params;
    cMonitoring m_monitoring;
    ModelContext m_context;
    cLmos m_lmos;
    cActModules m_actModules;
    std::array<QPointer<QComboBox>, Slots> m_slotBoxes;
    quint8 m_channelObjectCount = 0;
    ConfigurationView *m_view = nullptr;
    LogService &m_log;
    DeviceHeading m_heading;
    double m_lastRepaint = 0.0;
};
