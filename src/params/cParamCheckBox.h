#pragma once

#include "params/RawFieldAccess.h"
#include "params/cParamBase.h"
#include "template/ParamEnums.h"

#include <QPointer>

class QCheckBox;

// A CP field with two meaningful values, shown as a check box: ValueChecked
// ticks it, ValueUnchecked clears it. Any other value read from the device
// leaves the tick as it was and shows the caption in red.
class cParamCheckBox : public cParamBase
{
public:
    cParamCheckBox();

    int ClassId() const override { return PA_CLASSID_CHECKBOX_PARAMETER; }

    QCheckBox *CheckBoxControl() const { return m_checkBox; }
    void setCheckBoxControl(QCheckBox *control);

    qint32 Value() const { return m_value; }
    // Ignored while the parameter has no CP to live in.
    void setValue(qint32 value);
    bool SignedValue() const { return m_signedValue; }
    void setSignedValue(bool v) { m_signedValue = v; }
    qint32 ValueChecked() const { return m_valueChecked; }
    void setValueChecked(qint32 v) { m_valueChecked = v; }
    qint32 ValueUnchecked() const { return m_valueUnchecked; }
    void setValueUnchecked(qint32 v) { m_valueUnchecked = v; }

    eLockMode LockMode() const { return m_lockMode; }
    void setLockMode(eLockMode mode);

    int BytePos() const { return m_field.bytePos; }
    int ByteLength() const { return m_field.byteLength; }
    void ConsiderPartOfCpOnly(int bytePos, int byteLength = 0) override;

    void SetCheckBox();
    void CheckBox_Click_Event();

    void ReadFromLns() override;
    void WriteToLns() override;
    void ReadFromExtCp() override;
    void WriteToExtCp() override;

    QString FileValueText() const override;
    bool SetValueFromFileText(const QString &text) override;

private:
    RawField field() const;
    void storeRead(qint64 raw);

    QPointer<QCheckBox> m_checkBox;
    qint32 m_value = 0;
    bool m_signedValue = false;
    qint32 m_valueChecked = 1;
    qint32 m_valueUnchecked = 0;
    eLockMode m_lockMode = LM_UNLOCKED;
    bool m_eventsOff = false;
    RawField m_field;
};
