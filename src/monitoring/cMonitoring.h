#pragma once

#include "monitoring/cMonitorPoints.h"

#include <QObject>

// The monitor points of the 16 channel objects and the switch of their
// monitoring. Channel object n gives the points "PrimeValue_n", "SecValue_n"
// and "Output_n"; the LonMark objects are those of the device the plug-in was
// started for (the session's). The points follow the plug-in's object server
// from creation on.
class cMonitoring : public QObject
{
    Q_OBJECT
public:
    static constexpr int ChannelObjects = 16;
    static constexpr int ChannelProfileKey = 24000;

    explicit cMonitoring(QObject *parent = nullptr);
    ~cMonitoring() override;

    cMonitorPoints &MonitorPoints() { return m_points; }
    const cMonitorPoints &MonitorPoints() const { return m_points; }

    // Adds the points of every channel object once; later calls do nothing.
    // An object of another profile is skipped, and its number stays unused.
    // A missing object ends the fetch with the error logged; a later call
    // adds what is still missing.
    void FetchNVs();
    // The same for the channel objects of a device other than the session's.
    void FetchNVs(const LnsCollectionRef<LnsLonMarkObject> &objects);
    bool NVsFetched() const { return m_nvsFetched; }

    // On: the points are fetched (if not yet) and monitored; off: their
    // monitoring stops.
    void SetMonitoring(bool activate);

private:
    void fetchChannelNvs(int n, const LnsRef<LnsLonMarkObject> &lonmarkObject);

    cMonitorPoints m_points;
    bool m_nvsFetched = false;
};
