#include "params/ParameterRegistration.h"

#include "params/CpDefinitions.h"
#include "params/NvDefinitions.h"
#include "params/cConfigProp.h"
#include "params/cParam1Byte.h"
#include "params/cParam2Byte.h"
#include "params/cParamComboBox.h"
#include "params/cParams.h"

#include <QComboBox>

bool ParameterRegistration::fetchNow(const QString &cpIniName, const LnsRef<LnsLonMarkObject> &lonmarkObject,
                                     bool lateFetch, LnsRef<LnsConfigProperty> &cp)
{
    if (lateFetch)
        return true;
    bool succeed = false;
    CpDefinitions::FetchCp(cpIniName, CpDefinitions::CpSection, lonmarkObject, cp, &succeed);
    return succeed;
}

QString ParameterRegistration::nameOf(const QString &key, const QString &cpIniName)
{
    return key.isEmpty() ? cpIniName : key;
}

bool ParameterRegistration::Register1ByteParameter(cParams &params, const QString &cpIniName,
                                                   const LnsRef<LnsLonMarkObject> &lonmarkObject,
                                                   const QString &key, bool lateFetch,
                                                   cParam1Byte *&parameter)
{
    LnsRef<LnsConfigProperty> cp;
    if (!fetchNow(cpIniName, lonmarkObject, lateFetch, cp))
        return false;
    parameter = params.Add1ByteParameter(nameOf(key, cpIniName), cp, cpIniName);
    parameter->setLateFetch(lateFetch);
    if (lateFetch) {
        parameter->setCpOwner(lonmarkObject);
        parameter->setAvailable(true);
    }
    return true;
}

bool ParameterRegistration::Register2ByteParameter(cParams &params, const QString &cpIniName,
                                                   const LnsRef<LnsLonMarkObject> &lonmarkObject,
                                                   const QString &key, bool lateFetch,
                                                   cParam2Byte *&parameter)
{
    LnsRef<LnsConfigProperty> cp;
    if (!fetchNow(cpIniName, lonmarkObject, lateFetch, cp))
        return false;
    parameter = params.Add2ByteParameter(nameOf(key, cpIniName), cp, cpIniName);
    parameter->setLateFetch(lateFetch);
    if (lateFetch) {
        parameter->setCpOwner(lonmarkObject);
        parameter->setAvailable(true);
    }
    return true;
}

bool ParameterRegistration::RegisterConfigProp(cParams &params, const QString &cpIniName,
                                               const LnsRef<LnsLonMarkObject> &lonmarkObject,
                                               const QString &key, bool lateFetch, cConfigProp *&configProp)
{
    LnsRef<LnsConfigProperty> cp;
    if (!fetchNow(cpIniName, lonmarkObject, lateFetch, cp))
        return false;
    configProp = params.AddConfigProp(nameOf(key, cpIniName), cp, cpIniName);
    configProp->setLateFetch(lateFetch);
    if (lateFetch) {
        configProp->setCpOwner(lonmarkObject);
        configProp->setAvailable(true);
    }
    return true;
}

bool ParameterRegistration::RegisterDeviceParameter(cParams &params, const QString &cpIniName,
                                                    const DeviceCpSource &source,
                                                    const std::function<QComboBox *(int)> &comboBoxes,
                                                    int controlNumber, const QString &key,
                                                    cParamComboBox *&parameter)
{
    LnsRef<LnsConfigProperty> cp;
    bool succeed = false;
    if (source.fetchThroughDevice)
        params.FetchDevCp(cpIniName, CpDefinitions::CpSection, &CpDefinitions::IniFile(),
                          params.DeviceTemplate(), source.appDevice, cp, &succeed);
    else
        CpDefinitions::FetchCp(cpIniName, CpDefinitions::CpSection, source.deviceObject, cp, &succeed);
    if (!succeed)
        return false;
    QComboBox *control = comboBoxes ? comboBoxes(controlNumber) : nullptr;
    parameter = params.AddComboBoxParameter(nameOf(key, cpIniName), control, cp, cpIniName);
    return true;
}
