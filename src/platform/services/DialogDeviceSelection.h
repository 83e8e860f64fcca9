#pragma once

#include "platform/services/MultiDeviceSelection.h"

// The device selection as the user sees it: a MultiDeviceSelectionDialog
// that a DeviceSearch fills while it is open.
class DialogDeviceSelection : public MultiDeviceSelection
{
    Q_OBJECT
public:
    QList<LnsRef<LnsAppDevice>> chooseDevices(const LnsRef<LnsNetwork> &network,
                                              const LnsRef<LnsSystem> &system,
                                              const LnsRef<LnsAppDevice> &current,
                                              const UtilityComponent &description, QWidget *parent) override;
};
