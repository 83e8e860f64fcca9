#pragma once

#include "params/RawFieldAccess.h"
#include "params/cParamBase.h"

#include <optional>

// A parameter whose integer `Value` lives in a numeric field of its CP, the
// bytes from BytePos for ByteLength, and is shown in a control. The value is
// read and written, while the parameter is available, through the direct CP
// or the external CP's buffer, whichever it lives in.
class cParamField : public cParamBase
{
public:
    qint32 Value() const { return m_value; }
    virtual void setValue(qint32 value) = 0;

    int BytePos() const { return m_field.bytePos; }
    int ByteLength() const { return m_field.byteLength; }
    // Checks the field against a direct CP's element only: an external CP's
    // length is the config property's business, and a parameter without any
    // CP has nothing to check against.
    void ConsiderPartOfCpOnly(int bytePos, int byteLength = 0) override;

    void ReadFromLns() override;
    void WriteToLns() override;
    void ReadFromExtCp() override;
    void WriteToExtCp() override;

    QString FileValueText() const override;
    // Any whole number the field holds, read signed or unsigned.
    QString FileTextProblem(const QString &text) const override;
    void SetValueFromFileText(const QString &text) override;

protected:
    // invalidFieldText: the description of the error a field outside the CP
    // element raises, which differs between the kinds.
    explicit cParamField(const QString &invalidFieldText);

    virtual bool signedField() const = 0;
    // The field's raw number for Value and back; the same number unless the
    // kind scales it.
    virtual qint64 rawFromValue() const { return m_value; }
    virtual qint32 valueFromRaw(qint64 raw) const { return static_cast<qint32>(raw); }
    // False while the parameter has no value worth writing.
    virtual bool hasValue() const { return true; }

    // The raw numbers the value's bytes can hold: signed, unsigned, or read
    // either way (-128 .. 255 for one byte). Nothing while there is no CP to
    // tell how many bytes a whole element has.
    enum class Reading { Signed, Unsigned, Either };
    struct RawLimits
    {
        qint64 min = 0;
        qint64 max = 0;
    };
    std::optional<RawLimits> rawLimits(Reading reading) const;

    RawField m_field;
    qint32 m_value = 0;

private:
    RawField field() const;
    void storeRead(qint64 raw);

    QString m_invalidFieldText;
};
