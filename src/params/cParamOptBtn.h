#pragma once

#include "params/cParamBase.h"
#include "template/ParamEnums.h"

#include <QList>
#include <QPointer>

class QRadioButton;

// A whole CP chosen by a group of option buttons. Each button carries the
// complete RAW text of the CP for its choice ("1" for a one-byte CP), and
// `Value` is that text, compared and written as text.
class cParamOptBtn : public cParamBase
{
public:
    cParamOptBtn();

    int ClassId() const override { return PA_CLASSID_OPTIONBUTTON_PARAMETER; }

    const QString &Value() const { return m_value; }
    void setValue(const QString &value);

    // Appends a button of the group; it takes the parameter's name as its Tag.
    void AddOptionButton(QRadioButton *control, const QString &itemData);
    // Button `index` and its item data, counted from 1 in the order added;
    // null / empty outside 1..OptionButtonsCount.
    QRadioButton *OptionButton(int index) const;
    QString OptionButtonItemData(int index) const;
    int OptionButtonsCount() const { return static_cast<int>(m_buttons.size()); }
    // Position (from 1) of a button in the group, 0 when it is not one of them.
    int OptionButtonIndexOf(const QRadioButton *control) const;

    eLockMode LockMode() const { return m_lockMode; }
    void setLockMode(eLockMode mode);

    // An option group always covers the whole CP.
    void ConsiderPartOfCpOnly(int, int = 0) override {}

    // Switches on the first button whose item data is Value.
    void SetOptionButtons();
    void OptionButton_Click_Event(int index);

    void ReadFromLns() override;
    void WriteToLns() override;
    // Option groups live in direct CPs only.
    void ReadFromExtCp() override {}
    void WriteToExtCp() override {}

    QString FileValueText() const override { return m_value; }
    QString FileTextProblem(const QString &text) const override;
    void SetValueFromFileText(const QString &text) override;

private:
    void clearButtons();

    QList<QPointer<QRadioButton>> m_buttons;
    QStringList m_itemData;
    QString m_value;
    eLockMode m_lockMode = LM_UNLOCKED;
    bool m_eventsOff = false;
};
