#include "monitoring/cMonitorPoints.h"

#include "host/LnsAncestor.h"
#include "host/PlugInGlobals.h"
#include "params/CpDefinitions.h"
#include "params/LogService.h"
#include "params/NvDefinitions.h"
#include "platform/AppError.h"
#include "platform/lns/LnsNetwork.h"
#include "platform/services/QX_IniFile.h"

namespace {
const QString Source = QStringLiteral("cMonitorPoints");
} // namespace

cMonitorPoints::cMonitorPoints(QObject *parent) : QObject(parent) {}

cMonitorPoints::~cMonitorPoints() = default;

void cMonitorPoints::setObjectServer(LnsObjectServer *objectServer)
{
    if (m_objectServer == objectServer)
        return;
    if (m_objectServer)
        disconnect(m_objectServer, nullptr, this, nullptr);
    m_objectServer = objectServer;
    if (!objectServer)
        return;
    connect(objectServer, &LnsObjectServer::nvUpdateOccurred, this, &cMonitorPoints::onNvUpdateOccurred);
    connect(objectServer, &LnsObjectServer::nvCommunicationFailed, this,
            &cMonitorPoints::onNvCommunicationFailed);
}

cMonitorPoint *cMonitorPoints::AddMonitorPoint(const QString &name, const LnsRef<LnsNetworkVariable> &nv,
                                               int monitoringType)
{
    if (FindMonitorPoint(name))
        throw AppError(457, Source,
                       QStringLiteral("This key is already associated with an element of this collection"));
    auto point = std::make_unique<cMonitorPoint>();
    point->setParent(this);
    point->setName(name);
    if (nv) {
        point->setNetworkVariable(nv);
        point->setAvailable(true);
        point->setEventTag(cMonitorPoint::FirstEventTag + Count());
        point->setMonitoringType(monitoringType);
    }
    m_byName.emplace(name, point.get());
    m_points.push_back(std::move(point));
    return m_points.back().get();
}

void cMonitorPoints::RemoveMonitorPointByName(const QString &name)
{
    cMonitorPoint *point = GetMonitorPointByName(name);
    // Its NV would otherwise go on reporting under a tag that now means
    // another position.
    if (point->MonitoringIsActive())
        point->DeactivateMonitoring();
    m_byName.erase(m_byName.find(QStringView(name)));
    std::erase_if(m_points, [point](const std::unique_ptr<cMonitorPoint> &p) { return p.get() == point; });
}

cMonitorPoint *cMonitorPoints::GetMonitorPoint(int index) const
{
    if (index < 1 || index > Count())
        throw AppError(9, Source, QStringLiteral("Subscript out of range"));
    return m_points.at(static_cast<size_t>(index - 1)).get();
}

cMonitorPoint *cMonitorPoints::GetMonitorPointByName(const QString &name) const
{
    cMonitorPoint *point = FindMonitorPoint(name);
    if (!point)
        throw AppError(5, Source, QStringLiteral("Invalid procedure call or argument"));
    return point;
}

cMonitorPoint *cMonitorPoints::FindMonitorPoint(const QString &name) const
{
    const auto found = m_byName.find(QStringView(name));
    return found == m_byName.end() ? nullptr : found->second;
}

bool cMonitorPoints::openMonitorSet()
{
    if (m_monitorSet)
        return true;
    LnsRef<LnsNetworkVariable> nv;
    for (const auto &point : m_points) {
        if (point->NetworkVariable()) {
            nv = point->NetworkVariable();
            break;
        }
    }
    if (!nv)
        return true; // nothing that could be monitored
    try {
        const auto network = LnsAncestor::findAs<LnsNetwork>(nv, LnsClassId::Network);
        const LnsRef<LnsSystem> system = network ? network->system() : nullptr;
        if (!system)
            return false;
        if (!system->monitorSetOpen())
            system->openMonitorSet();
        m_monitorSet = system;
    } catch (const AppError &error) {
        PlugInGlobals::LogError(error, Source, QStringLiteral("ActivateMonitoring"));
        return false;
    }
    return true;
}

bool cMonitorPoints::ActivateMonitoring()
{
    if (m_points.empty())
        return true;
    if (!openMonitorSet())
        return false;
    bool allHandled = true;
    for (const auto &point : m_points) {
        if (!point->Available() || point->IndependentMonitoring())
            continue;
        if (!point->ActivateMonitoring())
            allHandled = false;
    }
    return allHandled;
}

void cMonitorPoints::DeactivateMonitoring()
{
    for (const auto &point : m_points) {
        if (point->MonitoringIsActive() && !point->IndependentMonitoring())
            point->DeactivateMonitoring();
    }
    if (!m_monitorSet)
        return;
    try {
        m_monitorSet->closeMonitorSet();
    } catch (const AppError &error) {
        PlugInGlobals::LogError(error, Source, QStringLiteral("DeactivateMonitoring"));
    }
    m_monitorSet.reset();
}

void cMonitorPoints::ForceNvUpdate(const QString &name)
{
    const cMonitorPoint *point = GetMonitorPointByName(name);
    Q_EMIT NvUpdate(point->Name(), point->Value());
}

bool cMonitorPoints::namedInIniFile(const QString &nvName)
{
    if (CpDefinitions::IniFile().hasKey(CpDefinitions::NvSection, nvName))
        return true;
    LogService::instance().WriteLogLine(QStringLiteral("Nv not found in Ini file"), LogService::Red);
    return false;
}

cMonitorPoint *cMonitorPoints::FetchDevNV(const QString &pointName, const QString &nvName,
                                          const LnsRef<LnsAppDevice> &appDevice, int monitoringType)
{
    if (!namedInIniFile(nvName))
        return nullptr;
    LnsRef<LnsNetworkVariable> nv;
    bool succeed = false;
    NvDefinitions::FetchDevNv(nvName, CpDefinitions::NvSection, appDevice, nv, &succeed);
    if (!succeed)
        return nullptr;
    return addFetched(pointName, nv, monitoringType, QStringLiteral("FetchDevNV"));
}

cMonitorPoint *cMonitorPoints::FetchLmoNV(const QString &pointName, const QString &nvName,
                                          const LnsRef<LnsLonMarkObject> &lonmarkObject, int monitoringType)
{
    if (!namedInIniFile(nvName))
        return nullptr;
    LnsRef<LnsNetworkVariable> nv;
    bool succeed = false;
    NvDefinitions::FetchNv(nvName, CpDefinitions::NvSection, lonmarkObject, nv, &succeed);
    if (!succeed)
        return nullptr;
    return addFetched(pointName, nv, monitoringType, QStringLiteral("FetchLmoNV"));
}

cMonitorPoint *cMonitorPoints::addFetched(const QString &pointName, const LnsRef<LnsNetworkVariable> &nv,
                                          int monitoringType, const QString &procedure)
{
    try {
        return AddMonitorPoint(pointName, nv, monitoringType);
    } catch (const AppError &error) {
        PlugInGlobals::LogError(error, Source, procedure);
        return nullptr;
    }
}

cMonitorPoint *cMonitorPoints::pointOfTag(int tag) const
{
    if (tag < cMonitorPoint::FirstEventTag)
        return nullptr; // not one of ours
    const int position = tag - cMonitorPoint::FirstEventTag + 1;
    if (position > Count())
        return nullptr;
    return m_points.at(static_cast<size_t>(position - 1)).get();
}

void cMonitorPoints::onNvUpdateOccurred(int tag, const QString &value)
{
    cMonitorPoint *point = pointOfTag(tag);
    if (!point)
        return;
    point->setBufferedValue(value);
    Q_EMIT NvUpdate(point->Name(), value);
}

void cMonitorPoints::onNvCommunicationFailed(int tag)
{
    if (cMonitorPoint *point = pointOfTag(tag))
        Q_EMIT CommunicationFailed(point);
}
