#include "params/cParamOptBtn.h"

#include "params/EventsOff.h"
#include "params/FileNumber.h"
#include "platform/AppError.h"
#include "platform/lns/LnsError.h"
#include "platform/lns/RawFormatScope.h"

#include <QRadioButton>

cParamOptBtn::cParamOptBtn() = default;

void cParamOptBtn::setValue(const QString &value)
{
    m_value = value;
    SetOptionButtons();
    setChanged(true);
}

void cParamOptBtn::AddOptionButton(QRadioButton *control, const QString &itemData)
{
    m_buttons.append(control);
    m_itemData.append(itemData);
    if (control)
        control->setProperty("Tag", Name());
}

QRadioButton *cParamOptBtn::OptionButton(int index) const
{
    if (index < 1 || index > m_buttons.size())
        return nullptr;
    return m_buttons.at(index - 1);
}

QString cParamOptBtn::OptionButtonItemData(int index) const
{
    if (index < 1 || index > m_itemData.size())
        return {};
    return m_itemData.at(index - 1);
}

int cParamOptBtn::OptionButtonIndexOf(const QRadioButton *control) const
{
    for (int i = 0; i < m_buttons.size(); ++i) {
        if (control && m_buttons.at(i) == control)
            return i + 1;
    }
    return 0;
}

void cParamOptBtn::setLockMode(eLockMode mode)
{
    m_lockMode = mode;
    bool enabled = false;
    bool showValue = true;
    switch (mode) {
    case LM_UNLOCKED:
        enabled = true;
        break;
    case LM_DISABLED:
    case LM_DISABLED_GREY:
        break;
    case LM_DISABLED_NO_VALUE:
    case LM_DISABLED_GREY_NO_VALUE:
        showValue = false;
        break;
    case LM_LOCKED:
    case LM_DISABLED_GREY_TEXT:
        return; // no meaning for option buttons
    }
    for (const QPointer<QRadioButton> &button : std::as_const(m_buttons)) {
        if (button)
            button->setEnabled(enabled);
    }
    if (showValue)
        SetOptionButtons();
    else
        clearButtons();
}

void cParamOptBtn::SetOptionButtons()
{
    if (m_lockMode == LM_DISABLED_NO_VALUE || m_lockMode == LM_DISABLED_GREY_NO_VALUE)
        return;
    const int index = static_cast<int>(m_itemData.indexOf(m_value));
    if (index < 0 || !m_buttons.at(index))
        return;
    EventsOff off(m_eventsOff);
    m_buttons.at(index)->setChecked(true);
}

void cParamOptBtn::clearButtons()
{
    EventsOff off(m_eventsOff);
    for (const QPointer<QRadioButton> &button : std::as_const(m_buttons)) {
        if (!button)
            continue;
        // An exclusive button cannot be switched off on its own.
        const bool exclusive = button->autoExclusive();
        button->setAutoExclusive(false);
        button->setChecked(false);
        button->setAutoExclusive(exclusive);
    }
}

void cParamOptBtn::OptionButton_Click_Event(int index)
{
    if (m_eventsOff || index < 1 || index > m_itemData.size())
        return;
    m_value = m_itemData.at(index - 1);
    setChanged(true);
}

void cParamOptBtn::ReadFromLns()
{
    const LnsRef<LnsConfigProperty> cp = ConfigProperty();
    if (CpIsExternal() || !Available() || !cp)
        return;
    {
        RawFormatScope raw(*cp);
        m_value = cp->value();
    }
    SetOptionButtons();
    setChanged(false);
}

void cParamOptBtn::WriteToLns()
{
    const LnsRef<LnsConfigProperty> cp = ConfigProperty();
    if (CpIsExternal() || !Available() || !cp)
        return;
    {
        // A refusal reaches the caller: a bulk write must not go on without it.
        RawFormatScope raw(*cp);
        cp->setValue(m_value);
    }
    setChanged(false);
}

QString cParamOptBtn::FileTextProblem(const QString &text) const
{
    // The RAW text of the whole CP: decimal bytes separated by one tab, one
    // for each byte of the CP, and nothing else, so that it goes to LNS as it
    // was saved.
    int bytes = 0;
    try {
        if (const LnsRef<LnsConfigProperty> cp = ConfigProperty())
            bytes = cp->elementLength() * cp->dimension();
    } catch (const AppError &) {
        bytes = 0;
    }
    const QString problem = FileNumber::problemText(
        FileNumber::Problem::NotRawText, {bytes > 0 ? QString::number(bytes) : QStringLiteral("n")});
    const QString raw = text.trimmed();
    if (raw.isEmpty())
        return problem;
    const QList<QStringView> pieces = QStringView(raw).split(QLatin1Char('\t'));
    if (bytes > 0 && pieces.size() != bytes)
        return problem;
    for (const QStringView piece : pieces) {
        if (piece.isEmpty() || piece.size() > 3)
            return problem;
        for (const QChar c : piece) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return problem;
        }
        if (piece.toInt() > 255)
            return problem;
    }
    return QString();
}

void cParamOptBtn::SetValueFromFileText(const QString &text)
{
    setValue(text.trimmed());
}
