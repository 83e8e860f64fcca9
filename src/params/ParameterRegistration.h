#pragma once

#include "platform/lns/LnsAppDevice.h"

#include <QList>
#include <QString>
#include <functional>

class QComboBox;
class cParams;
class cConfigProp;
class cParam1Byte;
class cParam2Byte;
class cParamComboBox;

// Binds one CP of the device to a new parameter of the configuration's
// collection. The CP is found through the CP section of the plug-in
// description file. With lateFetch set nothing is asked of LNS now: the
// LonMark object becomes the parameter's CpOwner and the CP is fetched on
// first use. The parameter's name is the key, or the CP name when the key is
// empty. A CP that cannot be fetched ends the registration with false.
class ParameterRegistration
{
public:
    static bool Register1ByteParameter(cParams &params, const QString &cpIniName,
                                       const LnsRef<LnsLonMarkObject> &lonmarkObject, const QString &key,
                                       bool lateFetch, cParam1Byte *&parameter);
    static bool Register2ByteParameter(cParams &params, const QString &cpIniName,
                                       const LnsRef<LnsLonMarkObject> &lonmarkObject, const QString &key,
                                       bool lateFetch, cParam2Byte *&parameter);
    static bool RegisterConfigProp(cParams &params, const QString &cpIniName,
                                   const LnsRef<LnsLonMarkObject> &lonmarkObject, const QString &key,
                                   bool lateFetch, cConfigProp *&configProp);

    // Where a device parameter's CP comes from: the device's own LonMark
    // object, or the device itself (positions with object and NV index).
    struct DeviceCpSource
    {
        LnsRef<LnsLonMarkObject> deviceObject;
        LnsRef<LnsAppDevice> appDevice;
        bool fetchThroughDevice = false;
    };
    // A combo-box parameter bound to combo box number controlNumber of the
    // main window's control array; its CP is always fetched at once.
    static bool RegisterDeviceParameter(cParams &params, const QString &cpIniName,
                                        const DeviceCpSource &source,
                                        const std::function<QComboBox *(int)> &comboBoxes, int controlNumber,
                                        const QString &key, cParamComboBox *&parameter);

private:
    static bool fetchNow(const QString &cpIniName, const LnsRef<LnsLonMarkObject> &lonmarkObject,
                         bool lateFetch, LnsRef<LnsConfigProperty> &cp);
    static QString nameOf(const QString &key, const QString &cpIniName);
};
