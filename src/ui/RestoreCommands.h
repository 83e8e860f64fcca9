#pragma once

#include <QString>

class ConfigurationSet;
class QWidget;
class cConfiguration;

// Taking one of the device's earlier configurations back into the window,
// chosen from the device's history. Like a parameter file that loads, the
// set only reaches the window: Apply writes it, and that write lands in the
// history in turn, so a restore can be undone as well.
class RestoreCommands
{
public:
    // True when a set was put into the window (it then shows the parameters
    // again). Asks first when the window holds changes not written yet.
    static bool RestoreEarlierSet(cConfiguration &configuration, const QString &caption, QWidget *owner);
    // The set with its object names: it was the device's own, names included.
    // Marks the parameters changed, so Apply writes it.
    static void PutEarlierSet(cConfiguration &configuration, const ConfigurationSet &set, int number);
};
