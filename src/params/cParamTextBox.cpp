#include "params/cParamTextBox.h"

#include "host/ResourceStrings.h"
#include "params/ControlColours.h"
#include "params/DisplayFormat.h"
#include "params/EventsOff.h"
#include "params/FileNumber.h"
#include "params/SnvtPreset.h"
#include "platform/services/KeyFilter.h"
#include "platform/services/MessageBox.h"
#include "platform/services/RangeMarker.h"
#include "platform/services/TextUtility.h"

#include <QLineEdit>
#include <limits>

namespace {
constexpr int TextValueId = 1411; // "The value"
constexpr int TooHighMessageId = 1421;
constexpr int TooLowMessageId = 1422;
constexpr int NoLengthLimit = 32767; // QLineEdit's own maximum

qint32 toInt32(double value)
{
    const double rounded = DisplayFormat::roundHalfEven(value);
    if (!(rounded >= std::numeric_limits<qint32>::min()))
        return std::numeric_limits<qint32>::min();
    if (rounded > std::numeric_limits<qint32>::max())
        return std::numeric_limits<qint32>::max();
    return static_cast<qint32>(rounded);
}
} // namespace

cParamTextBox::cParamTextBox() : cParamField(QStringLiteral("ungültige Parameter")) {}

void cParamTextBox::setTextBoxControl(QLineEdit *control)
{
    m_textBox = control;
    if (control && !Name().isEmpty())
        control->setProperty("Tag", Name());
}

void cParamTextBox::setValue(qint32 value)
{
    m_value = value;
    SetTextBox();
    setChanged(true);
}

float cParamTextBox::ValueCalc() const
{
    if (m_factor == 0)
        return 0.0f;
    return static_cast<float>(static_cast<double>(m_value) / m_factor);
}

void cParamTextBox::setValueCalc(double x)
{
    setValue(toInt32(x * m_factor));
}

void cParamTextBox::setUnit(eUnit unit)
{
    m_unit = unit;
    if (const auto mnemonic = unitMnemonicOf(unit))
        m_unitMnemonic = *mnemonic;
}

double cParamTextBox::Resolution2() const
{
    return DisplayFormat::step(m_resolution);
}

void cParamTextBox::setResolution2(double x)
{
    eResolution resolution;
    if (DisplayFormat::resolutionOfStep(static_cast<float>(x), resolution))
        m_resolution = resolution;
}

double cParamTextBox::MinStep() const
{
    return DisplayFormat::step(m_resolution);
}

void cParamTextBox::setSnvtType(eSnvtType type)
{
    m_snvtType = type;
    const auto preset = SnvtPreset::of(type);
    if (!preset)
        return;
    m_factor = preset->factor;
    m_resolution = preset->resolution;
    setRangeMin(preset->rangeMin);
    setRangeMax(preset->rangeMax);
    setUnit(preset->unit);
}

void cParamTextBox::setRangeMin(float v)
{
    m_rangeMin = v;
    setTextBoxRangeMin(v);
}

void cParamTextBox::setRangeMax(float v)
{
    m_rangeMax = v;
    setTextBoxRangeMax(v);
}

void cParamTextBox::setTextBoxRangeMin(float v)
{
    m_textBoxRangeMin = v;
    SetTextBox();
}

void cParamTextBox::setTextBoxRangeMax(float v)
{
    m_textBoxRangeMax = v;
    SetTextBox();
}

void cParamTextBox::setLockMode(eLockMode mode)
{
    m_lockMode = mode;
    if (m_textBox)
        m_textBox->setEnabled(mode == LM_UNLOCKED || mode == LM_LOCKED);
    applyBackground();
    switch (mode) {
    case LM_UNLOCKED:
    case LM_DISABLED:
    case LM_DISABLED_GREY:
        applyInputLimits();
        SetTextBox();
        break;
    case LM_LOCKED:
        applyInputLimits();
        break;
    case LM_DISABLED_NO_VALUE:
    case LM_DISABLED_GREY_NO_VALUE:
        writeTextEventsOff(QString());
        break;
    case LM_DISABLED_GREY_TEXT:
        m_maxInputLength = 0;
        writeTextEventsOff(m_textWhenLocked);
        break;
    }
}

qint64 cParamTextBox::rawFromValue() const
{
    return static_cast<qint64>(
        DisplayFormat::roundHalfEven(m_value - static_cast<double>(m_offsetCalc) * m_factor));
}

qint32 cParamTextBox::valueFromRaw(qint64 raw) const
{
    return toInt32(static_cast<double>(raw) + static_cast<double>(m_offsetCalc) * m_factor);
}

bool cParamTextBox::SetValueFromFileText(const QString &text)
{
    // The working value; its display value must lie in the range of the CP
    // field. A value inside the field but outside the narrower text-box range
    // is taken and reported as invalid by the collection, as one read from
    // the device would be.
    const std::optional<double> number = FileNumber::number(text);
    if (!number)
        return false;
    const qint32 value = toInt32(*number);
    const float shown = m_factor == 0 ? 0.0f : static_cast<float>(static_cast<double>(value) / m_factor);
    if (*number < std::numeric_limits<qint32>::min() || *number > std::numeric_limits<qint32>::max() ||
        shown < m_rangeMin || shown > m_rangeMax)
        return false;
    setValue(value);
    return true;
}

bool cParamTextBox::ValueIsInvalid() const
{
    const float shown = ValueCalc();
    return shown < m_textBoxRangeMin || shown > m_textBoxRangeMax;
}

void cParamTextBox::SetTextBox()
{
    if (m_lockMode == LM_LOCKED || m_lockMode == LM_DISABLED_NO_VALUE ||
        m_lockMode == LM_DISABLED_GREY_NO_VALUE)
        return;
    const double shown = m_factor == 0 ? 0.0 : static_cast<double>(m_value) / m_factor;
    writeText(DisplayFormat::format(shown, m_resolution));
}

void cParamTextBox::SetValidTextBoxValue(double calculatedValue, bool forceCpValueSetting)
{
    const QString text = m_textBox ? m_textBox->text() : QString();
    const bool corrected = correctAndShow(text, false);
    if (calculatedValue != NoCalculatedValue && corrected)
        setValueCalc(calculatedValue);
    if (forceCpValueSetting)
        TextBox_Change_Event();
}

void cParamTextBox::TextBox_Change_Event()
{
    if (m_eventsOff || !m_textBox)
        return;
    const double number = TextUtility::NumberValue(m_textBox->text());
    m_value = toInt32(number * m_factor);
    setChanged(true);
    // The range mark paints over the background; in range, the lock mode's
    // background comes back.
    if (RangeMarker::mark(m_textBox, static_cast<float>(number), m_textBoxRangeMin, m_textBoxRangeMax))
        applyBackground();
}

void cParamTextBox::applyBackground()
{
    const bool buttonFace = m_lockMode == LM_DISABLED_GREY || m_lockMode == LM_DISABLED_GREY_NO_VALUE ||
                            m_lockMode == LM_DISABLED_GREY_TEXT;
    ControlColours::setBackground(m_textBox, buttonFace);
}

void cParamTextBox::TextBox_KeyPress_Event(int &keyAscii)
{
    switch (m_keysAllowed) {
    case KA_Numbers:
    case KA_NumbersNeg:
    case KA_NumbersFloat:
    case KA_NumbersFloatNeg:
        keyAscii = KeyFilter::filter(keyAscii, m_keysAllowed);
        break;
    case KA_All:
    case KA_UserDef:
        break;
    }
}

void cParamTextBox::TextBox_LostFocus_Event()
{
    if (!m_validated) {
        bool cancel = false;
        TextBox_Validate_Event(cancel);
        // The user has to correct the value before leaving the box.
        if (cancel && m_textBox)
            m_textBox->setFocus();
    }
    m_validated = false;
}

void cParamTextBox::TextBox_Validate_Event(bool &cancel)
{
    if (m_eventsOff)
        return;
    QString text = m_textBox ? m_textBox->text() : QString();
    if (text.isEmpty())
        text = QStringLiteral("0");
    if (correctAndShow(text, true))
        cancel = true;
    m_validated = true;
    if (cancel && m_textBox)
        m_textBox->end(false);
}

bool cParamTextBox::correctAndShow(const QString &text, bool showMessage)
{
    const double typed = TextUtility::NumberValue(text);
    const float typedSingle = static_cast<float>(typed);
    double corrected = typed;
    bool wasCorrected = false;
    if (typedSingle > m_textBoxRangeMax) {
        corrected = m_textBoxRangeMax;
        wasCorrected = true;
        if (showMessage)
            showRangeMessage(TooHighMessageId, typedSingle, m_textBoxRangeMin, m_textBoxRangeMax, corrected);
    } else if (typedSingle < m_textBoxRangeMin) {
        corrected = m_textBoxRangeMin;
        wasCorrected = true;
        if (showMessage)
            showRangeMessage(TooLowMessageId, typedSingle, m_textBoxRangeMin, m_textBoxRangeMax, corrected);
    }
    writeText(DisplayFormat::format(DisplayFormat::roundToStep(corrected, m_resolution), m_resolution));
    return wasCorrected;
}

void cParamTextBox::showRangeMessage(int messageId, float typed, float min, float max, double corrected) const
{
    const QStringList values{ResourceStrings::LoadResString(TextValueId),
                             DisplayFormat::shortest(typed),
                             m_unitMnemonic,
                             DisplayFormat::shortest(min),
                             DisplayFormat::shortest(max),
                             m_unitMnemonic,
                             m_textBoxTitle,
                             DisplayFormat::shortest(static_cast<float>(corrected)),
                             m_unitMnemonic};
    const QString text = ResourceStrings::LoadResString(messageId, 1, values);
    QString title = m_textBox ? m_textBox->window()->windowTitle() : QString();
    if (title.isEmpty())
        title = QStringLiteral("tarvina RX24");
    MessageBox::show(text, title, MessageBox::Icon::Exclamation, MessageBox::Buttons::OK);
}

void cParamTextBox::writeText(const QString &text)
{
    if (!m_textBox || m_textBox->text() == text)
        return;
    // A value longer than the input limit is still shown whole; the limit
    // only stops typing.
    m_textBox->setMaxLength(NoLengthLimit);
    m_textBox->setText(text);
    applyMaxLength(static_cast<int>(text.length()));
    TextBox_Change_Event();
}

void cParamTextBox::writeTextEventsOff(const QString &text)
{
    if (!m_textBox)
        return;
    EventsOff off(m_eventsOff);
    m_textBox->setMaxLength(NoLengthLimit);
    m_textBox->setText(text);
    applyMaxLength(static_cast<int>(text.length()));
}

void cParamTextBox::applyInputLimits()
{
    m_maxInputLength = static_cast<int>(qMax(DisplayFormat::format(m_rangeMin, m_resolution).length(),
                                             DisplayFormat::format(m_rangeMax, m_resolution).length()));
    const bool nonNegative = m_rangeMin >= 0.0f && m_rangeMax >= 0.0f;
    if (m_resolution == RES_50 || m_resolution == RES_1)
        m_keysAllowed = nonNegative ? KA_Numbers : KA_NumbersNeg;
    else
        m_keysAllowed = nonNegative ? KA_NumbersFloat : KA_NumbersFloatNeg;
    if (m_textBox)
        applyMaxLength(static_cast<int>(m_textBox->text().length()));
}

void cParamTextBox::applyMaxLength(int textLength)
{
    if (!m_textBox)
        return;
    m_textBox->setMaxLength(m_maxInputLength > 0 ? qMax(m_maxInputLength, textLength) : NoLengthLimit);
}
