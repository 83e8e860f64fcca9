#pragma once

#include "platform/services/QX_IniFile.h"

#include <QList>
#include <QString>
#include <QStringList>

class LocalServerLookup;

// The device template: answers what module types offer (channels, terminals,
// dimming, functions) and which NV types and priorities each function (FPT
// key) accepts, by reading RX24.ini each time it is asked; nothing is cached
// here.
//
// Lists come back as new lists in file order. Where a list is numbered from 1
// in the template's terms, index 0 of the returned QList is item 1.
// Number conversions follow TemplateNumber: counts, terminals and priorities
// are bytes, NV type ids 16-bit integers; a value outside raises AppError 6
// "Overflow". Asking for the first item of an empty list (the defaults taken
// from a list) raises AppError 9 "Subscript out of range". A template that
// cannot be read as written (QX_IniFile::problem) raises AppError 75 with
// the reason from every query that reads it.
//
// The queries without an FPT key argument use the current key, FptIndex(),
// which starts at 0.
class cRX24
{
public:
    static constexpr int SwitchFptKey = 21201;
    static constexpr int NxModuleType = 16;
    static constexpr int PriorityCount = 8;

    // Opens the template beside the proxy application's local server (see
    // locateTemplateFile), with the plug-in's own folder as the fallback, and
    // says in the log which file that is.
    cRX24();
    // Opens the template at an explicit path.
    explicit cRX24(const QString &templatePath);

    // The template file beside the local server of "veltoProxy.Application":
    // its folder + "RX24.ini". When no server is registered, the server has
    // no folder, or its file name is "vb6.exe" in any letter case, the file
    // is looked for in ownFolder instead.
    static QString locateTemplateFile(const LocalServerLookup &lookup, const QString &ownFolder);
    static QString templatePathForServer(const QString &localServer, const QString &ownFolder);
    // The log line naming the template file taken and why it is that one.
    static QString locationNote(const LocalServerLookup &lookup, const QString &templatePath);

    void setTemplatePath(const QString &path);
    QString templatePath() const { return m_reader.path(); }

    qint32 FptIndex() const { return m_fptIndex; }
    void setFptIndex(qint32 fptIndex) { m_fptIndex = fptIndex; }
    bool ExtendedFptsEnabled() const { return m_extendedFptsEnabled; }
    void setExtendedFptsEnabled(bool enabled) { m_extendedFptsEnabled = enabled; }

    // Module types.
    quint8 ChannelCountByModuleType(int moduleType) const;
    quint8 TerminalsPerChannelByModuleType(int moduleType) const;
    bool SupportsDimmingByModuleType(int moduleType) const;
    // FPTs_ items, then FPTsEx_ items while ExtendedFptsEnabled is on.
    QStringList SupportedFptsByModuleType(int moduleType) const;
    QString DefaultFptByModuleType(int moduleType) const;
    // Module types whose functions hold the current FPT key, in the order of
    // the device's module list (HF4, HF4-10V, HF8, ...).
    QList<int> SupportedModuleTypes() const;

    // Functions on channels.
    quint8 UsedTerminalsBySupportedFpt(const QString &supportedFpt) const;
    // used terminals / terminals per channel + 0.49, rounded; AppError 11
    // "Division by zero" for a module type without terminals per channel.
    quint8 UsedChannelsByModuleTypeAndSupportedFpt(int moduleType, const QString &supportedFpt) const;
    // Whether a function can start on channel (from 1); AppError 6 when the
    // channel lies behind the module's last channel.
    bool ModuleChannelSupportsFpt(int moduleType, int channel, const QString &supportedFpt) const;

    // Prime input.
    qint16 DefaultNvTypePrimeInput() const;
    qint16 DefaultNvTypePrimeInputByFptIndex(qint32 fptKey) const;
    QList<int> SupportedNvTypesPrimeInput() const;
    bool PrimeInputNvTypeSupportedByFptIndex(qint32 fptKey, int nvType) const;
    QList<int> SupportedNvTypesPrimeInputByFptIndexAndOutputNvType(qint32 fptKey, int outType) const;
    QList<int> SupportedNvTypesPrimeInputByOutputNvType(int outType) const;
    qint16 DefaultNvTypePrimeInputByOutputNvType(int outType) const;
    bool PrimeInputNvTypeSupportedByFptIndexAndOutputNvType(qint32 fptKey, int outType, int nvType) const;
    bool PrimeInputNvTypeSupportedByOutputNvType(int outType, int nvType) const;

    // Secondary input and its priority.
    qint16 DefaultNvTypeSecInput() const;
    qint16 DefaultNvTypeSecInputByOutputNvTypeAll(int outType) const;
    qint16 DefaultNvTypeSecInputByFptIndex(qint32 fptKey) const;
    QList<int> SupportedNvTypesSecInput(int priority) const;
    QList<int> SupportedNvTypesSecInputAll() const;
    QList<int> SupportedPrioritiesSecInput() const;
    QList<int> SupportedPrioritiesSecInputByNvType(int secType) const;
    QList<int> SupportedPrioritiesSecInputByNvTypes(int secType, int outType) const;
    quint8 DefaultSecInputPriorityByFptIndex(qint32 fptKey) const;
    quint8 DefaultSecInputPriorityByNvTypes(int secType, int outType) const;
    bool SecInputNvTypePriorityCombiIsValid(int secType, int priority) const;
    bool SecInputNvTypePriorityOutputNvTypeCombiIsValid(int secType, int priority, int outType) const;
    bool SecInputNvTypeSupportedByOutputNvType(int secType, int outType) const;
    bool SecInputNvTypeSupported(int secType) const;
    bool SecInputNvTypeSupportedByFptIndex(qint32 fptKey, int nvType) const;
    QList<int> SupportedNvTypesSecInputByFptIndexAndOutputNvTypeAndPriority(qint32 fptKey, int outType,
                                                                            int priority) const;
    QList<int> SupportedNvTypesSecInputByOutputNvTypeAndPriority(int outType, int priority) const;
    QList<int> SupportedNvTypesSecInputByOutputNvTypeAll(int outType) const;
    bool SecInputNvTypeSupportedByFptIndexAndOutputNvTypeAndPriority(qint32 fptKey, int outType, int priority,
                                                                     int nvType) const;

    // Output.
    qint16 DefaultNvTypeOutput() const;
    qint16 DefaultNvTypeOutputByFptIndex(qint32 fptKey) const;
    QList<int> SupportedNvTypesOuput() const;
    bool OutputNvTypeSupportedByFptIndex(qint32 fptKey, int nvType) const;

    // Switch objects: the output types common to the lists of all events, in
    // the order of the first event's list; no events give an empty list.
    QList<int> SupportedNvTypesOutputBySwitchEvents(const QList<int> &events) const;
    bool OutputNvTypeSupportedBySwitchEvents(const QList<int> &events, int nvType) const;
    qint16 DefaultNvTypeOutputBySwitchEvents(const QList<int> &events) const;
    // Output, prime and secondary type of a switch object (FPT key 21201,
    // whatever the current key), checked in this order.
    bool NvTypesCombiIsValidBySwitchEvents(const QList<int> &events, int priority, int primeType, int secType,
                                           int outType) const;

private:
    const QX_IniFile &reader() const;
    QString readText(const QString &section, const QString &key) const;
    double readNumber(const QString &section, const QString &key) const;
    QStringList readTextList(const QString &section, const QString &key) const;
    QList<int> readNvTypeList(const QString &section, const QString &key) const;
    QList<int> readPriorityList(const QString &section, const QString &key) const;
    QList<int> secInputTypesUnion(qint32 fptKey) const;

    QX_IniFile m_reader;
    qint32 m_fptIndex = 0;
    bool m_extendedFptsEnabled = false;
};
