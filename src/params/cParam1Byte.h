#pragma once

#include "params/cParamRawNumber.h"

// One byte of a CP, shown or computed elsewhere (module type, switch event,
// ...). Read as a signed byte when SignedValue is set (200 reads as -56).
class cParam1Byte : public cParamRawNumber
{
public:
    cParam1Byte() : cParamRawNumber(1) {}

    int ClassId() const override;

    qint32 Value() const override { return m_value; }
    void setValue(qint32 value) override;

    QString FileValueText() const override;
    QString FileTextProblem(const QString &text) const override;
    void SetValueFromFileText(const QString &text) override;

private:
    qint32 m_value = 0;
};
