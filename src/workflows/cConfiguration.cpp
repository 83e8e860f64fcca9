#include "workflows/cConfiguration.h"

#include "host/AppVersion.h"
#include "host/ElapsedClock.h"
#include "host/PlugInGlobals.h"
#include "host/ResourceStrings.h"
#include "model/ChannelObjectRegistration.h"
#include "model/cLmo.h"
#include "monitoring/cMonitorPoint.h"
#include "params/CpDefinitions.h"
#include "params/LogService.h"
#include "params/ParameterRegistration.h"
#include "params/cParam1Byte.h"
#include "params/cParamComboBox.h"
#include "platform/services/Clock.h"
#include "platform/services/FileCheckPoint.h"
#include "platform/services/MessageBox.h"
#include "platform/services/MultiDeviceSelection.h"
#include "widgets/FocusWheelComboBox.h"
#include "workflows/ConfigurationView.h"
#include "workflows/WriteHistory.h"

#include <QComboBox>

namespace {

const QString Module = QStringLiteral("M_PlugInSpecific");
// The texts of a device written by someone else since it was read.
constexpr int ChangedTexts = 1976;
// The request that contacts a device and asks for its state.
constexpr int DeviceStateRequest = 4;

// The module types a slot offers, in list order: item of resource 1040 and
// module type code. "drova JT4-DMI" (item 10) is not offered.
constexpr std::array<std::pair<int, int>, 21> kSlotChoices{{
    {20, 20}, {2, 0},  {3, 1},   {18, 18}, {4, 2},   {5, 3},   {6, 4},   {7, 5},   {19, 19}, {8, 6},  {9, 17},
    {11, 8},  {12, 9}, {13, 10}, {14, 11}, {21, 12}, {22, 13}, {15, 14}, {16, 15}, {17, 16}, {1, -1},
}};

void traceElapsed(const QString &procedure, const ElapsedClock &clock)
{
    PlugInGlobals::Trace(
        QStringLiteral("[M_PlugIn] %1: %2 s").arg(procedure).arg(clock.elapsed(), 0, 'f', 3));
}

} // namespace

cConfiguration::cConfiguration(const QString &templatePath, QObject *parent)
    : QObject(parent), m_rx24(templatePath.isEmpty() ? cRX24() : cRX24(templatePath)), m_lmos(m_context),
      m_actModules(m_context), m_log(LogService::instance()), m_heading(m_log)
{
    m_context.params = &m_params;
    m_context.monitorPoints = &m_monitoring.MonitorPoints();
    m_context.deviceTemplate = &m_rx24;
    m_context.lmos = &m_lmos;
    m_context.actModules = &m_actModules;

    // Every CP and NV lookup goes through the plug-in description file that
    // InitApp loaded.
    if (PlugInGlobals::Utility) {
        CpDefinitions::setIniFile(&PlugInGlobals::Utility->iniFile());
        m_params.setIniFile(&PlugInGlobals::Utility->iniFile());
    }
    m_params.setSystem(PlugInGlobals::Session.system);
    m_params.setDeviceTemplate(&m_rx24);

    for (int s = 1; s <= Slots; ++s) {
        auto *box = new FocusWheelComboBox;
        box->setObjectName(QStringLiteral("cboModule%1").arg(s));
        m_slotBoxes.at(static_cast<size_t>(s - 1)) = box;
    }
}

cConfiguration::cConfiguration(const LnsRef<LnsAppDevice> &device, const QString &templatePath,
                               QObject *parent)
    : cConfiguration(templatePath, parent)
{
    m_device = device;
}

LnsRef<LnsAppDevice> cConfiguration::Device() const
{
    return m_device ? m_device : PlugInGlobals::Session.device;
}

LnsRef<LnsSystem> cConfiguration::System() const
{
    // Every device the plug-in reaches lies in the session's network.
    return PlugInGlobals::Session.system;
}

LnsCollectionRef<LnsLonMarkObject> cConfiguration::LonMarkObjects() const
{
    if (!m_device)
        return PlugInGlobals::Session.lonMarkObjects;
    if (!m_deviceObjects)
        m_deviceObjects = m_device->lonMarkObjects();
    return m_deviceObjects;
}

cConfiguration::~cConfiguration()
{
    m_actModules.Clear();
    m_lmos.Clear();
    // Lists no window has taken are still ours.
    for (const QPointer<QComboBox> &box : m_slotBoxes) {
        if (box && !box->parent())
            delete box.data();
    }
}

QComboBox *cConfiguration::SlotComboBox(int slot) const
{
    if (slot < 1 || slot > Slots)
        return nullptr;
    return m_slotBoxes.at(static_cast<size_t>(slot - 1));
}

QString cConfiguration::caption() const
{
    if (m_view)
        return m_view->Caption();
    const QString title = PlugInGlobals::WindowTitle();
    return title.isEmpty() ? AppVersion::ProductName() : title;
}

void cConfiguration::setBusy(bool busy)
{
    if (m_view)
        m_view->SetBusy(busy);
}

// --- fetching and reading ------------------------------------------------------

bool cConfiguration::FetchCPs(bool withNvs)
{
    PlugInGlobals::Trace(QStringLiteral("[M_PlugIn] Public Sub FetchCPs()"));
    ElapsedClock clock;
    clock.start();
    m_channelObjectCount = 0;
    try {
        const auto objects = LonMarkObjects();
        if (withNvs)
            m_monitoring.FetchNVs(objects);
        const int n = objects ? objects->count() : 0;
        // The first object is the node object, never a channel.
        for (int i = 1; i <= n - 1; ++i) {
            const auto object = objects->item(i + 1);
            if (object->functionalProfileKey() != ChannelProfileKey)
                continue;
            ++m_channelObjectCount;
            if (!ChannelObjectRegistration::RegisterCps(m_params, object, i)) {
                MessageBox::show(QStringLiteral("Error while fetching CPs ..."), caption());
                return false;
            }
        }
        registerSlots();
    } catch (const std::exception &error) {
        PlugInGlobals::LogError(error, Module, QStringLiteral("FetchCPs"));
        return false;
    }
    traceElapsed(QStringLiteral("FetchCPs"), clock);
    return true;
}

void cConfiguration::registerSlots()
{
    ParameterRegistration::DeviceCpSource source;
    source.appDevice = Device();
    source.fetchThroughDevice = true;
    const auto boxes = [this](int slot) { return SlotComboBox(slot); };
    for (int s = 1; s <= Slots; ++s) {
        cParamComboBox *slot = nullptr;
        if (!ParameterRegistration::RegisterDeviceParameter(
                m_params, QStringLiteral("DeviceModules"), source, boxes, s,
                QStringLiteral("DeviceModules_%1").arg(s), slot)) {
            PlugInGlobals::Trace(QStringLiteral("[M_PlugIn] FetchCPs: module slot %1 skipped").arg(s));
            continue;
        }
        slot->ConsiderPartOfCpOnly(s, 1);
        // 255 in the CP is "not used" (-1).
        slot->setSignedValue(true);
        slot->ClearComboBox();
        for (const auto &[item, moduleType] : kSlotChoices)
            slot->AddComboBoxItem(ResourceStrings::LoadResString(1040, item), moduleType);
    }
}

void cConfiguration::ReadSettings()
{
    PlugInGlobals::Trace(QStringLiteral("[M_PlugIn] Public Sub ReadSettings()"));
    ElapsedClock clock;
    clock.start();
    try {
        m_params.ReadFromLns();
        RebuildModel();
        // What the device holds now: the history of the next write keeps it,
        // and its last write tells whether anyone wrote it before this one does.
        m_readSet = TakeSet();
        m_readRevision = Device()->lastWrite().number;
    } catch (const std::exception &error) {
        PlugInGlobals::LogError(error, Module, QStringLiteral("ReadSettings"));
    }
    traceElapsed(QStringLiteral("ReadSettings"), clock);
}

void cConfiguration::RebuildModel()
{
    m_actModules.Clear();
    m_lmos.Clear();
    m_lmos.AddChannelObjects(LonMarkObjects());
    rebuildModules();
    for (const auto &lmo : m_lmos.Items())
        lmo->RefreshLastValues();
}

void cConfiguration::rebuildModules()
{
    m_actModules.Clear();
    for (int s = 1; s <= Slots; ++s) {
        cParamComboBox *slot = nullptr;
        try {
            slot = m_params.ComboBoxParameterByName(QStringLiteral("DeviceModules_%1").arg(s));
        } catch (const AppError &) {
            // A slot whose CP could not be fetched holds no module.
        }
        m_actModules.Add(slot ? slot->Value() : -1);
    }
    m_actModules.BindObjects(m_lmos);
}

bool cConfiguration::Open()
{
    // An edited template or description file counts from this device on,
    // with or without a window around.
    FileCheckPoint::operationBegins();
    if (!FetchCPs())
        return false;
    ReadSettings();
    return true;
}

bool cConfiguration::OpenValues()
{
    FileCheckPoint::operationBegins();
    if (!FetchCPs(false))
        return false;
    try {
        m_params.ReadFromLns();
    } catch (const std::exception &error) {
        PlugInGlobals::LogError(error, Module, QStringLiteral("OpenValues"));
        return false;
    }
    return true;
}

ConfigurationSet cConfiguration::TakeValues()
{
    ConfigurationSet set = ConfigurationSet::fromParams(m_params);
    if (const LnsRef<LnsAppDevice> device = Device())
        set.programId = device->programId();
    return set;
}

// --- the configuration set -----------------------------------------------------

ConfigurationSet cConfiguration::TakeSet()
{
    ConfigurationSet set = TakeValues();
    for (const auto &lmo : m_lmos.Items()) {
        const cLmo::NvTypes types = lmo->EffectiveNvTypes();
        set.nvTypes.insert(lmo->Index(), {types.prime, types.sec, types.out});
        set.names.insert(lmo->Index(), lmo->Name());
    }
    return set;
}

void cConfiguration::PutSet(const ConfigurationSet &set)
{
    // The functions as the device has them are the objects' last values:
    // defaults go exactly where the set's function differs.
    set.putInto(m_params);
    rebuildModules();
    for (const auto &lmo : m_lmos.Items()) {
        if (lmo->DefaultsRequired())
            lmo->SetDefaultValuesIfRequired();
    }
    set.putInto(m_params);
    for (const auto &lmo : m_lmos.Items()) {
        const auto types = set.nvTypes.constFind(lmo->Index());
        if (types != set.nvTypes.constEnd())
            lmo->setPendingNvTypes({qint16(types->prime), qint16(types->sec), qint16(types->out)});
        // What the model now holds is what the next write starts from.
        lmo->RefreshLastValues();
    }
}

void cConfiguration::PutNames(const ConfigurationSet &set)
{
    for (const auto &lmo : m_lmos.Items()) {
        const auto name = set.names.constFind(lmo->Index());
        if (name != set.names.constEnd())
            lmo->setName(name.value());
    }
}

qint32 cConfiguration::LoadSetFromFile(const QString &fileName, ConfigurationSet &set)
{
    const LnsRef<LnsAppDevice> device = Device();
    return m_params.LoadSetFromFile(fileName,
                                    PlugInGlobals::Utility ? &PlugInGlobals::Utility->iniFile() : nullptr,
                                    QLatin1String(PlugInName), device ? device->programId() : QString(),
                                    QLatin1String(DataFileVersion), set);
}

QString cConfiguration::LoadSetProblem(qint32 result) const
{
    switch (result) {
    case LE_WRONG_PLUGIN:
        return ResourceStrings::LoadResString(1520, 1);
    case LE_WRONG_PLUGIN_VERSION:
    case LE_WRONG_DATAFILE_VERSION:
        return ResourceStrings::LoadResString(1521);
    case LE_WRONG_DEVICE:
        return ResourceStrings::LoadResString(1520, 2);
    case LE_INVALID_CONTENT:
        return m_params.LoadFromFileProblem();
    default:
        return QString();
    }
}

bool cConfiguration::SaveSetToFile(const QString &fileName)
{
    const LnsRef<LnsAppDevice> device = Device();
    return PrepareDefaults() &&
           m_params.WriteToFile(fileName, QLatin1String(PlugInName), device ? device->programId() : QString(),
                                QLatin1String(DataFileVersion));
}

bool cConfiguration::PrepareDefaults()
{
    for (const auto &lmo : m_lmos.Items()) {
        if (lmo->ObjectConfigurationIsValid() && !lmo->SetDefaultValuesIfRequired())
            return false;
    }
    return true;
}

// --- checking and writing ------------------------------------------------------

bool cConfiguration::checkValues()
{
    bool result = true;
    try {
        for (const auto &lmo : m_lmos.Items()) {
            if (lmo->ObjectParametersValid())
                continue;
            if (result) {
                m_log.WriteLogLine(ResourceStrings::LoadResString(1555), LogService::Red);
                m_log.WriteLogLine(QString(), LogService::Red);
            }
            m_log.WriteLogLine(QStringLiteral("  - ") +
                                   ResourceStrings::LoadResString(
                                       1031, 1, QStringList{QString::number(lmo->ModuleNumber()->Value())}) +
                                   QStringLiteral(" (") + lmo->Name() + QStringLiteral(")"),
                               LogService::Red);
            result = false;
        }
        if (!result) {
            m_log.WriteLogLine(QString());
            m_log.ShowLogger();
        }
    } catch (const std::exception &error) {
        PlugInGlobals::LogError(error, Module, QStringLiteral("checkValues"));
        return false;
    }
    return result;
}

void cConfiguration::logNvList()
{
    m_log.WriteLogLine(ResourceStrings::LoadResString(1554) + QStringLiteral("  "), LogService::Black);
    for (const QString &name :
         {QStringLiteral("PrimeValue_1"), QStringLiteral("SecValue_1"), QStringLiteral("Output_1")}) {
        cMonitorPoint *point = m_monitoring.MonitorPoints().GetMonitorPointByName(name);
        const QString nvName = point && point->NetworkVariable() ? point->NetworkVariable()->name() : name;
        m_log.WriteLogLine(QStringLiteral("    - ") + nvName, LogService::Green);
    }
    m_log.WriteLogLine(QString());
}

bool cConfiguration::WriteSettings(bool asCopyTarget)
{
    PlugInGlobals::Trace(QStringLiteral("[M_PlugIn] Public Sub WriteSettings()"));
    const LnsRef<LnsSystem> system = System();
    bool bracketOpen = false;
    bool ok = false;
    m_lastWriteError.reset();
    try {
        system->prepareDeviceWrite(100);
        bracketOpen = true;
        // No transaction (the database busy, read-only, full): nothing is
        // written, and the error below names the cause.
        system->startTransaction();
        // A device that does not answer would take half a configuration:
        // ask it before anything is written.
        Device()->test(DeviceStateRequest);
        // Another write since this configuration was read would be undone
        // unseen: nothing is written, and the user decides.
        m_changedSinceRead.reset();
        if (const LnsHistoryEntry last = Device()->lastWrite(); last.number != m_readRevision) {
            m_changedSinceRead = last;
            throw AppError(0, Module, ChangedSinceReadText(1));
        }
        if (!asCopyTarget)
            logNvList();
        ok = true;
        for (const auto &lmo : m_lmos.Items()) {
            lmo->LnsObject()->setName(lmo->Name());
            if (lmo->ObjectConfigurationIsValid() && !lmo->SetDefaultValuesIfRequired()) {
                ok = false;
                break;
            }
        }
        // Every object's NV types as the set has them. A device that refuses
        // a type would be left with a function its NVs cannot carry: the
        // whole write is given up.
        for (const auto &lmo : m_lmos.Items()) {
            if (ok && !lmo->WriteNvTypes())
                ok = false;
        }
        if (ok) {
            m_params.ClearWriteExclusions();
            m_params.WriteToLns(!asCopyTarget);
            // In the write's transaction: a write that fails leaves no entry,
            // and no write goes without one.
            ConfigurationSet written = TakeSet();
            const int revision = WriteHistory::record(*Device(), m_readSet, written);
            system->commitTransaction();
            m_readSet = std::move(written);
            m_readRevision = revision;
            for (const auto &lmo : m_lmos.Items()) {
                lmo->RefreshLastValues();
                lmo->ClearPendingNvTypes();
            }
        }
    } catch (const std::exception &error) {
        PlugInGlobals::LogError(error, Module, QStringLiteral("WriteSettings"));
        m_log.WriteLogLine(QString::fromUtf8(error.what()), LogService::Red);
        const auto *appError = dynamic_cast<const AppError *>(&error);
        m_lastWriteError = appError ? *appError : AppError(0, Module, QString::fromUtf8(error.what()));
        ok = false;
    }
    if (!ok) {
        // Errors of the cancel are of no use: the transaction may already be gone.
        try {
            if (system && system->inTransaction())
                system->cancelTransaction();
        } catch (const std::exception &) {
        }
        // A copy names its failed target itself.
        if (!asCopyTarget) {
            m_log.WriteLogLine(QString());
            m_log.WriteLogLine(ResourceStrings::LoadResString(1547), LogService::Red);
        }
    }
    if (bracketOpen) {
        try {
            system->finishDeviceWrite();
        } catch (const std::exception &error) {
            PlugInGlobals::LogError(error, Module, QStringLiteral("WriteSettings"));
        }
    }
    return ok;
}

void cConfiguration::ReadParameters()
{
    PlugInGlobals::Trace(QStringLiteral("[frmMain] Private Sub ReadParameters()"));
    try {
        if (m_log.ParametersChanged()) {
            const QString device =
                PlugInGlobals::Session.device ? PlugInGlobals::Session.device->name() : QString();
            const auto answer = MessageBox::show(ResourceStrings::LoadResString(1428, 1, QStringList{device}),
                                                 caption(), MessageBox::Icon::Question,
                                                 MessageBox::Buttons::YesNo, MessageBox::Button::No);
            if (answer != MessageBox::Button::Yes)
                return;
        }
        setBusy(true);
        m_log.setStatusText(ResourceStrings::LoadResString(1501, 1));
        m_log.WriteLogLine(ResourceStrings::LoadResString(1550, 1), LogService::Blue);
        ReadSettings();
        m_log.WriteLogLine(ResourceStrings::LoadResString(1550, 2), LogService::Blue);
        if (m_log.ErrorLogged())
            m_log.ShowLogger();
        if (m_view)
            m_view->SetControls();
        checkValues();
    } catch (const std::exception &error) {
        PlugInGlobals::LogError(error, Module, QStringLiteral("ReadParameters"));
    }
    setBusy(false);
    m_log.setStatusText(ResourceStrings::LoadResString(1517));
}

QString cConfiguration::ChangedSinceReadText(int item) const
{
    if (!m_changedSinceRead)
        return QString();
    const LnsRef<LnsAppDevice> device = Device();
    return ResourceStrings::LoadResString(
        ChangedTexts, item,
        {device ? device->name() : QString(), m_changedSinceRead->user, m_changedSinceRead->host,
         m_changedSinceRead->when.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))});
}

void cConfiguration::AcceptChangesOfOthers()
{
    // The write about to be made replaces the other one: its history keeps
    // what the other left on the device, so the other write can be had back.
    const LnsHistoryEntry last = Device()->lastWrite();
    ConfigurationSet current;
    if (last.number > 0 && WriteHistory::setAfter(*Device(), last.number, current))
        m_readSet = current;
    m_readRevision = last.number;
    m_changedSinceRead.reset();
}

void cConfiguration::ReloadKeepingEdits()
{
    // The user's edits are what differs from the set read; they go on top of
    // the device's set as it is now, and the window shows the result.
    const ConfigurationSet edited = TakeSet();
    const ConfigurationSet read = m_readSet;
    ReadSettings();
    ConfigurationSet merged = m_readSet;
    for (auto it = edited.values.constBegin(); it != edited.values.constEnd(); ++it) {
        if (read.values.value(it.key()) != it.value())
            merged.values.insert(it.key(), it.value());
    }
    for (auto it = edited.wholeCps.constBegin(); it != edited.wholeCps.constEnd(); ++it) {
        if (read.wholeCps.value(it.key()) != it.value())
            merged.wholeCps.insert(it.key(), it.value());
    }
    for (auto it = edited.nvTypes.constBegin(); it != edited.nvTypes.constEnd(); ++it) {
        if (!(read.nvTypes.value(it.key()) == it.value()))
            merged.nvTypes.insert(it.key(), it.value());
    }
    for (auto it = edited.names.constBegin(); it != edited.names.constEnd(); ++it) {
        if (read.names.value(it.key()) != it.value())
            merged.names.insert(it.key(), it.value());
    }
    PutSet(merged);
    PutNames(merged);
    m_changedSinceRead.reset();
    if (m_view)
        m_view->SetControls();
}

bool cConfiguration::WriteParameters()
{
    PlugInGlobals::Trace(QStringLiteral("[frmMain] Private Sub WriteParameters()"));
    if (!checkValues())
        return false;
    setBusy(true);
    m_log.setStatusText(ResourceStrings::LoadResString(1500, 1));
    // Red lines of an earlier refused check say nothing about this write.
    m_log.setErrorLogged(false);
    m_log.WriteLogLine(ResourceStrings::LoadResString(1551, 1), LogService::Blue);
    bool written = WriteSettings();
    if (!written && m_changedSinceRead) {
        const auto answer = MessageBox::show(ChangedSinceReadText(2), caption(), MessageBox::Icon::Question,
                                             MessageBox::Buttons::YesNoCancel, MessageBox::Button::Cancel);
        if (answer == MessageBox::Button::Yes) {
            ReloadKeepingEdits();
            m_log.WriteLogLine(ResourceStrings::LoadResString(ChangedTexts, 3), LogService::Blue);
        } else if (answer == MessageBox::Button::No) {
            AcceptChangesOfOthers();
            m_log.setErrorLogged(false);
            written = WriteSettings();
        }
    }
    m_log.WriteLogLine(ResourceStrings::LoadResString(1551, 2), LogService::Blue);
    if (m_log.ErrorLogged())
        m_log.ShowLogger();
    setBusy(false);
    m_log.setStatusText(ResourceStrings::LoadResString(1517));
    const bool failed = !written || m_log.ErrorLogged();
    m_log.setApplyEnabled(failed);
    m_log.setParametersChanged(failed);
    m_log.setErrorLogged(false);
    return true;
}

// --- copying the set to other devices ------------------------------------------

void cConfiguration::onSearchProgress()
{
    const double now = Clock::secondsSinceMidnight();
    const double since = now - m_lastRepaint;
    if (since > 2.0 || since < 0.0) {
        if (m_view)
            m_view->Repaint();
        m_lastRepaint = now;
    }
}

bool cConfiguration::CopySetTo(const LnsRef<LnsAppDevice> &device, const ConfigurationSet &set)
{
    cConfiguration target(device, m_rx24.templatePath());
    if (!target.Open())
        return false;
    target.PutSet(set);
    return target.checkValues() && target.WriteSettings(true);
}

void cConfiguration::WriteParametersEx()
{
    if (!checkValues())
        return;
    try {
        // The set as the window's Apply would write it, defaults included.
        if (!PrepareDefaults())
            return;
        const ConfigurationSet set = TakeSet();
        setBusy(true);
        m_log.setStatusText(ResourceStrings::LoadResString(1519));
        std::unique_ptr<MultiDeviceSelection> selection = MultiDeviceSelection::create();
        selection->setTexts(MultiDeviceSelectionTexts::fromItems(
            [](int item) { return ResourceStrings::LoadResString(1710, item); }));
        connect(selection.get(), &MultiDeviceSelection::Progress, this, [this] { onSearchProgress(); });
        connect(selection.get(), &MultiDeviceSelection::SearchCompleted, this,
                [this] { m_log.setStatusText(ResourceStrings::LoadResString(1517)); });
        const LnsSession &session = PlugInGlobals::Session;
        const QList<LnsRef<LnsAppDevice>> devices =
            selection->chooseDevices(session.network, session.system, session.device, *PlugInGlobals::Utility,
                                     m_view ? m_view->Window() : nullptr);
        if (!devices.isEmpty()) {
            m_log.WriteLogLine(ResourceStrings::LoadResString(1551, 1), LogService::Blue);
            logNvList();
        }
        const int count = static_cast<int>(devices.size());
        for (int k = 1; k <= count; ++k) {
            m_log.setStatusText(ResourceStrings::LoadResString(
                1500, 2, QStringList{QStringLiteral("%1/%2").arg(k).arg(count)}));
            const LnsRef<LnsAppDevice> &device = devices.at(k - 1);
            m_heading.Write(device, nullptr, true, HeadingGapSeconds);
            bool written = false;
            try {
                written = CopySetTo(device, set);
            } catch (const std::exception &error) {
                PlugInGlobals::LogError(error, Module, QStringLiteral("WriteParametersEx"));
            }
            if (!written)
                m_log.WriteLogLine(ResourceStrings::LoadResString(1535), LogService::Red);
        }
        m_log.WriteLogLine(ResourceStrings::LoadResString(1551, 2), LogService::Blue);
        if (m_log.ErrorLogged())
            m_log.ShowLogger();
    } catch (const std::exception &error) {
        PlugInGlobals::LogError(error, Module, QStringLiteral("WriteParametersEx"));
    }
    setBusy(false);
    m_log.setStatusText(ResourceStrings::LoadResString(1517));
    m_log.setApplyEnabled(m_log.ErrorLogged());
}
