#pragma once

#include "platform/services/DeviceSearch.h"
#include "platform/services/MultiDeviceSelection.h"

#include <QStringList>

// A device selection without a window, for tests and benchmarks: it runs the
// same search as the dialog, reporting Progress and SearchCompleted, and
// chooses the found devices whose names are listed, in the order of the
// search. No names: the user cancelled.
class ScriptedDeviceSelection : public MultiDeviceSelection
{
public:
    explicit ScriptedDeviceSelection(QStringList names = {}) : m_names(std::move(names)) {}

    QList<LnsRef<LnsAppDevice>> chooseDevices(const LnsRef<LnsNetwork> &network,
                                              const LnsRef<LnsSystem> & /*system*/,
                                              const LnsRef<LnsAppDevice> &current,
                                              const UtilityComponent &description,
                                              QWidget * /*parent*/) override
    {
        DeviceSearch search(
            network, current ? DeviceSearch::programIdsFor(current, description) : QStringList(), current);
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

    // Names of the devices the last search offered, in order.
    const QStringList &offered() const { return m_offered; }

private:
    QStringList m_names;
    QStringList m_offered;
};
