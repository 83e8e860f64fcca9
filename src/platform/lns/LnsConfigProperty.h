#pragma once

#include "platform/lns/LnsObject.h"

// A configuration property. Its value is text in the value format in use:
// "RAW" (decimal bytes separated by one tab) or "RAW_HEX" (two hex digits per
// byte separated by one blank, the format a CP has until a client changes it).
class LnsConfigProperty : public LnsObject
{
public:
    int classId() const override { return LnsClassId::ConfigProperty; }
    virtual int elementLength() const = 0;
    virtual int dimension() const = 0;
    virtual QString valueFormat() const = 0;
    virtual void setValueFormat(const QString &format) = 0; // unknown format: InvalidValue
    // Whole value: all elements, one after the other.
    virtual QString value() const = 0;
    virtual void setValue(const QString &text) = 0;
    // Element k, counted from 0.
    virtual QString elementValue(int k) const = 0;
    virtual void setElementValue(int k, const QString &text) = 0;
};
