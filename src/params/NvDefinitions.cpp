#include "params/NvDefinitions.h"

#include "host/PlugInGlobals.h"
#include "params/CpDefinitions.h"

bool NvDefinitions::FetchNv(const QString &nvName, const QString &section,
                            const LnsRef<LnsLonMarkObject> &lonmarkObject,
                            LnsRef<LnsNetworkVariable> &networkVariable, bool *succeed)
{
    PlugInGlobals::Trace(QStringLiteral("[M_PlugIn] Public Sub FetchNv()"));
    const int nvIndex = CpDefinitions::ItemNumber(CpDefinitions::IniFile(), section, nvName, 1);
    if (nvIndex < 1)
        return CpDefinitions::fail(succeed, QStringLiteral("FetchNv"), CpDefinitions::iniError(nvName));
    return CpDefinitions::attempt(succeed, [&] {
        if (!lonmarkObject)
            CpDefinitions::raiseNotSet(QStringLiteral("FetchNv"));
        networkVariable = lonmarkObject->networkVariables()->item(nvIndex);
    });
}

bool NvDefinitions::FetchDevNv(const QString &nvName, const QString &section,
                               const LnsRef<LnsAppDevice> &appDevice,
                               LnsRef<LnsNetworkVariable> &networkVariable, bool *succeed)
{
    PlugInGlobals::Trace(QStringLiteral("[M_PlugIn] Public Sub FetchDevNv()"));
    const int nvIndex = CpDefinitions::ItemNumber(CpDefinitions::IniFile(), section, nvName, 1);
    if (nvIndex < 1)
        return CpDefinitions::fail(succeed, QStringLiteral("FetchDevNv"), CpDefinitions::iniError(nvName));
    return CpDefinitions::attemptLogged(succeed, QStringLiteral("FetchDevNv"), [&] {
        if (!appDevice)
            CpDefinitions::raiseNotSet(QStringLiteral("FetchDevNv"));
        networkVariable = appDevice->networkVariables()->item(nvIndex);
    });
}
