#pragma once

#include "platform/lns/LnsNetwork.h"
#include "platform/services/MultiDeviceSelectionTexts.h"
#include "platform/services/UtilityComponent.h"

#include <QList>
#include <QObject>
#include <functional>
#include <memory>

class QWidget;

// Choosing the devices of the project that a parameter set is copied to.
class MultiDeviceSelection : public QObject
{
    Q_OBJECT
public:
    // Searches the open network (all systems and subsystems) for devices that take the
    // parameter set of `current` (same program id, or one listed as compatible in the
    // plug-in description file), leaves `current` out, lets the user choose. Returns the
    // chosen devices in the order shown; empty when none chosen or cancelled.
    virtual QList<LnsRef<LnsAppDevice>> chooseDevices(const LnsRef<LnsNetwork> &network,
                                                      const LnsRef<LnsSystem> &system,
                                                      const LnsRef<LnsAppDevice> &current,
                                                      const UtilityComponent &description,
                                                      QWidget *parent) = 0;

    // Replaceable creation, so tests script the choice.
    static std::unique_ptr<MultiDeviceSelection> create();
    // An empty factory restores the real dialog.
    static void setFactory(std::function<std::unique_ptr<MultiDeviceSelection>()> factory);

    // The texts of the window, in the user's language.
    void setTexts(const MultiDeviceSelectionTexts &texts) { m_texts = texts; }
    const MultiDeviceSelectionTexts &texts() const { return m_texts; }

Q_SIGNALS:
    // While searching: done of total devices looked at.
    void Progress(int done, int total);
    // The search ended, completed or cancelled.
    void SearchCompleted();

private:
    MultiDeviceSelectionTexts m_texts;
};
