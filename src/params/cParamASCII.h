#pragma once

#include "params/cParamRaw.h"

#include <QList>

// A text kept in a CP field, one character per byte (code = byte value). A
// shorter text is padded with 0 bytes, and a 0 byte ends the text when read;
// characters above code 255 are stored as "?". Bytes outside the field keep
// their values when the text is written.
class cParamASCII : public cParamRaw
{
public:
    int ClassId() const override;

    const QString &Value() const { return m_value; }
    void setValue(const QString &value);
    int ByteLength() const { return m_byteLength; }

    // The byteLength bytes from bytePos (from 1); position 0 takes the whole element.
    void ConsiderPartOfCpOnly(int bytePos, int byteLength = 0) override;

    QString FileValueText() const override;
    QString FileTextProblem(const QString &text) const override;
    void SetValueFromFileText(const QString &text) override;

protected:
    void readDirect(const LnsRef<LnsConfigProperty> &cp) override;
    void writeDirect(const LnsRef<LnsConfigProperty> &cp) override;
    void readExternal(cConfigProp &cp) override;
    void writeExternal(cConfigProp &cp) override;

private:
    // Bytes of the field: ByteLength, or the whole element; 0 when unknown.
    int fieldLength() const;
    QString textOf(const QList<quint8> &element) const;
    void putText(QList<quint8> &element) const;

    QString m_value;
    int m_byteLength = 0;
};
