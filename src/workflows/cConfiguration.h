#pragma once

#include "model/ModelContext.h"
#include "model/cActModules.h"
#include "model/cLmos.h"
#include "monitoring/cMonitoring.h"
#include "params/ConfigurationSet.h"
#include "params/cParams.h"
#include "template/cRX24.h"
#include "workflows/DeviceHeading.h"

#include <QObject>
#include <QPointer>
#include <array>
#include <functional>
#include <optional>

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
    // The header of the parameter files this plug-in writes and reads.
    static constexpr const char *PlugInName = "veltoTarvinaRX24";
    static constexpr const char *DataFileVersion = "1";

    // templatePath empty: the device template is looked for as the program
    // does at start. The device is the session's.
    explicit cConfiguration(const QString &templatePath = QString(), QObject *parent = nullptr);
    // The configuration of another device of the session's network (a copy
    // target), without a window.
    cConfiguration(const LnsRef<LnsAppDevice> &device, const QString &templatePath,
                   QObject *parent = nullptr);
    ~cConfiguration() override;

    // The device, its system and its LonMark objects.
    LnsRef<LnsAppDevice> Device() const;
    LnsRef<LnsSystem> System() const;
    LnsCollectionRef<LnsLonMarkObject> LonMarkObjects() const;

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
    bool FetchCPs(bool withNvs = true);
    // Reads the parameters and builds the modules and channels from them.
    void ReadSettings();
    // FetchCPs and ReadSettings: the device's whole set in the model. False
    // when a CP could not be bound.
    bool Open();
    // Only the parameters, fetched and read, without NVs, objects, modules
    // or channels: enough to compare a device's values with a set's, at a
    // fraction of an Open. The model stays empty; TakeValues gives them.
    bool OpenValues();
    ConfigurationSet TakeValues();

    // The set the model holds: every parameter, each channel object's NV
    // types and name. After PrepareDefaults it is the set a write would
    // leave on the device.
    ConfigurationSet TakeSet();
    // The set the device held when it was last read or written.
    const ConfigurationSet &ReadSet() const { return m_readSet; }
    // Puts a set on the model: slots, bindings and functions; the function
    // defaults where a function differs from what the device has; then the
    // set's own value for every CP it holds, so a value the user chose is
    // never replaced by a default. NV types: the set's, else those the
    // functions need where they changed. Names stay the device's. Nothing
    // is written; the next WriteSettings writes it.
    void PutSet(const ConfigurationSet &set);
    // The set's object names on the objects it names: the device's own
    // earlier set, put back whole.
    void PutNames(const ConfigurationSet &set);
    // The set of a parameter file, checked whole; an eLoadFromFileErrors code
    // (the problem in Parameters().LoadFromFileProblem()).
    qint32 LoadSetFromFile(const QString &fileName, ConfigurationSet &set);
    // What the user is told for a LoadSetFromFile result; empty for none.
    QString LoadSetProblem(qint32 result) const;
    // The set as a write would leave it (defaults included) to a parameter
    // file; false when the file could not be written.
    bool SaveSetToFile(const QString &fileName);
    // The defaults every changed function needs, in the model (what a write
    // would do first). False after a CP that could not be fetched.
    bool PrepareDefaults();

    // True when every channel object has valid parameters; else the log
    // names each module with an invalid one in red.
    bool checkValues();
    // The whole set (every CP and every object's NV types) to the device in
    // one transaction: all of it, or, after any failure, nothing (the log
    // says so in red). True when written.
    // asCopyTarget: no lists of NV and CP names, no closing message (the
    // copy logs its own per device).
    bool WriteSettings(bool asCopyTarget = false);
    // The other write that made the last WriteSettings write nothing: the
    // device was written (by another window, user or program) since this
    // configuration read it.
    const std::optional<LnsHistoryEntry> &ChangedSinceRead() const { return m_changedSinceRead; }
    // Item 1: what happened, 2: the question to the user; empty when nothing did.
    QString ChangedSinceReadText(int item) const;
    // The next write overwrites the other write.
    void AcceptChangesOfOthers();
    // Reads the device again and puts the user's edits (what differed from
    // the set read before) on top; nothing is written.
    void ReloadKeepingEdits();
    // Why the last WriteSettings wrote nothing, when an error said so.
    const std::optional<AppError> &LastWriteError() const { return m_lastWriteError; }
    // Reads the configuration from the device again; asks first when the
    // user has changed parameters.
    void ReadParameters();
    // Checks, then writes; false when nothing was written because the check
    // failed.
    bool WriteParameters();
    // Writes the parameter set to devices the user chooses from the project,
    // each in its own transaction; a failure on one does not stop the others.
    void WriteParametersEx();
    // Puts set on another device through its own model and writes it there,
    // as its window's Apply would. False when nothing was written.
    bool CopySetTo(const LnsRef<LnsAppDevice> &device, const ConfigurationSet &set);

private:
    // Objects, modules and channels built anew from the parameters as read.
    void RebuildModel();
    void rebuildModules();
    void registerSlots();
    void logNvList();
    QString caption() const;
    void setBusy(bool busy);
    void onSearchProgress();

    cRX24 m_rx24;
    cParams m_params;
    cMonitoring m_monitoring;
    ModelContext m_context;
    cLmos m_lmos;
    cActModules m_actModules;
    std::array<QPointer<QComboBox>, Slots> m_slotBoxes;
    quint8 m_channelObjectCount = 0;
    ConfigurationView *m_view = nullptr;
    // Null: the session's device.
    LnsRef<LnsAppDevice> m_device;
    // The set as last read from or written to the device.
    ConfigurationSet m_readSet;
    std::optional<AppError> m_lastWriteError;
    // The device's last write when it was read; another means someone wrote.
    int m_readRevision = 0;
    std::optional<LnsHistoryEntry> m_changedSinceRead;
    mutable LnsCollectionRef<LnsLonMarkObject> m_deviceObjects;
    LogService &m_log;
    DeviceHeading m_heading;
    double m_lastRepaint = 0.0;
};
