#include "platform/services/DeviceSearch.h"

#include "platform/AppError.h"
#include "platform/netdb/NetDbDeviceListing.h"
#include "platform/services/UtilityComponent.h"

#include <QCollator>
#include <algorithm>

namespace {
// Devices looked at between two turns of the event loop.
constexpr int kStepDevices = 500;

QCollator naturalOrder()
{
    QCollator collator;
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}
} // namespace

DeviceSearch::DeviceSearch(const LnsRef<LnsNetwork> &network, const QStringList &programIds,
                           const LnsRef<LnsAppDevice> &excluded, QObject *parent)
    : QObject(parent), m_listing(network ? NetDbDeviceListing::of(network) : nullptr),
      m_excludedId(excluded ? NetDbDeviceListing::idOf(excluded) : 0)
{
    for (const QString &id : programIds)
        m_programIds.insert(id.trimmed().toUpper());
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        if (!step())
            finish(false);
    });
}

DeviceSearch::~DeviceSearch() = default;

QStringList DeviceSearch::programIdsFor(const LnsRef<LnsAppDevice> &device,
                                        const UtilityComponent &description)
{
    const QString own = device->programId();
    QStringList ids{own};
    ids.append(description.compatibleProgramIds(own));
    return ids;
}

void DeviceSearch::begin()
{
    m_begun = true;
    m_running = true;
    if (!m_listing)
        return; // a network of no database this search can read: nothing to find
    try {
        m_total = m_listing->deviceCount();
        QList<NetDbDeviceListing::Subsystem> subsystems = m_listing->subsystems();
        const QCollator collator = naturalOrder();
        std::sort(subsystems.begin(), subsystems.end(),
                  [&](const auto &a, const auto &b) { return collator.compare(a.path, b.path) < 0; });
        for (const auto &subsystem : subsystems)
            m_subsystems.append({subsystem.id, subsystem.path});
    } catch (const AppError &error) {
        m_failure = error.description();
        m_subsystems.clear();
    }
    Q_EMIT progress(0, m_total);
}

void DeviceSearch::start()
{
    if (m_begun)
        return;
    begin();
    m_timer.start();
}

void DeviceSearch::runToEnd()
{
    if (!m_begun)
        begin();
    m_timer.stop();
    while (m_running && step()) {
    }
    if (m_running)
        finish(false);
}

void DeviceSearch::cancel()
{
    if (m_running)
        finish(true);
}

bool DeviceSearch::step()
{
    if (m_nextSubsystem >= m_subsystems.size())
        return false;
    const QCollator collator = naturalOrder();
    QList<DeviceCandidate> batch;
    int looked = 0;
    try {
        while (looked < kStepDevices && m_nextSubsystem < m_subsystems.size()) {
            const auto &[subsystemId, path] = m_subsystems.at(m_nextSubsystem++);
            const QList<NetDbDeviceListing::Device> devices = m_listing->devicesOf(subsystemId);
            looked += static_cast<int>(devices.size());
            QList<DeviceCandidate> takers;
            for (const auto &device : devices) {
                if (device.id != m_excludedId && m_programIds.contains(device.programId.toUpper()))
                    takers.append(DeviceCandidate{device.id, device.name, path, device.reachable});
            }
            std::sort(takers.begin(), takers.end(), [&](const DeviceCandidate &a, const DeviceCandidate &b) {
                return collator.compare(a.name, b.name) < 0;
            });
            batch.append(takers);
        }
    } catch (const AppError &error) {
        m_failure = error.description();
        m_nextSubsystem = static_cast<int>(m_subsystems.size());
    }
    m_done += looked;
    // Devices added meanwhile may push the count past the total counted first.
    m_total = std::max(m_total, m_done);
    m_candidates.append(batch);
    if (!batch.isEmpty())
        Q_EMIT found(batch);
    Q_EMIT progress(m_done, m_total);
    return m_nextSubsystem < m_subsystems.size();
}

void DeviceSearch::finish(bool cancelled)
{
    m_timer.stop();
    m_running = false;
    Q_EMIT finished(cancelled);
}

LnsRef<LnsAppDevice> DeviceSearch::device(const DeviceCandidate &candidate) const
{
    return m_listing ? m_listing->device(candidate.key) : nullptr;
}
