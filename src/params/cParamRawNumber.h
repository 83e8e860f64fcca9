#pragma once

#include "params/RawFieldAccess.h"
#include "params/cParamRaw.h"

// What the numeric raw kinds (1-byte, 2-byte) share: a whole number in a
// field of fixed length, big-endian, read as signed when SignedValue is set.
class cParamRawNumber : public cParamRaw
{
public:
    virtual qint32 Value() const = 0;
    virtual void setValue(qint32 value) = 0;
    bool SignedValue() const { return m_signedValue; }
    void setSignedValue(bool signedValue) { m_signedValue = signedValue; }

    // The field from bytePos (from 1) of the CP element; byteLength is ignored.
    void ConsiderPartOfCpOnly(int bytePos, int byteLength = 0) override;

protected:
    explicit cParamRawNumber(int fieldLength) : m_fieldLength(fieldLength) {}

    void readDirect(const LnsRef<LnsConfigProperty> &cp) override;
    void writeDirect(const LnsRef<LnsConfigProperty> &cp) override;
    void readExternal(cConfigProp &cp) override;
    void writeExternal(cConfigProp &cp) override;

private:
    RawField field() const { return {BytePos(), m_fieldLength, 0, m_signedValue}; }

    int m_fieldLength;
    bool m_signedValue = false;
};
