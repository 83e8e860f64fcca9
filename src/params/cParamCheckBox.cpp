#include "params/cParamCheckBox.h"

#include "params/ControlColours.h"
#include "params/EventsOff.h"

#include <QCheckBox>

cParamCheckBox::cParamCheckBox() : cParamField(QStringLiteral("ungültige Parameter")) {}

void cParamCheckBox::setCheckBoxControl(QCheckBox *control)
{
    m_checkBox = control;
    if (control && !Name().isEmpty())
        control->setProperty("Tag", Name());
}

void cParamCheckBox::setValue(qint32 value)
{
    if (!Available())
        return;
    m_value = value;
    SetCheckBox();
    setChanged(true);
}

void cParamCheckBox::setLockMode(eLockMode mode)
{
    m_lockMode = mode;
    if (!Available() || !m_checkBox)
        return;
    switch (mode) {
    case LM_UNLOCKED:
        m_checkBox->setEnabled(true);
        SetCheckBox();
        break;
    case LM_DISABLED:
    case LM_DISABLED_GREY:
        m_checkBox->setEnabled(false);
        SetCheckBox();
        break;
    case LM_DISABLED_NO_VALUE:
    case LM_DISABLED_GREY_NO_VALUE: {
        m_checkBox->setEnabled(false);
        EventsOff off(m_eventsOff);
        m_checkBox->setChecked(false);
        break;
    }
    case LM_LOCKED:
    case LM_DISABLED_GREY_TEXT:
        break; // no meaning for a check box
    }
}

void cParamCheckBox::SetCheckBox()
{
    if (!m_checkBox || m_lockMode == LM_DISABLED_NO_VALUE || m_lockMode == LM_DISABLED_GREY_NO_VALUE)
        return;
    EventsOff off(m_eventsOff);
    if (m_value == m_valueChecked) {
        m_checkBox->setChecked(true);
        ControlColours::setNormalTextColour(m_checkBox);
    } else if (m_value == m_valueUnchecked) {
        m_checkBox->setChecked(false);
        ControlColours::setNormalTextColour(m_checkBox);
    } else {
        // A value the box cannot show: keep the tick, warn by colour.
        ControlColours::setTextColour(m_checkBox, ControlColours::Red);
    }
}

void cParamCheckBox::CheckBox_Click_Event()
{
    if (m_eventsOff || !m_checkBox)
        return;
    m_value = m_checkBox->isChecked() ? m_valueChecked : m_valueUnchecked;
    SetCheckBox();
    setChanged(true);
}
