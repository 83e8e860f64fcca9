#include "batch/BatchSession.h"

#include "batch/BatchError.h"
#include "batch/BatchTexts.h"
#include "host/LcaPlugIn.h"
#include "host/PlugInGlobals.h"
#include "host/ResourceStrings.h"
#include "params/LogService.h"
#include "params/ParameterFileReader.h"
#include "platform/netdb/NetDbDeviceListing.h"
#include "platform/netdb/NetDbServerAddress.h"
#include "platform/netdb/NetworkDatabase.h"
#include "platform/services/ObjectNameAnalyzer.h"
#include "template/ParamEnums.h"
#include "workflows/cConfiguration.h"

#include <QCollator>
#include <QFileInfo>
#include <algorithm>

namespace {

bool below(const QString &path, const QString &top)
{
    return top.isEmpty() || path.compare(top, Qt::CaseInsensitive) == 0 ||
           path.startsWith(top + QLatin1Char('.'), Qt::CaseInsensitive);
}

} // namespace

BatchSession::BatchSession(QString databasePath) : m_path(std::move(databasePath))
{
    if (m_path.isEmpty())
        m_path = NetworkDatabase::defaultDatabasePath();
}

BatchSession::~BatchSession()
{
    PlugInGlobals::Session.clear();
    PlugInGlobals::Utility.reset();
    m_networks.clear();
    if (m_db && m_db->isConnected()) {
        try {
            m_db->disconnectServer();
        } catch (const std::exception &) {
        }
    }
}

void BatchSession::open()
{
    const QString description = PlugInGlobals::ProgramFolder() + LcaPlugIn::PlugInIniFileName();
    PlugInGlobals::Utility = std::make_unique<UtilityComponent>(description);
    if (!PlugInGlobals::Utility->iniFileExists())
        throw BatchError(BatchTexts::error(BatchTexts::UnreadableFile,
                                           {description, BatchTexts::error(BatchTexts::NoSuchFile)}));
    const bool server = NetDbServerAddress::isServerAddress(m_path);
    if (!server && !QFileInfo::exists(m_path))
        throw BatchError(BatchTexts::error(BatchTexts::DatabaseUnusable,
                                           {m_path, BatchTexts::error(BatchTexts::NoSuchFile)}));
    m_db = std::make_unique<NetworkDatabase>(m_path);
    try {
        m_db->connectServer(0);
    } catch (const std::exception &error) {
        throw BatchError(BatchTexts::error(BatchTexts::DatabaseUnusable,
                                           {m_db->shownLocation(), QString::fromUtf8(error.what())}));
    }
    PlugInGlobals::Session.objectServer = m_db.get();
}

LnsRef<LnsNetwork> BatchSession::network(const QString &name)
{
    auto found = m_networks.constFind(name);
    if (found != m_networks.constEnd())
        return found.value();
    const LnsRef<LnsNetwork> opened = m_db->openNetwork(name, false);
    m_networks.insert(name, opened);
    return opened;
}

bool BatchSession::serves(const QString &programId) const
{
    return PlugInGlobals::Utility && PlugInGlobals::Utility->servesProgramId(programId);
}

bool BatchSession::fits(const QString &setProgramId, const QString &deviceProgramId) const
{
    if (setProgramId.compare(deviceProgramId, Qt::CaseInsensitive) == 0)
        return true;
    return PlugInGlobals::Utility && PlugInGlobals::Utility->compatibleProgramIds(deviceProgramId)
                                         .contains(setProgramId, Qt::CaseInsensitive);
}

void BatchSession::forEachDevice(const QString &name, const std::function<bool(const BatchDevice &)> &visit)
{
    const ObjectNameParts parts = ObjectNameAnalyzer::analyze(name);
    if (parts.networkName.isEmpty() || !parts.remainder.isEmpty())
        throw BatchError(BatchTexts::error(BatchTexts::UnknownDevice, {name}));
    // Letter case does not matter in any level of a name.
    QString networkName;
    for (const QString &known : m_db->networkNames()) {
        if (known.compare(parts.networkName, Qt::CaseInsensitive) == 0 &&
            (networkName.isEmpty() || known == parts.networkName))
            networkName = known;
    }
    if (networkName.isEmpty())
        throw BatchError(BatchTexts::error(BatchTexts::UnknownDevice, {name}));
    const LnsRef<LnsNetwork> net = network(networkName);
    const std::unique_ptr<NetDbDeviceListing> listing = NetDbDeviceListing::of(net);
    QList<NetDbDeviceListing::Subsystem> subsystems;
    for (const NetDbDeviceListing::Subsystem &subsystem : listing->subsystems()) {
        if (parts.deviceName.isEmpty() ? below(subsystem.path, parts.systemPart)
                                       : subsystem.path.compare(parts.systemPart, Qt::CaseInsensitive) == 0)
            subsystems.append(subsystem);
    }
    QCollator collator;
    collator.setNumericMode(true);
    std::sort(subsystems.begin(), subsystems.end(),
              [&collator](const auto &a, const auto &b) { return collator.compare(a.path, b.path) < 0; });
    bool found = false;
    for (const NetDbDeviceListing::Subsystem &subsystem : subsystems) {
        QList<NetDbDeviceListing::Device> devices = listing->devicesOf(subsystem.id);
        std::sort(devices.begin(), devices.end(),
                  [&collator](const auto &a, const auto &b) { return collator.compare(a.name, b.name) < 0; });
        for (const NetDbDeviceListing::Device &device : devices) {
            const bool named = !parts.deviceName.isEmpty();
            if (named && device.name.compare(parts.deviceName, Qt::CaseInsensitive) != 0)
                continue;
            if (!named && !serves(device.programId))
                continue;
            found = true;
            if (!visit({networkName, subsystem.path, device.name, device.programId, device.reachable}))
                return;
        }
    }
    // A subsystem without a device of this plug-in is no mistake; a name that names nothing is.
    if (!found && (!parts.deviceName.isEmpty() || subsystems.isEmpty()))
        throw BatchError(BatchTexts::error(BatchTexts::UnknownDevice, {name}));
}

LnsRef<LnsAppDevice> BatchSession::enter(const BatchDevice &device)
{
    const LnsRef<LnsNetwork> net = network(device.network);
    PlugInGlobals::Session.network = net;
    PlugInGlobals::Session.system = net->system();
    return m_db->device(device.network, device.subsystemPath, device.name);
}

std::unique_ptr<cConfiguration> BatchSession::openModel(const BatchDevice &device, QString &problem,
                                                        bool valuesOnly)
{
    LogService::reset();
    m_db->forgetReadRows();
    auto model = std::make_unique<cConfiguration>(enter(device), QString());
    if (!(valuesOnly ? model->OpenValues() : model->Open())) {
        problem = LogService::instance().RedText();
        return nullptr;
    }
    return model;
}

QString BatchSession::fileProgramId(const QString &file) const
{
    const QFileInfo info(file);
    if (!info.isFile() || !info.isReadable())
        throw BatchError(
            BatchTexts::error(BatchTexts::UnreadableFile, {file, BatchTexts::error(BatchTexts::NoSuchFile)}));
    const ParameterFileReader reader = ParameterFileReader::fromFile(file);
    const QString general = QStringLiteral("General");
    if (reader.value(general, QStringLiteral("PlugInName")) != QLatin1String(cConfiguration::PlugInName))
        throw BatchError(
            BatchTexts::error(BatchTexts::UnreadableFile, {file, ResourceStrings::LoadResString(1520, 1)}));
    if (reader.value(general, QStringLiteral("DataFileVersion")) !=
        QLatin1String(cConfiguration::DataFileVersion))
        throw BatchError(
            BatchTexts::error(BatchTexts::UnreadableFile, {file, ResourceStrings::LoadResString(1521)}));
    return reader.value(general, QStringLiteral("ProgramId"));
}

ConfigurationSet BatchSession::loadFile(const QString &file, cConfiguration *model)
{
    const QString programId = fileProgramId(file);
    std::unique_ptr<cConfiguration> own;
    if (!model) {
        // Any device that takes the file knows what each of its values may hold.
        for (const QString &networkName : m_db->networkNames()) {
            try {
                forEachDevice(networkName, [&](const BatchDevice &device) {
                    if (!fits(programId, device.programId))
                        return true;
                    QString problem;
                    own = openModel(device, problem);
                    return !own;
                });
            } catch (const BatchError &) {
                // A network without devices of this plug-in.
            }
            if (own)
                break;
        }
        if (!own)
            throw BatchError(BatchTexts::error(BatchTexts::NoDeviceForFile, {programId, file}));
        model = own.get();
    }
    ConfigurationSet set;
    const qint32 result = model->LoadSetFromFile(file, set);
    if (result != LE_NO_ERROR)
        throw BatchError(
            BatchTexts::error(BatchTexts::UnreadableFile, {file, model->LoadSetProblem(result)}));
    return set;
}
