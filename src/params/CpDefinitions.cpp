#include "params/CpDefinitions.h"

#include "host/PlugInGlobals.h"
#include "platform/AppError.h"
#include "platform/services/QX_IniFile.h"
#include "template/TemplateNumber.h"

#include <cmath>

const QString CpDefinitions::CpSection = QStringLiteral("velto tarvinaRX24 CPs 1.0 ");
const QString CpDefinitions::NvSection = QStringLiteral("velto tarvinaRX24 NVs 1.0 ");

namespace {
const QX_IniFile *&currentIniFile()
{
    static const QX_IniFile *iniFile = nullptr;
    return iniFile;
}

QString stepError(const QString &step, const QString &name, const QString &indexName, int index)
{
    return QStringLiteral("INI-File Error (CP, %1): %2 / %3=%4")
        .arg(step, name, indexName, QString::number(index));
}
} // namespace

void CpDefinitions::setIniFile(const QX_IniFile *iniFile)
{
    currentIniFile() = iniFile;
}

const QX_IniFile &CpDefinitions::IniFile()
{
    static const QX_IniFile empty;
    return currentIniFile() ? *currentIniFile() : empty;
}

int CpDefinitions::ItemNumber(const QX_IniFile &iniFile, const QString &section, const QString &key, int item)
{
    const double number = TemplateNumber::leadingNumber(iniFile.read(section, key, item));
    if (!std::isfinite(number) || std::fabs(number) > 1e9)
        return 0;
    return static_cast<int>(TemplateNumber::roundHalfEven(number));
}

bool CpDefinitions::fail(bool *succeed, const QString &source, const QString &text)
{
    if (succeed) {
        *succeed = false;
        return false;
    }
    throw AppError(IniFileError, source, text);
}

QString CpDefinitions::iniError(const QString &name)
{
    return QStringLiteral("INI - File Error : ") + name;
}

void CpDefinitions::raiseNotSet(const QString &source)
{
    throw AppError(91, source, QStringLiteral("Object variable or With block variable not set"));
}

bool CpDefinitions::attempt(bool *succeed, const std::function<void()> &lookup)
{
    try {
        lookup();
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

bool CpDefinitions::attemptLogged(bool *succeed, const QString &procedure,
                                  const std::function<void()> &lookup)
{
    try {
        lookup();
    } catch (const AppError &error) {
        PlugInGlobals::LogError(error, QStringLiteral("M_PlugIn"), procedure);
        if (succeed)
            *succeed = false;
        return false;
    }
    if (succeed)
        *succeed = true;
    return true;
}

bool CpDefinitions::FetchLmoCp(const QString &cpName, const QString &section, const QX_IniFile &iniFile,
                               const LnsRef<LnsLonMarkObject> &lonmarkObject,
                               LnsRef<LnsConfigProperty> &configProperty, bool *succeed)
{
    const int cpIndex = ItemNumber(iniFile, section, cpName, 1);
    // -1 marks a CP the device does not have; 0 (a missing line) cannot name
    // a collection item either.
    if (cpIndex < 1 || !lonmarkObject)
        return fail(succeed, QStringLiteral("FetchLmoCp"), iniError(cpName));
    return attempt(succeed, [&] {
        const int nvIndex = ItemNumber(iniFile, section, cpName, 2);
        const LnsCollectionRef<LnsConfigProperty> cps =
            nvIndex > 0 ? lonmarkObject->networkVariables()->item(nvIndex)->configProperties()
                        : lonmarkObject->configProperties();
        configProperty = cps->item(cpIndex);
    });
}

bool CpDefinitions::FetchDevCpThroughDevice(const QString &cpName, const QString &section,
                                            const QX_IniFile &iniFile, const LnsRef<LnsAppDevice> &appDevice,
                                            LnsRef<LnsConfigProperty> &configProperty, bool *succeed)
{
    const QString source = QStringLiteral("FetchDevCp");
    const int cpIndex = ItemNumber(iniFile, section, cpName, 1);
    const int objectIndex = ItemNumber(iniFile, section, cpName, 2);
    const int nvIndex = ItemNumber(iniFile, section, cpName, 3);
    if (cpIndex < 1 || !appDevice)
        return fail(succeed, source,
                    stepError(QStringLiteral("CP-Fetch"), cpName, QStringLiteral("CP-Index"), cpIndex));

    LnsRef<LnsLonMarkObject> object;
    if (objectIndex > 0) {
        try {
            object = appDevice->lonMarkObjects()->item(objectIndex);
        } catch (const AppError &) {
        }
        if (!object)
            return fail(succeed, source,
                        stepError(QStringLiteral("Object-Fetch"), cpName, QStringLiteral("Object-Index"),
                                  objectIndex));
    }
    LnsRef<LnsNetworkVariable> nv;
    if (nvIndex > 0) {
        try {
            nv = object ? object->networkVariables()->item(nvIndex)
                        : appDevice->networkVariables()->item(nvIndex);
        } catch (const AppError &) {
        }
        if (!nv)
            return fail(succeed, source,
                        stepError(QStringLiteral("NV-Fetch"), cpName, QStringLiteral("NV-Index"), nvIndex));
    }
    LnsRef<LnsConfigProperty> cp;
    try {
        const LnsCollectionRef<LnsConfigProperty> cps =
            nv ? nv->configProperties()
               : (object ? object->configProperties() : appDevice->configProperties());
        cp = cps->item(cpIndex);
    } catch (const AppError &) {
    }
    if (!cp)
        return fail(succeed, source,
                    stepError(QStringLiteral("CP-Fetch"), cpName, QStringLiteral("CP-Index"), cpIndex));
    configProperty = cp;
    if (succeed)
        *succeed = true;
    return true;
}

bool CpDefinitions::FetchCp(const QString &cpName, const QString &section,
                            const LnsRef<LnsLonMarkObject> &lonmarkObject,
                            LnsRef<LnsConfigProperty> &configProperty, bool *succeed)
{
    PlugInGlobals::Trace(QStringLiteral("[M_PlugIn] Public Sub FetchCp()"));
    try {
        return FetchLmoCp(cpName, section, IniFile(), lonmarkObject, configProperty, succeed);
    } catch (const AppError &error) {
        if (error.number() == IniFileError && !succeed)
            throw;
        PlugInGlobals::LogError(error, QStringLiteral("M_LNS_Utilities"), QStringLiteral("FetchLmoCp2"));
        if (succeed)
            *succeed = false;
        return false;
    }
}

bool CpDefinitions::FetchDevCp(const QString &cpName, const QString &section,
                               const LnsRef<LnsAppDevice> &appDevice,
                               LnsRef<LnsConfigProperty> &configProperty, bool *succeed)
{
    PlugInGlobals::Trace(QStringLiteral("[M_PlugIn] Public Sub FetchDevCp()"));
    const int cpIndex = ItemNumber(IniFile(), section, cpName, 1);
    if (cpIndex < 1)
        return fail(succeed, QStringLiteral("FetchDevCp"), iniError(cpName));
    return attemptLogged(succeed, QStringLiteral("FetchDevCp"), [&] {
        if (!appDevice)
            raiseNotSet(QStringLiteral("M_PlugIn"));
        const int objectIndex = ItemNumber(IniFile(), section, cpName, 2);
        configProperty = appDevice->lonMarkObjects()->item(objectIndex)->configProperties()->item(cpIndex);
    });
}
