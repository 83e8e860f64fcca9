#pragma once

#include "params/cParamField.h"
#include "template/ParamEnums.h"

#include <QPointer>
#include <optional>

class QLineEdit;

// A numeric CP field shown in a text box with its unit. The value exists as
// the typed text (display units), as the integer working value `Value`
// (display value x Factor) and as the raw bytes of the CP field (working value
// minus OffsetCalc x Factor). Typed input is filtered by key, limited in
// length, checked against the text-box range and rounded to the display step.
//
// Control events reach the parameter through the collection, which the form
// feeds. Showing `Value` never changes it; when the validation writes a
// corrected text it runs the change handling itself, so `Value` follows the
// user's corrected input whether or not the control is wired.
class cParamTextBox : public cParamField
{
public:
    // The "absent" value of SetValidTextBoxValue's CalculatedValue.
    static constexpr double NoCalculatedValue = 4294967296.0;

    cParamTextBox();

    int ClassId() const override { return PA_CLASSID_TEXTBOX_PARAMETER; }

    QLineEdit *TextBoxControl() const { return m_textBox; }
    void setTextBoxControl(QLineEdit *control);

    // Working value.
    void setValue(qint32 value) override;
    // Display value: Value / Factor; setting it rounds x * Factor half to even.
    float ValueCalc() const;
    void setValueCalc(double x);

    bool ValueNotSet() const { return m_valueNotSet; }
    void setValueNotSet(bool v) { m_valueNotSet = v; }

    eUnit Unit() const { return m_unit; }
    void setUnit(eUnit unit);
    const QString &UnitMnemonic() const { return m_unitMnemonic; }
    // For UNIT_UserDefined, whose text the creator chooses.
    void setUnitMnemonic(const QString &mnemonic) { m_unitMnemonic = mnemonic; }

    eResolution Resolution() const { return m_resolution; }
    void setResolution(eResolution resolution) { m_resolution = resolution; }
    double Resolution2() const;
    // Takes the resolution whose step is exactly x; any other x changes nothing.
    void setResolution2(double x);
    double MinStep() const;

    qint32 Factor() const { return m_factor; }
    void setFactor(qint32 factor) { m_factor = factor; }
    float OffsetCalc() const { return m_offsetCalc; }
    void setOffsetCalc(float offset) { m_offsetCalc = offset; }

    eSnvtType SnvtType() const { return m_snvtType; }
    void setSnvtType(eSnvtType type);

    float RangeMin() const { return m_rangeMin; }
    void setRangeMin(float v);
    float RangeMax() const { return m_rangeMax; }
    void setRangeMax(float v);
    float TextBoxRangeMin() const { return m_textBoxRangeMin; }
    void setTextBoxRangeMin(float v);
    float TextBoxRangeMax() const { return m_textBoxRangeMax; }
    void setTextBoxRangeMax(float v);

    eLockMode LockMode() const { return m_lockMode; }
    void setLockMode(eLockMode mode);
    const QString &TextWhenLocked() const { return m_textWhenLocked; }
    void setTextWhenLocked(const QString &text) { m_textWhenLocked = text; }
    const QString &TextBoxTitle() const { return m_textBoxTitle; }
    void setTextBoxTitle(const QString &title) { m_textBoxTitle = title; }

    eKeysAllowed KeysAllowed() const { return m_keysAllowed; }
    void setKeysAllowed(eKeysAllowed keys) { m_keysAllowed = keys; }
    // The longest text the user may type, as computed with the lock mode
    // (0 = no limit).
    int MaxInputLength() const { return m_maxInputLength; }

    int UsedBytes() const { return m_field.usedBytes; }
    void setUsedBytes(int usedBytes) { m_field.usedBytes = usedBytes; }
    // The raw field is signed exactly when the range reaches below the value
    // that raw 0 stands for.
    bool SignedField() const { return m_rangeMin < m_offsetCalc; }

    QString FileTextProblem(const QString &text) const override;
    void SetValueFromFileText(const QString &text) override;

    // Range test of the shown value for the collection's validity check.
    bool ValueIsInvalid() const;

    void SetTextBox();
    void SetValidTextBoxValue(double calculatedValue = NoCalculatedValue, bool forceCpValueSetting = false);

    void TextBox_Change_Event();
    void TextBox_KeyPress_Event(int &keyAscii);
    void TextBox_LostFocus_Event();
    void TextBox_Validate_Event(bool &cancel);

protected:
    bool signedField() const override { return SignedField(); }
    // Raw 0 stands for OffsetCalc.
    qint64 rawFromValue() const override;
    qint32 valueFromRaw(qint64 raw) const override;
    bool hasValue() const override { return !m_valueNotSet; }

private:
    // Writes the text into the control; the change handling follows when the
    // text differs, as typing would.
    void writeText(const QString &text);
    // With events off: the control's events are ignored while it is written.
    void writeTextEventsOff(const QString &text);
    void applyInputLimits();
    // Window colour, or button face for the grey lock modes.
    void applyBackground();
    void applyMaxLength(int textLength);
    // Steps 2 to 4 of the validation: range test (with the message when
    // asked), rounding to the step, text written back. Returns whether the
    // range test had to correct the value.
    bool correctAndShow(const QString &text, bool showMessage);
    // The text-box range as whole steps of the resolution.
    struct StepRange
    {
        double min = 0.0;
        double max = 0.0;
    };
    StepRange reachableRange() const;
    void showRangeMessage(int messageId, float typed, const StepRange &range, double corrected) const;
    // The working values the CP field holds; unknown without a CP.
    std::optional<RawLimits> valueLimits() const;

    QPointer<QLineEdit> m_textBox;
    float m_rangeMin = 0.0f;
    float m_rangeMax = 65535.0f;
    float m_textBoxRangeMin = 0.0f;
    float m_textBoxRangeMax = 65535.0f;
    float m_offsetCalc = 0.0f;
    qint32 m_factor = 1;
    eUnit m_unit = UNIT_No;
    eResolution m_resolution = RES_1;
    eSnvtType m_snvtType = unsigned_;
    QString m_textBoxTitle;
    QString m_unitMnemonic;
    eLockMode m_lockMode = LM_UNLOCKED;
    bool m_valueNotSet = false;
    QString m_textWhenLocked;
    eKeysAllowed m_keysAllowed = KA_Numbers;
    bool m_eventsOff = false;
    bool m_validated = false;
    int m_maxInputLength = 0;
};
