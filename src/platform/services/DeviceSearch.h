#pragma once

#include "platform/lns/LnsNetwork.h"
#include "platform/services/DeviceCandidate.h"

#include <QList>
#include <QObject>
#include <QSet>
#include <QTimer>
#include <memory>

class NetDbDeviceListing;
class UtilityComponent;

// Looks through every subsystem of a network for the devices that take a
// parameter set, a few hundred devices at a time on the event loop, so the
// window that shows the search stays responsive and can cancel it.
// Candidates come sorted: subsystems by path, devices by name, numbers in
// names by their value ("Floor 2" before "Floor 10").
class DeviceSearch : public QObject
{
    Q_OBJECT
public:
    // Devices of network whose program id is one of programIds (letter
    // case ignored), except `excluded`.
    DeviceSearch(const LnsRef<LnsNetwork> &network, const QStringList &programIds,
                 const LnsRef<LnsAppDevice> &excluded, QObject *parent = nullptr);
    ~DeviceSearch() override;

    // The program ids whose devices take the parameter set of `device`: its
    // own and those the description file lists as compatible with it.
    static QStringList programIdsFor(const LnsRef<LnsAppDevice> &device, const UtilityComponent &description);

    void start();    // steps on the event loop; returns at once
    void runToEnd(); // every step now
    void cancel();   // ends a running search
    bool isRunning() const { return m_running; }

    // Found so far, in the order shown.
    const QList<DeviceCandidate> &candidates() const { return m_candidates; }
    // Why the search stopped early; empty when it did not.
    const QString &failure() const { return m_failure; }
    LnsRef<LnsAppDevice> device(const DeviceCandidate &candidate) const;

Q_SIGNALS:
    void found(const QList<DeviceCandidate> &batch);
    void progress(int done, int total);
    void finished(bool cancelled);

private:
    void begin();
    bool step(); // false when nothing is left
    void finish(bool cancelled);

    std::unique_ptr<NetDbDeviceListing> m_listing;
    QSet<QString> m_programIds;
    qint64 m_excludedId = 0;
    QList<std::pair<qint64, QString>> m_subsystems; // id, path; in the order searched
    int m_nextSubsystem = 0;
    int m_done = 0;
    int m_total = 0;
    bool m_running = false;
    bool m_begun = false;
    QList<DeviceCandidate> m_candidates;
    QString m_failure;
    QTimer m_timer;
};
