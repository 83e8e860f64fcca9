#include "params/cParamComboBox.h"

#include "params/ControlColours.h"
#include "params/EventsOff.h"

#include <QComboBox>

cParamComboBox::cParamComboBox() : cParamField(QStringLiteral("invalid parameters")) {}

void cParamComboBox::setComboBoxControl(QComboBox *control)
{
    m_comboBox = control;
    if (control && !Name().isEmpty())
        control->setProperty("Tag", Name());
}

void cParamComboBox::setValue(qint32 value)
{
    m_value = value;
    SetComboBox();
    setChanged(true);
}

void cParamComboBox::setLockMode(eLockMode mode)
{
    m_lockMode = mode;
    bool enabled = false;
    bool buttonFace = false;
    bool showValue = true;
    switch (mode) {
    case LM_UNLOCKED:
        enabled = true;
        break;
    case LM_DISABLED:
        break;
    case LM_DISABLED_NO_VALUE:
        showValue = false;
        break;
    case LM_DISABLED_GREY:
        buttonFace = true;
        break;
    case LM_DISABLED_GREY_NO_VALUE:
        buttonFace = true;
        showValue = false;
        break;
    case LM_LOCKED:
    case LM_DISABLED_GREY_TEXT:
        return; // no meaning for a list
    }
    if (!m_comboBox)
        return;
    m_comboBox->setEnabled(enabled);
    ControlColours::setBackground(m_comboBox, buttonFace);
    if (showValue) {
        SetComboBox();
    } else {
        EventsOff off(m_eventsOff);
        m_comboBox->setCurrentIndex(-1);
    }
}

void cParamComboBox::SetComboBox()
{
    if (!m_comboBox || !m_controlUpdatesEnabled || m_lockMode == LM_DISABLED_NO_VALUE ||
        m_lockMode == LM_DISABLED_GREY_NO_VALUE)
        return;
    const int index = indexOfData(m_value);
    {
        EventsOff off(m_eventsOff);
        m_comboBox->setCurrentIndex(index);
    }
    ControlColours::setNormalTextColour(m_comboBox);
}

void cParamComboBox::UpdateComboBox()
{
    setValue(m_value);
}

void cParamComboBox::AddComboBoxItem(const QString &text, qint32 itemData)
{
    if (itemData < 0)
        m_signedValue = true;
    if (!m_comboBox)
        return;
    EventsOff off(m_eventsOff);
    const int selected = m_comboBox->currentIndex();
    m_comboBox->addItem(text, QVariant(itemData));
    // A list keeps its selection when it grows; Qt would pick the first item.
    if (selected < 0)
        m_comboBox->setCurrentIndex(-1);
}

void cParamComboBox::RemoveComboBoxItem(int itemIndex)
{
    if (!m_comboBox || itemIndex < 0 || itemIndex >= m_comboBox->count())
        return;
    EventsOff off(m_eventsOff);
    const int selected = m_comboBox->currentIndex();
    m_comboBox->removeItem(itemIndex);
    // Removing the selected item leaves no selection rather than a neighbour.
    if (selected == itemIndex)
        m_comboBox->setCurrentIndex(-1);
}

void cParamComboBox::RemoveComboBoxItemByItemData(qint32 itemData)
{
    const int index = indexOfData(itemData);
    if (index >= 0)
        RemoveComboBoxItem(index);
}

void cParamComboBox::ClearComboBox()
{
    if (!m_comboBox)
        return;
    EventsOff off(m_eventsOff);
    m_comboBox->clear();
}

bool cParamComboBox::ValueIsInComboList(qint32 value) const
{
    return indexOfData(value) >= 0;
}

bool cParamComboBox::CurrentValueIsInComboList() const
{
    return ValueIsInComboList(m_value);
}

void cParamComboBox::ShowInvalidItem()
{
    if (!m_comboBox)
        return;
    // Value keeps the invalid number: selecting the marker item is no choice.
    EventsOff off(m_eventsOff);
    m_comboBox->insertItem(0, m_invalidItemString, QVariant(0));
    m_comboBox->setCurrentIndex(0);
    ControlColours::setTextColour(m_comboBox, ControlColours::Red);
}

void cParamComboBox::SetValueByComboListItemIndex(int itemIndex)
{
    if (!m_comboBox)
        return;
    m_comboBox->setCurrentIndex(itemIndex);
    // Runs even when the control's signals are not forwarded to the parameter.
    ComboBox_Change_Event();
}

void cParamComboBox::ComboBox_Change_Event()
{
    if (m_eventsOff || !m_comboBox)
        return;
    const int index = m_comboBox->currentIndex();
    if (index < 0)
        return;
    m_value = m_comboBox->itemData(index).toInt();
    setChanged(true);
    ControlColours::setNormalTextColour(m_comboBox);
}

int cParamComboBox::indexOfData(qint32 value) const
{
    if (!m_comboBox)
        return -1;
    for (int i = 0; i < m_comboBox->count(); ++i) {
        const QVariant data = m_comboBox->itemData(i);
        if (data.isValid() && data.toInt() == value)
            return i;
    }
    return -1;
}
