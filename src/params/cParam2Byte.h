#pragma once

#include "params/cParamRawNumber.h"

// Two bytes of a CP, high byte first: Value = Value1 * 256 + Value2. A
// negative Value keeps a negative remainder in Value2 (-1 is 0 and -1) and is
// written as two's complement (255, 255).
class cParam2Byte : public cParamRawNumber
{
public:
    cParam2Byte() : cParamRawNumber(2) {}

    int ClassId() const override;

    qint32 Value() const override { return m_value1 * 256 + m_value2; }
    void setValue(qint32 value) override;
    qint32 Value1() const { return m_value1; }
    void setValue1(qint32 value);
    qint32 Value2() const { return m_value2; }
    void setValue2(qint32 value);

    QString FileValueText() const override;
    QString FileTextProblem(const QString &text) const override;
    void SetValueFromFileText(const QString &text) override;

private:
    qint32 m_value1 = 0;
    qint32 m_value2 = 0;
};
