#include "monitoring/cMonitoring.h"

#include "host/PlugInGlobals.h"
#include "platform/AppError.h"

#include <QGuiApplication>
#include <exception>

namespace {
const QString Source = QStringLiteral("cMonitoring");

// Each NV of a channel object with the prefix of its point's name.
const QString ChannelNvNames[] = {QStringLiteral("PrimeValue"), QStringLiteral("SecValue"),
                                  QStringLiteral("Output")};

// The hourglass while the points are fetched; back to normal however it ends.
class WaitCursor
{
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};
} // namespace

cMonitoring::cMonitoring(QObject *parent) : QObject(parent)
{
    m_points.setObjectServer(PlugInGlobals::ObjectServer);
}

cMonitoring::~cMonitoring() = default;

void cMonitoring::FetchNVs()
{
    FetchNVs(PlugInGlobals::Session.lonMarkObjects);
}

void cMonitoring::FetchNVs(const LnsCollectionRef<LnsLonMarkObject> &objects)
{
    PlugInGlobals::Trace(QStringLiteral("[M_PlugIn] Public Sub FetchCPs()"));
    if (m_nvsFetched)
        return;
    try {
        if (!objects)
            throw AppError(91, Source, QStringLiteral("The device's LonMark objects are not known."));
        // Position 1 is the node object; channel object n follows at n + 1.
        for (int n = 1; n <= ChannelObjects; ++n) {
            const LnsRef<LnsLonMarkObject> object = objects->item(n + 1);
            if (object->functionalProfileKey() == ChannelProfileKey)
                fetchChannelNvs(n, object);
        }
    } catch (const std::exception &error) {
        PlugInGlobals::LogError(error, Source, QStringLiteral("FetchNVs"));
        return;
    }
    m_nvsFetched = true;
}

void cMonitoring::fetchChannelNvs(int n, const LnsRef<LnsLonMarkObject> &lonmarkObject)
{
    for (const QString &nvName : ChannelNvNames) {
        const QString pointName = nvName + QLatin1Char('_') + QString::number(n);
        // Kept from an earlier fetch that ended early.
        if (m_points.FindMonitorPoint(pointName))
            continue;
        m_points.FetchLmoNV(pointName, nvName, lonmarkObject, 0);
    }
}

void cMonitoring::SetMonitoring(bool activate)
{
    PlugInGlobals::Trace(activate ? QStringLiteral("[M_PlugIn] Public Sub SetMonitoring(True)")
                                  : QStringLiteral("[M_PlugIn] Public Sub SetMonitoring(False)"));
    if (!activate) {
        m_points.DeactivateMonitoring();
        return;
    }
    {
        WaitCursor hourglass;
        FetchNVs();
    }
    m_points.ActivateMonitoring();
}
