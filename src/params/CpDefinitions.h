#pragma once

#include "platform/lns/LnsAppDevice.h"

#include <QString>
#include <functional>

class QX_IniFile;

// Where the plug-in finds its CPs: every CP it uses has a line in the CP
// section of the plug-in description file (tarvinaRX24.ini) giving its
// position in the LNS collections, never its LNS name.
//
// A fetch either reports failure through succeed (when the caller passes it)
// and then never raises, or raises the error to the caller.
class CpDefinitions
{
public:
    static const QString CpSection; // "velto tarvinaRX24 CPs 1.0 "
    static const QString NvSection; // "velto tarvinaRX24 NVs 1.0 "
    static constexpr long IniFileError = 10000;

    // The plug-in description file that the module procedures read; set by
    // the application start. Without one every definition reads as empty.
    static void setIniFile(const QX_IniFile *iniFile);
    static const QX_IniFile &IniFile();

    // Items: CP index, NV index. With NV index > 0 the CP belongs to that NV
    // of the object. A CP index below 1 (-1: not defined) fails with
    // IniFileError "INI - File Error : " + name.
    static bool FetchLmoCp(const QString &cpName, const QString &section, const QX_IniFile &iniFile,
                           const LnsRef<LnsLonMarkObject> &lonmarkObject,
                           LnsRef<LnsConfigProperty> &configProperty, bool *succeed = nullptr);
    // Items: CP index, object index, NV index; the CP collection reached from
    // the device through the object and the NV that are given (> 0).
    static bool FetchDevCpThroughDevice(const QString &cpName, const QString &section,
                                        const QX_IniFile &iniFile, const LnsRef<LnsAppDevice> &appDevice,
                                        LnsRef<LnsConfigProperty> &configProperty, bool *succeed = nullptr);

    // Module procedures: they read IniFile(), write a trace line and hand any
    // error other than a missing definition to the error log.
    static bool FetchCp(const QString &cpName, const QString &section,
                        const LnsRef<LnsLonMarkObject> &lonmarkObject,
                        LnsRef<LnsConfigProperty> &configProperty, bool *succeed = nullptr);
    // Items: CP index, object index; the CP of that LonMark object of the device.
    static bool FetchDevCp(const QString &cpName, const QString &section,
                           const LnsRef<LnsAppDevice> &appDevice, LnsRef<LnsConfigProperty> &configProperty,
                           bool *succeed = nullptr);

    // A definition item as a whole number; an empty or non-numeric item is 0.
    static int ItemNumber(const QX_IniFile &iniFile, const QString &section, const QString &key, int item);
    // Reports a failed fetch: false into succeed, or the error raised.
    static bool fail(bool *succeed, const QString &source, const QString &text);
    // The text of a missing definition.
    static QString iniError(const QString &name);
    // The error of an owner that is not there.
    [[noreturn]] static void raiseNotSet(const QString &source);
    // Runs the LNS part of a fetch and reports its outcome through succeed;
    // an error it raises goes on to the caller that does not pass succeed.
    static bool attempt(bool *succeed, const std::function<void()> &lookup);
    // The same for a module procedure: the error goes to the error log,
    // under module M_PlugIn and the procedure's name.
    static bool attemptLogged(bool *succeed, const QString &procedure, const std::function<void()> &lookup);
};
