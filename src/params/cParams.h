#pragma once

#include "params/ParamList.h"
#include "platform/lns/LnsAppDevice.h"
#include "platform/lns/LnsSystem.h"

#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QX_IniFile;
class cRX24;
class cConfigProp;
class cParamBase;
class cParamTextBox;
class cParamComboBox;
class cParamCheckBox;
class cParamOptBtn;
class cParam1Byte;
class cParam2Byte;
class cParamASCII;
class ConfigurationSet;

// Every parameter of the current device's configuration and the raw config
// properties they share. It creates them, finds them, routes the events of
// their controls to them and moves them all to and from LNS in a fixed kind
// order: 1-byte, 2-byte, check box, combo box, option button, text box, ASCII.
class cParams : public QObject
{
    Q_OBJECT
public:
    explicit cParams(QObject *parent = nullptr);
    ~cParams() override;

    int ClassId() const;

    LnsRef<LnsSystem> System() const { return m_system; }
    void setSystem(const LnsRef<LnsSystem> &system) { m_system = system; }
    // The plug-in description file and the device template that fetches on
    // first use go through.
    const QX_IniFile *IniFile() const { return m_iniFile; }
    void setIniFile(const QX_IniFile *iniFile) { m_iniFile = iniFile; }
    cRX24 *DeviceTemplate() const { return m_deviceTemplate; }
    void setDeviceTemplate(cRX24 *deviceTemplate) { m_deviceTemplate = deviceTemplate; }

    // Creation: the new parameter is in its own list and in the list of all.
    cParamTextBox *AddTextBoxParameter(const QString &name, QLineEdit *control,
                                       const LnsRef<LnsConfigProperty> &cp, const QString &cpIniName);
    cParamTextBox *AddTextBoxParameterExtCp(const QString &name, QLineEdit *control, cConfigProp *configProp);
    cParamComboBox *AddComboBoxParameter(const QString &name, QComboBox *control,
                                         const LnsRef<LnsConfigProperty> &cp, const QString &cpIniName);
    cParamComboBox *AddComboBoxParameterExtCp(const QString &name, QComboBox *control,
                                              cConfigProp *configProp);
    cParamCheckBox *AddCheckBoxParameter(const QString &name, QCheckBox *control,
                                         const LnsRef<LnsConfigProperty> &cp, const QString &cpIniName);
    cParamOptBtn *AddOptionButtonParameter(const QString &name, const LnsRef<LnsConfigProperty> &cp,
                                           const QString &cpIniName);
    cParam2Byte *Add2ByteParameter(const QString &name, const LnsRef<LnsConfigProperty> &cp,
                                   const QString &cpIniName);
    cParam2Byte *Add2ByteParameterExtCp(const QString &name, cConfigProp *configProp);
    cParam1Byte *Add1ByteParameter(const QString &name, const LnsRef<LnsConfigProperty> &cp,
                                   const QString &cpIniName);
    cParam1Byte *Add1ByteParameterExtCp(const QString &name, cConfigProp *configProp);
    cParamASCII *AddAsciiParameter(const QString &name, const LnsRef<LnsConfigProperty> &cp,
                                   const QString &cpIniName);
    cParamASCII *AddAsciiParameterExtCp(const QString &name, cConfigProp *configProp);
    cConfigProp *AddConfigProp(const QString &name, const LnsRef<LnsConfigProperty> &cp,
                               const QString &cpIniName);

    // Lookups: index from 1 (AppError 9 outside), name (AppError 5 unknown).
    cParamTextBox *TextBoxParameter(int index) const { return m_textBoxes.Item(index); }
    cParamTextBox *TextBoxParameterByName(const QString &name) const { return m_textBoxes.Item(name); }
    int TextBoxParameterCount() const { return m_textBoxes.Count(); }
    cParamComboBox *ComboBoxParameter(int index) const { return m_comboBoxes.Item(index); }
    cParamComboBox *ComboBoxParameterByName(const QString &name) const { return m_comboBoxes.Item(name); }
    int ComboBoxParameterCount() const { return m_comboBoxes.Count(); }
    cParamCheckBox *CheckBoxParameter(int index) const { return m_checkBoxes.Item(index); }
    cParamCheckBox *CheckBoxParameterByName(const QString &name) const { return m_checkBoxes.Item(name); }
    int CheckBoxParameterCount() const { return m_checkBoxes.Count(); }
    cParamOptBtn *OptionButtonParameter(int index) const { return m_optionButtons.Item(index); }
    cParamOptBtn *OptionButtonParameterByName(const QString &name) const
    {
        return m_optionButtons.Item(name);
    }
    int OptionButtonParameterCount() const { return m_optionButtons.Count(); }
    cParam2Byte *Parameter2Byte(int index) const { return m_twoBytes.Item(index); }
    cParam2Byte *Parameter2ByteByName(const QString &name) const { return m_twoBytes.Item(name); }
    int Parameter2ByteCount() const { return m_twoBytes.Count(); }
    cParam1Byte *Parameter1Byte(int index) const { return m_oneBytes.Item(index); }
    cParam1Byte *Parameter1ByteByName(const QString &name) const { return m_oneBytes.Item(name); }
    int Parameter1ByteCount() const { return m_oneBytes.Count(); }
    cParamASCII *ParameterAscii(int index) const { return m_asciis.Item(index); }
    cParamASCII *ParameterAsciiByName(const QString &name) const { return m_asciis.Item(name); }
    int ParameterAsciiCount() const { return m_asciis.Count(); }
    cConfigProp *ConfigProps(int index) const { return m_configProps.Item(index); }
    cConfigProp *ConfigPropByName(const QString &name) const { return m_configProps.Item(name); }
    int ConfigPropsCount() const { return m_configProps.Count(); }

    // The first parameter whose control carries the given control-array Index.
    cParamTextBox *TextBoxParameterByControlIndex(int controlIndex) const;
    cParamComboBox *ComboBoxParameterByControlIndex(int controlIndex) const;

    const ParamList<cParamBase> &AllParameters() const { return m_all; }

    // parameterType 1001 .. 1006 searches that kind only; anything else tries
    // 1-byte, 2-byte, check box, combo box, option button, text box. Null
    // when not found.
    cParamBase *ParameterAllByName(const QString &name, int parameterType = 0) const;

    // Control events, routed by the control's "Tag" to the parameter of that
    // name; an unknown name raises.
    void TextBox_Change_Event(QLineEdit *control);
    void TextBox_KeyPress_Event(QLineEdit *control, int &keyAscii);
    void TextBox_LostFocus_Event(QLineEdit *control);
    void TextBox_Validate_Event(QLineEdit *control, bool &cancel);
    void ComboBox_Change_Event(QComboBox *control);
    void CheckBox_Click_Event(QCheckBox *control);
    void OptionButton_Click_Event(QRadioButton *control);

    void ReadFromLns();
    // Writes every parameter inside one transaction of its own (or the
    // caller's, when one is open). A CP that refuses its value, or a commit
    // that fails, cancels the transaction, writes an error entry and raises
    // to the caller; the device then keeps its old set.
    void WriteToLns(bool writeCpNamesToLogger = false);
    void WriteAllParamsToExtCps();
    // The next WriteToLns writes every parameter and config property: a
    // write puts the whole set on the device, so no choice is dropped by a
    // flag left over from an earlier write and no device ends up with a mix
    // of two users' sets. Bytes that do not change cost nothing.
    void ClearWriteExclusions();
    // Writes the set into the CPs of another LonMark object or device, in one
    // transaction; a CP missing there is reported by CpNotFoundWhileWriting
    // and skipped. A CP that refuses its value or a failed commit cancels the
    // whole transaction, writes an error entry and gives false.
    bool WriteToLnsLmo(const LnsRef<LnsLonMarkObject> &lonmarkObject, const QX_IniFile &iniFile,
                       const QString &iniFileCpSection);
    // The LonMark object of the target device whose CPs a parameter goes
    // into; null: the CP is found through the device.
    using ObjectOfParameter = std::function<LnsRef<LnsLonMarkObject>(const QString &parameterName)>;
    bool WriteToLnsDev(const LnsRef<LnsAppDevice> &appDevice, const QX_IniFile &iniFile,
                       const QString &iniFileCpSection, const ObjectOfParameter &objectOf = {});
    bool WriteParamsToLnsLmo(const QList<cParamBase *> &params, const LnsRef<LnsLonMarkObject> &lonmarkObject,
                             const QX_IniFile &iniFile, const QString &iniFileCpSection);

    QList<cParamBase *> GetAllParamsShouldBeWrittenToLns() const;
    QList<LnsRef<LnsConfigProperty>> GetAllCpsShouldBeWrittenToLns() const;
    QStringList GetAllCpNamesShouldBeWrittenToLns() const;
    bool AnyParameterValueIsInvalid() const;

    // The parameter file. WriteToFile replaces the file only when all could be
    // written. LoadFromFile gives an eLoadFromFileErrors code; plugInIniFile
    // is the plug-in description file that lists compatible program ids (may
    // be null: only the device's own id fits). A file with a value that its
    // parameter cannot hold, or one cut off, changes nothing and gives
    // LE_INVALID_CONTENT; LoadFromFileProblem then says why (file, line and
    // key), for the message the user sees, and the trace log has it too.
    bool WriteToFile(const QString &filename, const QString &plugInName, const QString &programId,
                     const QString &dataFileVersion);
    qint32 LoadFromFile(const QString &filename, const QX_IniFile *plugInIniFile, const QString &plugInName,
                        const QString &programId, const QString &dataFileVersion);
    // The same checks, the values into set instead of the parameters.
    qint32 LoadSetFromFile(const QString &filename, const QX_IniFile *plugInIniFile,
                           const QString &plugInName, const QString &programId,
                           const QString &dataFileVersion, ConfigurationSet &set);
    const QString &LoadFromFileProblem() const { return m_loadProblem; }

    bool FetchLmoCp(const QString &cpName, const QString &section, const QX_IniFile *iniFile,
                    cRX24 *deviceTemplate, const LnsRef<LnsLonMarkObject> &lonmarkObject,
                    LnsRef<LnsConfigProperty> &configProperty, bool *succeed = nullptr);
    bool FetchDevCp(const QString &cpName, const QString &section, const QX_IniFile *iniFile,
                    cRX24 *deviceTemplate, const LnsRef<LnsAppDevice> &appDevice,
                    LnsRef<LnsConfigProperty> &configProperty, bool *succeed = nullptr);
    // The fetch on first use of a CP registered with its owner: through the
    // device for an application device (class 7), through the LonMark object
    // for a LonMark object (class 28); any other owner fails.
    bool FetchCpOfOwner(const QString &cpIniName, const LnsRef<LnsObject> &owner,
                        LnsRef<LnsConfigProperty> &configProperty);

    // The lists in kind order.
    QList<QList<cParamBase *>> KindOrderLists() const;

Q_SIGNALS:
    void CpNotFoundWhileWriting(const QString &cpName, const LnsRef<LnsObject> &lnsObject);
    void ParameterWrittenToLns(const QString &name);
    void ParameterWrittenToFile(const QString &name);

private:
    template <class T>
    T *addDirect(ParamList<T> &list, const QString &name, const LnsRef<LnsConfigProperty> &cp,
                 const QString &cpIniName);
    template <class T> T *addExternal(ParamList<T> &list, const QString &name, cConfigProp *configProp);
    template <class T> T *adopt(ParamList<T> &list, std::unique_ptr<T> param, const QString &name);
    bool startTransaction();
    void cancelTransaction();
    // Raise when a CP refuses its value.
    template <class FetchFn>
    void writeSetInto(const LnsRef<LnsObject> &target, const QList<cParamBase *> &params, FetchFn fetch);
    template <class FetchFn> void writeConfigPropsInto(const LnsRef<LnsObject> &target, FetchFn fetch);
    template <class FetchFn>
    bool writeWholeSet(const LnsRef<LnsObject> &target, FetchFn fetch, const QString &procedureName);

    LnsRef<LnsSystem> m_system;
    const QX_IniFile *m_iniFile = nullptr;
    cRX24 *m_deviceTemplate = nullptr;

    ParamList<cParamTextBox> m_textBoxes;
    ParamList<cParamComboBox> m_comboBoxes;
    ParamList<cParamCheckBox> m_checkBoxes;
    ParamList<cParamOptBtn> m_optionButtons;
    ParamList<cParam2Byte> m_twoBytes;
    ParamList<cParam1Byte> m_oneBytes;
    ParamList<cParamASCII> m_asciis;
    ParamList<cParamBase> m_all;
    ParamList<cConfigProp> m_configProps;

    std::vector<std::unique_ptr<cParamBase>> m_ownedParams;
    std::vector<std::unique_ptr<cConfigProp>> m_ownedConfigProps;
    QString m_loadProblem;
};
