#include "params/cParamCheckBox.h"

#include "params/ControlColours.h"
#include "params/EventsOff.h"
#include "params/FileNumber.h"
#include "params/ParamError.h"
#include "platform/lns/LnsError.h"
#include "platform/services/TextUtility.h"

#include <QCheckBox>
#include <cmath>

cParamCheckBox::cParamCheckBox() = default;

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

void cParamCheckBox::ConsiderPartOfCpOnly(int bytePos, int byteLength)
{
    const LnsRef<LnsConfigProperty> cp = ConfigProperty();
    if (!CpIsExternal() && cp) {
        if (bytePos < 1 || byteLength < 1 || bytePos + byteLength - 1 > cp->elementLength())
            throw ParamError::invalidParameters(QStringLiteral("ConsiderPartOfCpOnly"),
                                                QStringLiteral("ungültige Parameter"));
    }
    m_field.bytePos = bytePos;
    m_field.byteLength = byteLength;
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

RawField cParamCheckBox::field() const
{
    RawField f = m_field;
    f.usedBytes = 0;
    f.isSigned = m_signedValue;
    return f;
}

void cParamCheckBox::storeRead(qint64 raw)
{
    setValue(static_cast<qint32>(raw));
    setChanged(false);
}

void cParamCheckBox::ReadFromLns()
{
    const LnsRef<LnsConfigProperty> cp = ConfigProperty();
    if (CpIsExternal() || !Available() || !cp)
        return;
    storeRead(RawFieldAccess::read(cp, field()));
}

void cParamCheckBox::WriteToLns()
{
    const LnsRef<LnsConfigProperty> cp = ConfigProperty();
    if (CpIsExternal() || !Available() || !cp)
        return;
    try {
        RawFieldAccess::write(cp, field(), m_value);
    } catch (const LnsError &) {
        // The device keeps its old value; the next read shows it again.
    }
    setChanged(false);
}

void cParamCheckBox::ReadFromExtCp()
{
    if (!CpIsExternal() || !Available())
        return;
    storeRead(RawFieldAccess::read(*ConfigPropExt(), field()));
}

void cParamCheckBox::WriteToExtCp()
{
    if (!CpIsExternal() || !Available())
        return;
    RawFieldAccess::write(*ConfigPropExt(), field(), m_value);
    setChanged(false);
}

QString cParamCheckBox::FileValueText() const
{
    return QString::number(m_value);
}

bool cParamCheckBox::SetValueFromFileText(const QString &text)
{
    // A value other than checked or unchecked is taken as the device would
    // give it: shown with the caption in red.
    const std::optional<qint64> value =
        FileNumber::integer(text, FileNumber::fieldMin(ByteLength()), FileNumber::fieldMax(ByteLength()));
    if (!value || !Available())
        return false;
    setValue(static_cast<qint32>(*value));
    return true;
}
