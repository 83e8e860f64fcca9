#pragma once

#include "params/RawFieldAccess.h"
#include "params/cParamRaw.h"

// Two bytes of a CP, high byte first: Value = Value1 * 256 + Value2. A
// negative Value keeps a negative remainder in Value2 (-1 is 0 and -1) and is
// written as two's complement (255, 255).
class cParam2Byte : public cParamRaw
{
public:
    int ClassId() const override;

    qint32 Value() const { return m_value1 * 256 + m_value2; }
    void setValue(qint32 value);
    qint32 Value1() const { return m_value1; }
    void setValue1(qint32 value);
    qint32 Value2() const { return m_value2; }
    void setValue2(qint32 value);
    bool SignedValue() const { return m_signedValue; }
    void setSignedValue(bool signedValue) { m_signedValue = signedValue; }

    // The two bytes from bytePos (from 1) of the CP element; byteLength is ignored.
    void ConsiderPartOfCpOnly(int bytePos, int byteLength = 0) override;

    QString FileValueText() const override;
    bool SetValueFromFileText(const QString &text) override;

protected:
    void readDirect(const LnsRef<LnsConfigProperty> &cp) override;
    void writeDirect(const LnsRef<LnsConfigProperty> &cp) override;
    void readExternal(cConfigProp &cp) override;
    void writeExternal(cConfigProp &cp) override;

private:
    RawField field() const { return {BytePos(), 2, 0, m_signedValue}; }

    qint32 m_value1 = 0;
    qint32 m_value2 = 0;
    bool m_signedValue = false;
};
