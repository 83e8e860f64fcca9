#pragma once

#include "monitoring/cMonitorPoint.h"
#include "platform/lns/LnsAppDevice.h"
#include "platform/lns/LnsObjectServer.h"
#include "platform/lns/LnsSystem.h"
#include "platform/services/FoldedNameMap.h"

#include <QObject>
#include <QPointer>
#include <memory>
#include <vector>

// The named monitor points of the device, counted from 1 in the order they
// were added and found by name without regard to letter case. It owns its
// points and passes the object server's events for their NVs on: a point's
// event tag is 5000 plus its position (from 0) when it was added.
class cMonitorPoints : public QObject
{
    Q_OBJECT
public:
    explicit cMonitorPoints(QObject *parent = nullptr);
    ~cMonitorPoints() override;

    LnsObjectServer *ObjectServer() const { return m_objectServer; }
    // Follows the events of this server from now on (none when null).
    void setObjectServer(LnsObjectServer *objectServer);

    // A new point under name. With an NV it gets its event tag and the
    // monitoring type; without one it stays not Available. A name already
    // used raises AppError 457 and adds nothing.
    cMonitorPoint *AddMonitorPoint(const QString &name, const LnsRef<LnsNetworkVariable> &nv = {},
                                   int monitoringType = 0);
    // Stops the point's monitoring and deletes it; an unknown name raises
    // AppError 5.
    void RemoveMonitorPointByName(const QString &name);
    // Index from 1; outside 1 .. Count raises AppError 9.
    cMonitorPoint *GetMonitorPoint(int index) const;
    // An unknown name raises AppError 5.
    cMonitorPoint *GetMonitorPointByName(const QString &name) const;
    // Null for an unknown name.
    cMonitorPoint *FindMonitorPoint(const QString &name) const;
    int Count() const { return static_cast<int>(m_points.size()); }

    // Opens the monitor set of the system the points' NVs belong to (when
    // not open yet) and starts every point that is not activated on its own.
    // False when the set cannot be opened or a point could not be started.
    bool ActivateMonitoring();
    void DeactivateMonitoring();

    // Reads the named point's value from LNS and raises NvUpdate with it.
    void ForceNvUpdate(const QString &name);

    // Add a point named pointName for the NV whose position the NV section of
    // the plug-in description file gives under nvName, taken from the device
    // or from a LonMark object. An NV the file does not name is logged in red;
    // any failure gives null and adds nothing.
    cMonitorPoint *FetchDevNV(const QString &pointName, const QString &nvName,
                              const LnsRef<LnsAppDevice> &appDevice, int monitoringType = 0);
    cMonitorPoint *FetchLmoNV(const QString &pointName, const QString &nvName,
                              const LnsRef<LnsLonMarkObject> &lonmarkObject, int monitoringType = 0);

Q_SIGNALS:
    void NvUpdate(const QString &name, const QString &value);
    void CommunicationFailed(cMonitorPoint *point);

private:
    void onNvUpdateOccurred(int tag, const QString &value);
    void onNvCommunicationFailed(int tag);
    cMonitorPoint *pointOfTag(int tag) const;
    bool openMonitorSet();
    static bool namedInIniFile(const QString &nvName);
    cMonitorPoint *addFetched(const QString &pointName, const LnsRef<LnsNetworkVariable> &nv,
                              int monitoringType, const QString &procedure);

    QPointer<LnsObjectServer> m_objectServer;
    std::vector<std::unique_ptr<cMonitorPoint>> m_points;
    // The points by name (a point keeps the name it was added under): every
    // channel object asks for its three points by name, again and again.
    FoldedNameMap<cMonitorPoint *> m_byName;
    LnsRef<LnsSystem> m_monitorSet; // the system whose monitor set this collection opened
};
