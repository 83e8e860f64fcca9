#pragma once

#include "platform/lns/LnsConfigProperty.h"

#include <QString>

class cParams;
class cConfigProp;

// What every parameter kind offers: the collection creates parameters, finds
// them by name and moves them between their controls, their CP and the
// parameter file through these members only.
//
// A parameter's value lives either in a CP of its own (direct CP,
// ConfigProperty) or in some bytes of a raw config property that several
// parameters share (external CP, ConfigPropExt).
class cParamBase
{
public:
    virtual ~cParamBase() = default;

    virtual int ClassId() const = 0;
    const QString &Name() const { return m_name; }
    cParams *Parent() const { return m_parent; }

    LnsRef<LnsConfigProperty> ConfigProperty() const { return m_configProperty; }
    void setConfigProperty(const LnsRef<LnsConfigProperty> &cp) { m_configProperty = cp; }
    const QString &CpIniName() const { return m_cpIniName; }
    cConfigProp *ConfigPropExt() const { return m_configPropExt; }
    bool CpIsExternal() const { return m_configPropExt != nullptr; }

    // Restricts the value to some bytes of the CP element, from BytePos (1 =
    // first byte). Kinds without such a field (option buttons) ignore it.
    virtual void ConsiderPartOfCpOnly(int bytePos, int byteLength = 0) = 0;

    bool Available() const { return m_available; }
    void setAvailable(bool available) { m_available = available; }
    bool Changed() const { return m_changed; }
    void setChanged(bool changed) { m_changed = changed; }

    bool DontReadFromLns() const { return m_dontReadFromLns; }
    void setDontReadFromLns(bool v) { m_dontReadFromLns = v; }
    bool DontWriteToLns() const { return m_dontWriteToLns; }
    void setDontWriteToLns(bool v) { m_dontWriteToLns = v; }
    bool DontWriteToFile() const { return m_dontWriteToFile; }
    void setDontWriteToFile(bool v) { m_dontWriteToFile = v; }
    bool ForceWriteToFile() const { return m_forceWriteToFile; }
    void setForceWriteToFile(bool v) { m_forceWriteToFile = v; }

    // Direct CP <-> value; a parameter with an external CP ignores these.
    virtual void ReadFromLns() = 0;
    virtual void WriteToLns() = 0;
    // External CP bytes <-> value; a parameter with a direct CP ignores these.
    virtual void ReadFromExtCp() = 0;
    virtual void WriteToExtCp() = 0;

    // The text right of " = " in a parameter file line. Loading asks every
    // parameter first whether its CP field can hold the text read (the reason
    // in the user's language, empty when it can), so that a file is taken
    // whole or not at all; then it sets the values, with the same effects as
    // typing. A value that fits the field but lies outside the range the user
    // may type is taken: the range check shows it.
    virtual QString FileValueText() const = 0;
    virtual QString FileTextProblem(const QString &text) const = 0;
    // Only for a text FileTextProblem accepts.
    virtual void SetValueFromFileText(const QString &text) = 0;

    // Called once by the collection right after creation.
    void initDirect(cParams *parent, const QString &name, const LnsRef<LnsConfigProperty> &cp,
                    const QString &cpIniName)
    {
        m_parent = parent;
        m_name = name;
        m_configProperty = cp;
        m_cpIniName = cpIniName;
        m_available = cp != nullptr;
    }
    void initExternal(cParams *parent, const QString &name, cConfigProp *configProp, bool available)
    {
        m_parent = parent;
        m_name = name;
        m_configPropExt = configProp;
        m_available = available;
    }

private:
    cParams *m_parent = nullptr;
    QString m_name;
    LnsRef<LnsConfigProperty> m_configProperty;
    QString m_cpIniName;
    cConfigProp *m_configPropExt = nullptr;
    bool m_available = false;
    bool m_changed = false;
    bool m_dontReadFromLns = false;
    bool m_dontWriteToLns = false;
    bool m_dontWriteToFile = false;
    bool m_forceWriteToFile = false;
};
