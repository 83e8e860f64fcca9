#include "platform/services/DialogDeviceSelection.h"

#include "platform/services/DeviceSearch.h"
#include "platform/services/MultiDeviceSelectionDialog.h"

QList<LnsRef<LnsAppDevice>> DialogDeviceSelection::chooseDevices(const LnsRef<LnsNetwork> &network,
                                                                 const LnsRef<LnsSystem> & /*system*/,
                                                                 const LnsRef<LnsAppDevice> &current,
                                                                 const UtilityComponent &description,
                                                                 QWidget *parent)
{
    // The network holds the one system; the search covers all its subsystems.
    DeviceSearch search(network, current ? DeviceSearch::programIdsFor(current, description) : QStringList(),
                        current);
    MultiDeviceSelectionDialog dialog(texts(), parent);
    connect(&search, &DeviceSearch::found, &dialog, &MultiDeviceSelectionDialog::addCandidates);
    connect(&search, &DeviceSearch::progress, &dialog, &MultiDeviceSelectionDialog::setProgress);
    connect(&search, &DeviceSearch::progress, this, &MultiDeviceSelection::Progress);
    connect(&search, &DeviceSearch::finished, this, [&](bool cancelled) {
        dialog.searchFinished(cancelled, search.failure());
        Q_EMIT SearchCompleted();
    });
    connect(&dialog, &MultiDeviceSelectionDialog::cancelSearchRequested, &search, &DeviceSearch::cancel);

    search.start();
    const bool accepted = dialog.exec() == QDialog::Accepted;
    search.cancel(); // a search still running when the window closes ends with it
    if (!accepted)
        return {};
    QList<LnsRef<LnsAppDevice>> devices;
    for (const DeviceCandidate &candidate : dialog.chosen())
        devices.append(search.device(candidate));
    return devices;
}
