#pragma once

#include <QtGlobal>
#include <functional>

class QWidget;
class cParams;
class cMonitorPoints;
class cRX24;
class cLmos;
class cActModules;

// What the classes of the configuration model reach through the
// configuration that owns them: the parameter collection, the monitor points
// of the NVs, the device template, the channel objects and the modules. The
// configuration of the workflows fills it and outlives every model object;
// the model owns none of it.
struct ModelContext
{
    cParams *params = nullptr;
    cMonitorPoints *monitorPoints = nullptr;
    cRX24 *deviceTemplate = nullptr;
    cLmos *lmos = nullptr;
    cActModules *actModules = nullptr;
    // The window's ValueChanged: the user changed a channel's object or type.
    std::function<void()> valueChanged;
    // The page the channel rows of module slot 1 .. 8 are placed on; the
    // model creates the rows there but never shows a window. Null: rows are
    // created without a parent.
    std::function<QWidget *(int moduleNumber)> modulePage;
};
