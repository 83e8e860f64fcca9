#include "params/cParams.h"

#include "host/PlugInGlobals.h"
#include "host/ResourceStrings.h"
#include "params/CpDefinitions.h"
#include "params/LogService.h"
#include "params/ParameterFile.h"
#include "params/cConfigProp.h"
#include "params/cParam1Byte.h"
#include "params/cParam2Byte.h"
#include "params/cParamASCII.h"
#include "params/cParamCheckBox.h"
#include "params/cParamComboBox.h"
#include "params/cParamOptBtn.h"
#include "params/cParamTextBox.h"
#include "platform/services/QX_IniFile.h"
#include "platform/services/UtilityComponent.h"
#include "template/ParamEnums.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVariant>

namespace {
const QString ModuleName = QStringLiteral("cParams");
const char *const TagProperty = "Tag";
const char *const IndexProperty = "Index";

QString tagOf(const QObject *control)
{
    return control ? control->property(TagProperty).toString() : QString();
}

template <class T> QList<cParamBase *> asBase(const ParamList<T> &list)
{
    QList<cParamBase *> result;
    result.reserve(list.Count());
    for (T *item : list)
        result.append(item);
    return result;
}

const QX_IniFile &iniOrEmpty(const QX_IniFile *iniFile)
{
    static const QX_IniFile empty;
    return iniFile ? *iniFile : empty;
}
} // namespace

cParams::cParams(QObject *parent) : QObject(parent) {}

cParams::~cParams() = default;

int cParams::ClassId() const
{
    return PA_PARAMETERS;
}

// --- creation -----------------------------------------------------------

template <class T> T *cParams::adopt(ParamList<T> &list, std::unique_ptr<T> param, const QString &name)
{
    T *raw = param.get();
    m_ownedParams.push_back(std::move(param));
    list.Add(raw, name);
    // A name that another kind already uses is refused here, after the kind's
    // own list took the parameter: it stays findable there (ParameterAllByName
    // searches the kind lists), but it is not one of all parameters.
    m_all.Add(raw, name);
    return raw;
}

template <class T>
T *cParams::addDirect(ParamList<T> &list, const QString &name, const LnsRef<LnsConfigProperty> &cp,
                      const QString &cpIniName)
{
    auto param = std::make_unique<T>();
    param->initDirect(this, name, cp, cpIniName);
    return adopt(list, std::move(param), name);
}

template <class T> T *cParams::addExternal(ParamList<T> &list, const QString &name, cConfigProp *configProp)
{
    auto param = std::make_unique<T>();
    param->initExternal(this, name, configProp, configProp && configProp->Available());
    return adopt(list, std::move(param), name);
}

cParamTextBox *cParams::AddTextBoxParameter(const QString &name, QLineEdit *control,
                                            const LnsRef<LnsConfigProperty> &cp, const QString &cpIniName)
{
    cParamTextBox *param = addDirect(m_textBoxes, name, cp, cpIniName);
    param->setTextBoxControl(control);
    if (control)
        control->setProperty(TagProperty, name);
    param->setSnvtType(eSnvtType::unsigned_);
    return param;
}

cParamTextBox *cParams::AddTextBoxParameterExtCp(const QString &name, QLineEdit *control,
                                                 cConfigProp *configProp)
{
    cParamTextBox *param = addExternal(m_textBoxes, name, configProp);
    param->setTextBoxControl(control);
    if (control)
        control->setProperty(TagProperty, name);
    param->setSnvtType(eSnvtType::unsigned_);
    return param;
}

cParamComboBox *cParams::AddComboBoxParameter(const QString &name, QComboBox *control,
                                              const LnsRef<LnsConfigProperty> &cp, const QString &cpIniName)
{
    cParamComboBox *param = addDirect(m_comboBoxes, name, cp, cpIniName);
    param->setComboBoxControl(control);
    if (control)
        control->setProperty(TagProperty, name);
    return param;
}

cParamComboBox *cParams::AddComboBoxParameterExtCp(const QString &name, QComboBox *control,
                                                   cConfigProp *configProp)
{
    cParamComboBox *param = addExternal(m_comboBoxes, name, configProp);
    param->setComboBoxControl(control);
    if (control)
        control->setProperty(TagProperty, name);
    return param;
}

cParamCheckBox *cParams::AddCheckBoxParameter(const QString &name, QCheckBox *control,
                                              const LnsRef<LnsConfigProperty> &cp, const QString &cpIniName)
{
    cParamCheckBox *param = addDirect(m_checkBoxes, name, cp, cpIniName);
    param->setCheckBoxControl(control);
    if (control)
        control->setProperty(TagProperty, name);
    return param;
}

cParamOptBtn *cParams::AddOptionButtonParameter(const QString &name, const LnsRef<LnsConfigProperty> &cp,
                                                const QString &cpIniName)
{
    return addDirect(m_optionButtons, name, cp, cpIniName);
}

cParam2Byte *cParams::Add2ByteParameter(const QString &name, const LnsRef<LnsConfigProperty> &cp,
                                        const QString &cpIniName)
{
    return addDirect(m_twoBytes, name, cp, cpIniName);
}

cParam2Byte *cParams::Add2ByteParameterExtCp(const QString &name, cConfigProp *configProp)
{
    return addExternal(m_twoBytes, name, configProp);
}

cParam1Byte *cParams::Add1ByteParameter(const QString &name, const LnsRef<LnsConfigProperty> &cp,
                                        const QString &cpIniName)
{
    return addDirect(m_oneBytes, name, cp, cpIniName);
}

cParam1Byte *cParams::Add1ByteParameterExtCp(const QString &name, cConfigProp *configProp)
{
    return addExternal(m_oneBytes, name, configProp);
}

cParamASCII *cParams::AddAsciiParameter(const QString &name, const LnsRef<LnsConfigProperty> &cp,
                                        const QString &cpIniName)
{
    return addDirect(m_asciis, name, cp, cpIniName);
}

cParamASCII *cParams::AddAsciiParameterExtCp(const QString &name, cConfigProp *configProp)
{
    return addExternal(m_asciis, name, configProp);
}

cConfigProp *cParams::AddConfigProp(const QString &name, const LnsRef<LnsConfigProperty> &cp,
                                    const QString &cpIniName)
{
    auto configProp = std::make_unique<cConfigProp>();
    configProp->init(this, name, cp, cpIniName);
    m_configProps.Add(configProp.get(), name);
    m_ownedConfigProps.push_back(std::move(configProp));
    return m_ownedConfigProps.back().get();
}

// --- lookups ------------------------------------------------------------

cParamTextBox *cParams::TextBoxParameterByControlIndex(int controlIndex) const
{
    for (cParamTextBox *param : m_textBoxes) {
        const QLineEdit *control = param->TextBoxControl();
        if (control && control->property(IndexProperty).isValid() &&
            control->property(IndexProperty).toInt() == controlIndex)
            return param;
    }
    return nullptr;
}

cParamComboBox *cParams::ComboBoxParameterByControlIndex(int controlIndex) const
{
    for (cParamComboBox *param : m_comboBoxes) {
        const QComboBox *control = param->ComboBoxControl();
        if (control && control->property(IndexProperty).isValid() &&
            control->property(IndexProperty).toInt() == controlIndex)
            return param;
    }
    return nullptr;
}

cParamBase *cParams::ParameterAllByName(const QString &name, int parameterType) const
{
    switch (parameterType) {
    case PA_CLASSID_TEXTBOX_PARAMETER:
        return m_textBoxes.Find(name);
    case PA_CLASSID_COMBOBOX_PARAMTER:
        return m_comboBoxes.Find(name);
    case PA_CLASSID_CHECKBOX_PARAMETER:
        return m_checkBoxes.Find(name);
    case PA_CLASSID_OPTIONBUTTON_PARAMETER:
        return m_optionButtons.Find(name);
    case PA_CLASSID_1BYTE_PARAMETER:
        return m_oneBytes.Find(name);
    case PA_CLASSID_2BYTE_PARAMETER:
        return m_twoBytes.Find(name);
    default:
        break;
    }
    if (cParamBase *p = m_oneBytes.Find(name))
        return p;
    if (cParamBase *p = m_twoBytes.Find(name))
        return p;
    if (cParamBase *p = m_checkBoxes.Find(name))
        return p;
    if (cParamBase *p = m_comboBoxes.Find(name))
        return p;
    if (cParamBase *p = m_optionButtons.Find(name))
        return p;
    return m_textBoxes.Find(name);
}

// --- control events -------------------------------------------------------

void cParams::TextBox_Change_Event(QLineEdit *control)
{
    m_textBoxes.Item(tagOf(control))->TextBox_Change_Event();
}

void cParams::TextBox_KeyPress_Event(QLineEdit *control, int &keyAscii)
{
    m_textBoxes.Item(tagOf(control))->TextBox_KeyPress_Event(keyAscii);
}

void cParams::TextBox_LostFocus_Event(QLineEdit *control)
{
    m_textBoxes.Item(tagOf(control))->TextBox_LostFocus_Event();
}

void cParams::TextBox_Validate_Event(QLineEdit *control, bool &cancel)
{
    m_textBoxes.Item(tagOf(control))->TextBox_Validate_Event(cancel);
}

void cParams::ComboBox_Change_Event(QComboBox *control)
{
    m_comboBoxes.Item(tagOf(control))->ComboBox_Change_Event();
}

void cParams::CheckBox_Click_Event(QCheckBox *control)
{
    m_checkBoxes.Item(tagOf(control))->CheckBox_Click_Event();
}

void cParams::OptionButton_Click_Event(QRadioButton *control)
{
    cParamOptBtn *param = m_optionButtons.Item(tagOf(control));
    param->OptionButton_Click_Event(param->OptionButtonIndexOf(control));
}

// --- reading and writing ----------------------------------------------------

QList<QList<cParamBase *>> cParams::KindOrderLists() const
{
    return {asBase(m_oneBytes),      asBase(m_twoBytes),  asBase(m_checkBoxes), asBase(m_comboBoxes),
            asBase(m_optionButtons), asBase(m_textBoxes), asBase(m_asciis)};
}

void cParams::ReadFromLns()
{
    const QList<QList<cParamBase *>> lists = KindOrderLists();
    for (const QList<cParamBase *> &list : lists) {
        for (cParamBase *param : list) {
            if (param->ConfigProperty() && param->Available() && !param->DontReadFromLns())
                param->ReadFromLns();
        }
    }
    for (cConfigProp *configProp : m_configProps) {
        if (!configProp->DontReadFromLns())
            configProp->ReadFromLns();
    }
    for (const QList<cParamBase *> &list : lists) {
        for (cParamBase *param : list) {
            if (param->Available() && param->CpIsExternal() && param->ConfigPropExt()->CpFetched())
                param->ReadFromExtCp();
        }
    }
}

void cParams::WriteAllParamsToExtCps()
{
    for (const QList<cParamBase *> &list : KindOrderLists()) {
        for (cParamBase *param : list) {
            if (param->Available() && param->CpIsExternal() && param->ConfigPropExt()->CpFetched())
                param->WriteToExtCp();
        }
    }
}

void cParams::ClearWriteExclusions()
{
    for (cParamBase *param : m_all)
        param->setDontWriteToLns(false);
    for (cConfigProp *configProp : m_configProps)
        configProp->setDontWriteToLns(false);
}

bool cParams::startTransaction()
{
    // A set is never written one statement at a time: without a transaction
    // (the database busy, read-only, full) nothing is written, and the error
    // says why.
    if (!m_system)
        throw AppError(91, ModuleName,
                       QStringLiteral("No transaction can be started: the collection has no system."));
    if (m_system->inTransaction())
        return false; // the caller's transaction carries the writes
    m_system->startTransaction();
    return true;
}

void cParams::WriteToLns(bool writeCpNamesToLogger)
{
    if (writeCpNamesToLogger) {
        LogService &log = LogService::instance();
        log.WriteLogLine(ResourceStrings::LoadResString(1553) + QStringLiteral("  "));
        for (const QString &name : GetAllCpNamesShouldBeWrittenToLns())
            log.WriteLogLine(QStringLiteral("    - ") + name, LogService::Green);
        log.WriteLogLine(QString());
    }
    bool inTransaction = false;
    try {
        inTransaction = startTransaction();
        for (const QList<cParamBase *> &list : KindOrderLists()) {
            for (cParamBase *param : list) {
                if (param->Available() && !param->DontWriteToLns())
                    param->WriteToLns();
            }
        }
        // Parameters that share a CP put their bytes in first; each shared CP
        // then goes to LNS once.
        WriteAllParamsToExtCps();
        for (cConfigProp *configProp : m_configProps) {
            if (configProp->Available() && !configProp->DontWriteToLns())
                configProp->WriteToLns();
        }
        if (inTransaction)
            m_system->commitTransaction();
    } catch (const std::exception &error) {
        // A CP that refused its value, or a commit that failed: the device
        // keeps its whole old set, and the caller learns of it.
        PlugInGlobals::LogError(error, ModuleName, QStringLiteral("WriteToLns"));
        if (inTransaction)
            cancelTransaction();
        throw;
    }
}

void cParams::cancelTransaction()
{
    try {
        if (m_system->inTransaction())
            m_system->cancelTransaction();
    } catch (const AppError &error) {
        PlugInGlobals::LogError(error, ModuleName, QStringLiteral("cancelTransaction"));
    }
}

template <class FetchFn>
void cParams::writeSetInto(const LnsRef<LnsObject> &target, const QList<cParamBase *> &params, FetchFn fetch)
{
    for (cParamBase *param : params) {
        // A CP never fetched here holds no value of this set to pass on.
        if (!param->Available() || param->DontWriteToLns() || param->CpIsExternal() ||
            !param->ConfigProperty())
            continue;
        const LnsRef<LnsConfigProperty> own = param->ConfigProperty();
        LnsRef<LnsConfigProperty> found;
        bool succeed = false;
        try {
            fetch(param->Name(), param->CpIniName(), found, succeed);
        } catch (const AppError &) {
            succeed = false;
        }
        if (succeed) {
            param->setConfigProperty(found);
            try {
                param->WriteToLns();
            } catch (...) {
                param->setConfigProperty(own);
                throw;
            }
        } else {
            Q_EMIT CpNotFoundWhileWriting(param->CpIniName(), target);
        }
        param->setConfigProperty(own);
    }
}

template <class FetchFn> void cParams::writeConfigPropsInto(const LnsRef<LnsObject> &target, FetchFn fetch)
{
    for (cConfigProp *configProp : m_configProps) {
        if (!configProp->Available() || configProp->DontWriteToLns() || !configProp->ConfigProperty())
            continue;
        const LnsRef<LnsConfigProperty> own = configProp->ConfigProperty();
        LnsRef<LnsConfigProperty> found;
        bool succeed = false;
        try {
            fetch(configProp->Name(), configProp->CpIniName(), found, succeed);
        } catch (const AppError &) {
            succeed = false;
        }
        if (succeed) {
            configProp->setConfigProperty(found);
            try {
                configProp->WriteToLns();
            } catch (...) {
                configProp->setConfigProperty(own);
                throw;
            }
        } else {
            Q_EMIT CpNotFoundWhileWriting(configProp->CpIniName(), target);
        }
        configProp->setConfigProperty(own);
    }
}

template <class FetchFn>
bool cParams::writeWholeSet(const LnsRef<LnsObject> &target, FetchFn fetch, const QString &procedureName)
{
    bool inTransaction = false;
    try {
        inTransaction = startTransaction();
        for (const QList<cParamBase *> &list : KindOrderLists())
            writeSetInto(target, list, fetch);
        writeConfigPropsInto(target, fetch);
        if (inTransaction)
            m_system->commitTransaction();
        return true;
    } catch (const std::exception &error) {
        // One refused CP or a failed commit: nothing of the set stays.
        PlugInGlobals::LogError(error, ModuleName, procedureName);
        if (inTransaction)
            cancelTransaction();
        return false;
    }
}

bool cParams::WriteParamsToLnsLmo(const QList<cParamBase *> &params,
                                  const LnsRef<LnsLonMarkObject> &lonmarkObject, const QX_IniFile &iniFile,
                                  const QString &iniFileCpSection)
{
    try {
        writeSetInto(lonmarkObject, params,
                     [&](const QString &, const QString &cpName, LnsRef<LnsConfigProperty> &cp, bool &ok) {
                         FetchLmoCp(cpName, iniFileCpSection, &iniFile, m_deviceTemplate, lonmarkObject, cp,
                                    &ok);
                     });
        return true;
    } catch (const std::exception &error) {
        PlugInGlobals::LogError(error, ModuleName, QStringLiteral("WriteParamsToLnsLmo"));
        return false;
    }
}

bool cParams::WriteToLnsLmo(const LnsRef<LnsLonMarkObject> &lonmarkObject, const QX_IniFile &iniFile,
                            const QString &iniFileCpSection)
{
    return writeWholeSet(
        lonmarkObject,
        [&](const QString &, const QString &cpName, LnsRef<LnsConfigProperty> &cp, bool &ok) {
            FetchLmoCp(cpName, iniFileCpSection, &iniFile, m_deviceTemplate, lonmarkObject, cp, &ok);
        },
        QStringLiteral("WriteToLnsLmo"));
}

bool cParams::WriteToLnsDev(const LnsRef<LnsAppDevice> &appDevice, const QX_IniFile &iniFile,
                            const QString &iniFileCpSection, const ObjectOfParameter &objectOf)
{
    return writeWholeSet(
        appDevice,
        [&](const QString &paramName, const QString &cpName, LnsRef<LnsConfigProperty> &cp, bool &ok) {
            const LnsRef<LnsLonMarkObject> object = objectOf ? objectOf(paramName) : nullptr;
            if (object)
                FetchLmoCp(cpName, iniFileCpSection, &iniFile, m_deviceTemplate, object, cp, &ok);
            else
                FetchDevCp(cpName, iniFileCpSection, &iniFile, m_deviceTemplate, appDevice, cp, &ok);
        },
        QStringLiteral("WriteToLnsDev"));
}

// --- selections ---------------------------------------------------------------

QList<cParamBase *> cParams::GetAllParamsShouldBeWrittenToLns() const
{
    QList<cParamBase *> result;
    const QList<QList<cParamBase *>> lists = {asBase(m_oneBytes),      asBase(m_twoBytes),
                                              asBase(m_checkBoxes),    asBase(m_comboBoxes),
                                              asBase(m_optionButtons), asBase(m_textBoxes)};
    for (const QList<cParamBase *> &list : lists) {
        for (cParamBase *param : list) {
            if (param->Available() && !param->DontWriteToLns())
                result.append(param);
        }
    }
    return result;
}

QList<LnsRef<LnsConfigProperty>> cParams::GetAllCpsShouldBeWrittenToLns() const
{
    QList<LnsRef<LnsConfigProperty>> result;
    QStringList names;
    for (cParamBase *param : GetAllParamsShouldBeWrittenToLns()) {
        LnsRef<LnsConfigProperty> cp = param->ConfigProperty();
        if (!cp && param->ConfigPropExt())
            cp = param->ConfigPropExt()->ConfigProperty();
        if (!cp)
            continue;
        const QString name = cp->name();
        if (names.contains(name))
            continue;
        names.append(name);
        result.append(cp);
    }
    return result;
}

QStringList cParams::GetAllCpNamesShouldBeWrittenToLns() const
{
    QStringList names;
    for (const LnsRef<LnsConfigProperty> &cp : GetAllCpsShouldBeWrittenToLns())
        names.append(cp->name());
    return names;
}

bool cParams::AnyParameterValueIsInvalid() const
{
    bool invalid = false;
    for (cParamTextBox *param : m_textBoxes) {
        if (param->Available() && param->ValueIsInvalid())
            invalid = true;
    }
    for (cParamComboBox *param : m_comboBoxes) {
        if (param->Available() && !param->CurrentValueIsInComboList())
            invalid = true;
    }
    return invalid;
}

// --- parameter file --------------------------------------------------------------

bool cParams::WriteToFile(const QString &filename, const QString &plugInName, const QString &programId,
                          const QString &dataFileVersion)
{
    return ParameterFile(*this).write(filename, {plugInName, programId, dataFileVersion});
}

qint32 cParams::LoadFromFile(const QString &filename, const QX_IniFile *plugInIniFile,
                             const QString &plugInName, const QString &programId,
                             const QString &dataFileVersion)
{
    ConfigurationSet set;
    const qint32 result =
        LoadSetFromFile(filename, plugInIniFile, plugInName, programId, dataFileVersion, set);
    if (result == LE_NO_ERROR)
        set.putInto(*this);
    return result;
}

qint32 cParams::LoadSetFromFile(const QString &filename, const QX_IniFile *plugInIniFile,
                                const QString &plugInName, const QString &programId,
                                const QString &dataFileVersion, ConfigurationSet &set)
{
    const std::optional<UtilityComponent> description =
        plugInIniFile ? std::optional<UtilityComponent>(std::in_place, plugInIniFile->path()) : std::nullopt;
    ParameterFile file(*this);
    const eLoadFromFileErrors result = file.loadSet(filename, description ? &*description : nullptr,
                                                    {plugInName, programId, dataFileVersion}, set);
    m_loadProblem = file.Problem();
    if (!m_loadProblem.isEmpty())
        PlugInGlobals::Trace(QStringLiteral("[cParams] LoadFromFile: ") +
                             QString(m_loadProblem).replace(QLatin1Char('\n'), QLatin1Char(' ')));
    return result;
}

// --- CP definitions -------------------------------------------------------------

bool cParams::FetchLmoCp(const QString &cpName, const QString &section, const QX_IniFile *iniFile, cRX24 *,
                         const LnsRef<LnsLonMarkObject> &lonmarkObject,
                         LnsRef<LnsConfigProperty> &configProperty, bool *succeed)
{
    return CpDefinitions::FetchLmoCp(cpName, section, iniOrEmpty(iniFile), lonmarkObject, configProperty,
                                     succeed);
}

bool cParams::FetchDevCp(const QString &cpName, const QString &section, const QX_IniFile *iniFile, cRX24 *,
                         const LnsRef<LnsAppDevice> &appDevice, LnsRef<LnsConfigProperty> &configProperty,
                         bool *succeed)
{
    return CpDefinitions::FetchDevCpThroughDevice(cpName, section, iniOrEmpty(iniFile), appDevice,
                                                  configProperty, succeed);
}

bool cParams::FetchCpOfOwner(const QString &cpIniName, const LnsRef<LnsObject> &owner,
                             LnsRef<LnsConfigProperty> &configProperty)
{
    if (!owner)
        return false;
    bool succeed = false;
    switch (owner->classId()) {
    case LnsClassId::AppDevice:
        FetchDevCp(cpIniName, CpDefinitions::CpSection, m_iniFile, m_deviceTemplate,
                   std::dynamic_pointer_cast<LnsAppDevice>(owner), configProperty, &succeed);
        return succeed;
    case LnsClassId::LonMarkObject:
        FetchLmoCp(cpIniName, CpDefinitions::CpSection, m_iniFile, m_deviceTemplate,
                   std::dynamic_pointer_cast<LnsLonMarkObject>(owner), configProperty, &succeed);
        return succeed;
    default:
        return false;
    }
}
