#pragma once

#include "platform/services/DeviceSearch.h"
#include "platform/services/MultiDeviceSelection.h"

// The device selection as the user sees it: a MultiDeviceSelectionDialog
// that a DeviceSearch fills while it is open.
class DialogDeviceSelection : public MultiDeviceSelection
{
    Q_OBJECT
public:
    // stepDevices: devices the search looks at between two turns of the event loop.
    explicit DialogDeviceSelection(int stepDevices = DeviceSearch::DefaultStep) : m_stepDevices(stepDevices)
    {
    }

    QList<LnsRef<LnsAppDevice>> chooseDevices(const LnsRef<LnsNetwork> &network,
                                              const LnsRef<LnsSystem> &system,
                                              const LnsRef<LnsAppDevice> &current,
                                              const UtilityComponent &description, QWidget *parent) override;

private:
    int m_stepDevices;
};
