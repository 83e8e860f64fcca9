#include "params/cParamRawNumber.h"

void cParamRawNumber::ConsiderPartOfCpOnly(int bytePos, int)
{
    checkAndSetPosition(bytePos, m_fieldLength);
}

void cParamRawNumber::readDirect(const LnsRef<LnsConfigProperty> &cp)
{
    setValue(static_cast<qint32>(RawFieldAccess::read(cp, field())));
}

void cParamRawNumber::writeDirect(const LnsRef<LnsConfigProperty> &cp)
{
    RawFieldAccess::write(cp, field(), Value());
}

void cParamRawNumber::readExternal(cConfigProp &cp)
{
    setValue(static_cast<qint32>(RawFieldAccess::read(cp, field())));
}

void cParamRawNumber::writeExternal(cConfigProp &cp)
{
    RawFieldAccess::write(cp, field(), Value());
}
