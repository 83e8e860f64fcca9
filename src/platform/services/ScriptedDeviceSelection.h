#pragma once

#include "platform/services/MultiDeviceSelection.h"

#include <QStringList>

// A device selection without a window, for tests: it runs the same search as
// the dialog, reporting Progress and SearchCompleted, and chooses the found
// devices whose names are listed, in the order of the search. No names: the
// user cancelled.
class ScriptedDeviceSelection : public MultiDeviceSelection
{
    Q_OBJECT
public:
    explicit ScriptedDeviceSelection(QStringList names = {}) : m_names(std::move(names)) {}

    QList<LnsRef<LnsAppDevice>> chooseDevices(const LnsRef<LnsNetwork> &network,
                                              const LnsRef<LnsSystem> &system,
                                              const LnsRef<LnsAppDevice> &current,
                                              const UtilityComponent &description, QWidget *parent) override;

    // Names of the devices the last search offered, in order.
    const QStringList &offered() const { return m_offered; }

private:
    QStringList m_names;
    QStringList m_offered;
};
