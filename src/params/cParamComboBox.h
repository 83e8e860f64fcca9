#pragma once

#include "params/RawFieldAccess.h"
#include "params/cParamBase.h"
#include "template/ParamEnums.h"

#include <QPointer>

class QComboBox;

// A CP field chosen from the items of a combo box: each item's data
// (Qt::UserRole) is the field value it stands for. A value no item carries
// leaves the list without a selection and counts as invalid.
class cParamComboBox : public cParamBase
{
public:
    cParamComboBox();

    int ClassId() const override { return PA_CLASSID_COMBOBOX_PARAMTER; }

    QComboBox *ComboBoxControl() const { return m_comboBox; }
    void setComboBoxControl(QComboBox *control);

    qint32 Value() const { return m_value; }
    void setValue(qint32 value);
    bool SignedValue() const { return m_signedValue; }
    void setSignedValue(bool v) { m_signedValue = v; }

    eLockMode LockMode() const { return m_lockMode; }
    void setLockMode(eLockMode mode);

    const QString &InvalidItemString() const { return m_invalidItemString; }
    void setInvalidItemString(const QString &text) { m_invalidItemString = text; }
    bool ControlUpdatesEnabled() const { return m_controlUpdatesEnabled; }
    void setControlUpdatesEnabled(bool v) { m_controlUpdatesEnabled = v; }

    int BytePos() const { return m_field.bytePos; }
    int ByteLength() const { return m_field.byteLength; }
    void ConsiderPartOfCpOnly(int bytePos, int byteLength = 0) override;

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

    void ReadFromLns() override;
    void WriteToLns() override;
    void ReadFromExtCp() override;
    void WriteToExtCp() override;

    QString FileValueText() const override;
    bool SetValueFromFileText(const QString &text) override;

private:
    RawField field() const;
    int indexOfData(qint32 value) const;
    void storeRead(qint64 raw);

    QPointer<QComboBox> m_comboBox;
    qint32 m_value = 0;
    bool m_signedValue = false;
    eLockMode m_lockMode = LM_UNLOCKED;
    QString m_invalidItemString;
    bool m_controlUpdatesEnabled = true;
    bool m_eventsOff = false;
    RawField m_field;
};
