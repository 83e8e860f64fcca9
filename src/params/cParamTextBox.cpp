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
#include <algorithm>
#include <cmath>
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

std::optional<cParamField::RawLimits> cParamTextBox::valueLimits() const
{
    // The working values whose raw number the field holds; unknown without a CP.
    const std::optional<RawLimits> raw = rawLimits(SignedField() ? Reading::Signed : Reading::Unsigned);
    if (!raw)
        return std::nullopt;
    const double offset = static_cast<double>(m_offsetCalc) * m_factor;
    return RawLimits{static_cast<qint64>(std::ceil(raw->min + offset - 0.5)),
                     static_cast<qint64>(std::floor(raw->max + offset + 0.5))};
}

QString cParamTextBox::FileTextProblem(const QString &text) const
{
    // The working value. One inside the field but outside the range the user
    // may type is taken and reported invalid by the range check, as one read
    // from the device would be.
    const std::optional<RawLimits> limits = valueLimits();
    return FileNumber::integerProblem(text, limits ? limits->min : std::numeric_limits<qint32>::min(),
                                      limits ? limits->max : std::numeric_limits<qint32>::max());
}

void cParamTextBox::SetValueFromFileText(const QString &text)
{
    if (const std::optional<double> number = FileNumber::number(text))
        setValue(toInt32(*number));
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
    // The text shows Value and never feeds back into it: a value finer than
    // the display step (raw 3 of SNVT_lev_percent shows as "0.02") goes back
    // to the device as it came unless the user edits it.
    const double shown = m_factor == 0 ? 0.0 : static_cast<double>(m_value) / m_factor;
    writeTextEventsOff(DisplayFormat::format(shown, m_resolution));
    if (m_textBox && RangeMarker::mark(m_textBox, shown, m_textBoxRangeMin, m_textBoxRangeMax))
        applyBackground();
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
    // What is typed may lie beyond what the field holds; the range mark shows
    // it, but the value never wraps round inside the field.
    if (const std::optional<RawLimits> limits = valueLimits())
        m_value = static_cast<qint32>(std::clamp<qint64>(m_value, limits->min, limits->max));
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

cParamTextBox::StepRange cParamTextBox::reachableRange() const
{
    // A limit between two steps (163.83 with steps of 0.05) cannot be shown;
    // rounding it would step out of the range and, at the field's end, out
    // of the field. The nearest step inside stands for it.
    StepRange range{DisplayFormat::stepAtOrAbove(m_textBoxRangeMin, m_resolution),
                    DisplayFormat::stepAtOrBelow(m_textBoxRangeMax, m_resolution)};
    if (range.min > range.max) // no step inside at all
        range = {m_textBoxRangeMin, m_textBoxRangeMax};
    return range;
}

bool cParamTextBox::correctAndShow(const QString &text, bool showMessage)
{
    const double typed = TextUtility::NumberValue(text);
    const float typedSingle = static_cast<float>(typed);
    const StepRange range = reachableRange();
    double corrected = DisplayFormat::roundToStep(typed, m_resolution);
    bool wasCorrected = false;
    if (typedSingle > m_textBoxRangeMax) {
        corrected = range.max;
        wasCorrected = true;
        if (showMessage)
            showRangeMessage(TooHighMessageId, typedSingle, range, corrected);
    } else if (typedSingle < m_textBoxRangeMin) {
        corrected = range.min;
        wasCorrected = true;
        if (showMessage)
            showRangeMessage(TooLowMessageId, typedSingle, range, corrected);
    } else {
        // A value inside the range may round over its end (163.83 to 163.85).
        corrected = std::clamp(corrected, range.min, range.max);
    }
    writeText(DisplayFormat::format(corrected, m_resolution));
    return wasCorrected;
}

void cParamTextBox::showRangeMessage(int messageId, float typed, const StepRange &range,
                                     double corrected) const
{
    const QStringList values{ResourceStrings::LoadResString(TextValueId),
                             DisplayFormat::shortest(typed),
                             m_unitMnemonic,
                             DisplayFormat::shortest(static_cast<float>(range.min)),
                             DisplayFormat::shortest(static_cast<float>(range.max)),
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
