#pragma once

#include "params/RawFieldAccess.h"
#include "params/cParamRaw.h"

// One byte of a CP, shown or computed elsewhere (module type, switch event,
// ...). Read as a signed byte when SignedValue is set (200 reads as -56).
class cParam1Byte : public cParamRaw
{
public:
    int ClassId() const override;

    qint32 Value() const { return m_value; }
    void setValue(qint32 value);
    bool SignedValue() const { return m_signedValue; }
    void setSignedValue(bool signedValue) { m_signedValue = signedValue; }

    // The byte at bytePos (from 1) of the CP element; byteLength is ignored.
    void ConsiderPartOfCpOnly(int bytePos, int byteLength = 0) override;

    QString FileValueText() const override;
    bool SetValueFromFileText(const QString &text) override;

protected:
    void readDirect(const LnsRef<LnsConfigProperty> &cp) override;
    void writeDirect(const LnsRef<LnsConfigProperty> &cp) override;
    void readExternal(cConfigProp &cp) override;
    void writeExternal(cConfigProp &cp) override;

private:
    RawField field() const { return {BytePos(), 1, 0, m_signedValue}; }

    qint32 m_value = 0;
    bool m_signedValue = false;
};
