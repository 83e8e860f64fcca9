#pragma once

#include "params/cParamField.h"
#include "template/ParamEnums.h"

#include <QPointer>

class QCheckBox;

// A CP field with two meaningful values, shown as a check box: ValueChecked
// ticks it, ValueUnchecked clears it. Any other value read from the device
// leaves the tick as it was and shows the caption in red.
class cParamCheckBox : public cParamField
{
public:
    cParamCheckBox();

    int ClassId() const override { return PA_CLASSID_CHECKBOX_PARAMETER; }

    QCheckBox *CheckBoxControl() const { return m_checkBox; }
    void setCheckBoxControl(QCheckBox *control);

    // Ignored while the parameter has no CP to live in.
    void setValue(qint32 value) override;
    bool SignedValue() const { return m_signedValue; }
    void setSignedValue(bool v) { m_signedValue = v; }
    qint32 ValueChecked() const { return m_valueChecked; }
    void setValueChecked(qint32 v) { m_valueChecked = v; }
    qint32 ValueUnchecked() const { return m_valueUnchecked; }
    void setValueUnchecked(qint32 v) { m_valueUnchecked = v; }

    eLockMode LockMode() const { return m_lockMode; }
    void setLockMode(eLockMode mode);

    void SetCheckBox();
    void CheckBox_Click_Event();

protected:
    bool signedField() const override { return m_signedValue; }

private:
    QPointer<QCheckBox> m_checkBox;
    bool m_signedValue = false;
    qint32 m_valueChecked = 1;
    qint32 m_valueUnchecked = 0;
    eLockMode m_lockMode = LM_UNLOCKED;
    bool m_eventsOff = false;
};
