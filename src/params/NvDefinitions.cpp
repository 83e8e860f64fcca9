#include "params/NvDefinitions.h"

#include "host/PlugInGlobals.h"
#include "params/CpDefinitions.h"
#include "platform/AppError.h"

namespace {
QString iniError(const QString &name)
{
    return QStringLiteral("INI - File Error : ") + name;
}

[[noreturn]] void raiseNotSet(const QString &source)
{
    throw AppError(91, source, QStringLiteral("Object variable or With block variable not set"));
}
} // namespace

bool NvDefinitions::FetchNv(const QString &nvName, const QString &section,
                            const LnsRef<LnsLonMarkObject> &lonmarkObject,
                            LnsRef<LnsNetworkVariable> &networkVariable, bool *succeed)
{
    PlugInGlobals::Trace(QStringLiteral("[M_PlugIn] Public Sub FetchNv()"));
    const int nvIndex = CpDefinitions::ItemNumber(CpDefinitions::IniFile(), section, nvName, 1);
    if (nvIndex < 1)
        return CpDefinitions::fail(succeed, QStringLiteral("FetchNv"), iniError(nvName));
    try {
        if (!lonmarkObject)
            raiseNotSet(QStringLiteral("FetchNv"));
        networkVariable = lonmarkObject->networkVariables()->item(nvIndex);
    } catch (const AppError &) {
        if (!succeed)
            throw;
        *succeed = false;
        return false;
    }
    if (succeed)
        *succeed = true;
    return true;
}

bool NvDefinitions::FetchDevNv(const QString &nvName, const QString &section,
                               const LnsRef<LnsAppDevice> &appDevice,
                               LnsRef<LnsNetworkVariable> &networkVariable, bool *succeed)
{
    PlugInGlobals::Trace(QStringLiteral("[M_PlugIn] Public Sub FetchDevNv()"));
    const int nvIndex = CpDefinitions::ItemNumber(CpDefinitions::IniFile(), section, nvName, 1);
    if (nvIndex < 1)
        return CpDefinitions::fail(succeed, QStringLiteral("FetchDevNv"), iniError(nvName));
    try {
        if (!appDevice)
            raiseNotSet(QStringLiteral("FetchDevNv"));
        networkVariable = appDevice->networkVariables()->item(nvIndex);
    } catch (const AppError &error) {
        PlugInGlobals::LogError(error, QStringLiteral("M_PlugIn"), QStringLiteral("FetchDevNv"));
        if (succeed)
            *succeed = false;
        return false;
    }
    if (succeed)
        *succeed = true;
    return true;
}
