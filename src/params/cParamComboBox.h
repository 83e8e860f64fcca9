#pragma once

#include "params/cParamField.h"
#include "template/ParamEnums.h"

#include <QPointer>

class QComboBox;

// A CP field chosen from the items of a combo box: each item's data
// (Qt::UserRole) is the field value it stands for. A value no item carries
// leaves the list without a selection and counts as invalid.
class cParamComboBox : public cParamField
{
public:
    cParamComboBox();

    int ClassId() const override { return PA_CLASSID_COMBOBOX_PARAMTER; }

    QComboBox *ComboBoxControl() const { return m_comboBox; }
    void setComboBoxControl(QComboBox *control);

    void setValue(qint32 value) override;
    bool SignedValue() const { return m_signedValue; }
    void setSignedValue(bool v) { m_signedValue = v; }

    eLockMode LockMode() const { return m_lockMode; }
    void setLockMode(eLockMode mode);

    const QString &InvalidItemString() const { return m_invalidItemString; }
    void setInvalidItemString(const QString &text) { m_invalidItemString = text; }
    bool ControlUpdatesEnabled() const { return m_controlUpdatesEnabled; }
    void setControlUpdatesEnabled(bool v) { m_controlUpdatesEnabled = v; }

    // Shows Value: selects the first item carrying it, else nothing.
    void SetComboBox();
    // Shows Value again (Value set to itself).
    void UpdateComboBox();
    void AddComboBoxItem(const QString &text, qint32 itemData);
    void RemoveComboBoxItem(int itemIndex);
    void RemoveComboBoxItemByItemData(qint32 itemData);
    void ClearComboBox();
    bool ValueIsInComboList(qint32 value) const;
    bool CurrentValueIsInComboList() const;
    // Puts InvalidItemString at the top of the list, selected, in red.
    void ShowInvalidItem();
    // Selects item itemIndex (from 0) as if the user had chosen it.
    void SetValueByComboListItemIndex(int itemIndex);

    void ComboBox_Change_Event();

protected:
    bool signedField() const override { return m_signedValue; }

private:
    int indexOfData(qint32 value) const;

    QPointer<QComboBox> m_comboBox;
    bool m_signedValue = false;
    eLockMode m_lockMode = LM_UNLOCKED;
    QString m_invalidItemString;
    bool m_controlUpdatesEnabled = true;
    bool m_eventsOff = false;
};
