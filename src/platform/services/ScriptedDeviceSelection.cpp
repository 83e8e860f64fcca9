#include "platform/services/ScriptedDeviceSelection.h"

#include "platform/services/DeviceSearch.h"

QList<LnsRef<LnsAppDevice>> ScriptedDeviceSelection::chooseDevices(const LnsRef<LnsNetwork> &network,
                                                                   const LnsRef<LnsSystem> & /*system*/,
                                                                   const LnsRef<LnsAppDevice> &current,
                                                                   const UtilityComponent &description,
                                                                   QWidget * /*parent*/)
{
    DeviceSearch search(network, current ? DeviceSearch::programIdsFor(current, description) : QStringList(),
                        current);
    connect(&search, &DeviceSearch::progress, this, &MultiDeviceSelection::Progress);
    connect(&search, &DeviceSearch::finished, this, &MultiDeviceSelection::SearchCompleted);
    search.runToEnd();

    m_offered.clear();
    QList<LnsRef<LnsAppDevice>> chosen;
    for (const DeviceCandidate &candidate : search.candidates()) {
        m_offered.append(candidate.name);
        if (m_names.contains(candidate.name))
            chosen.append(search.device(candidate));
    }
    return chosen;
}
