#include "project/ProjectLoader.h"

#include "batch/BatchSession.h"
#include "platform/netdb/NetDbDeviceListing.h"
#include "platform/netdb/NetDbProjectOverview.h"
#include "platform/netdb/NetworkDatabase.h"

#include <QCollator>
#include <QHash>
#include <algorithm>
#include <vector>

namespace {
QCollator numericCollator()
{
    QCollator collator;
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}
} // namespace

QStringList ProjectLoader::networks() const
{
    QStringList names = m_session.database().networkNames();
    const QCollator collator = numericCollator();
    std::sort(names.begin(), names.end(), collator);
    return names;
}

QStringList ProjectLoader::subsystemPaths(const QString &network) const
{
    QStringList paths;
    if (const auto listing = NetDbDeviceListing::of(m_session.network(network))) {
        for (const NetDbDeviceListing::Subsystem &subsystem : listing->subsystems())
            paths << subsystem.path;
    }
    const QCollator collator = numericCollator();
    std::sort(paths.begin(), paths.end(), collator);
    return paths;
}

QList<ProjectDevice> ProjectLoader::devices(const QString &network) const
{
    const LnsRef<LnsNetwork> net = m_session.network(network);
    const auto listing = NetDbDeviceListing::of(net);
    const auto overview = NetDbProjectOverview::of(net);
    if (!listing || !overview)
        return {};
    QHash<qint64, QString> paths;
    for (const NetDbDeviceListing::Subsystem &subsystem : listing->subsystems())
        paths.insert(subsystem.id, subsystem.path);

    const QList<NetDbProjectOverview::Device> rows = overview->devices();
    QList<ProjectDevice> devices;
    devices.reserve(rows.size());
    for (const NetDbProjectOverview::Device &row : rows) {
        ProjectDevice device;
        device.device = {network, paths.value(row.subsystemId), row.name, row.programId, row.reachable};
        device.served = m_session.serves(row.programId);
        device.modules = row.modules;
        device.lastWritten = row.lastWritten;
        device.lastWriter = row.lastWriter;
        devices.append(device);
    }
    // Sort keys made once: a collator compare of ten thousand names each
    // time would cost more than the whole read.
    const QCollator collator = numericCollator();
    struct Key
    {
        QCollatorSortKey path;
        QCollatorSortKey name;
        qsizetype index;
    };
    std::vector<Key> keys;
    keys.reserve(static_cast<size_t>(devices.size()));
    for (qsizetype i = 0; i < devices.size(); ++i)
        keys.push_back({collator.sortKey(devices.at(i).device.subsystemPath),
                        collator.sortKey(devices.at(i).device.name), i});
    std::sort(keys.begin(), keys.end(), [](const Key &a, const Key &b) {
        const int byPath = a.path.compare(b.path);
        return byPath != 0 ? byPath < 0 : a.name.compare(b.name) < 0;
    });
    QList<ProjectDevice> sorted;
    sorted.reserve(devices.size());
    for (const Key &key : keys)
        sorted.append(std::move(devices[key.index]));
    return sorted;
}
