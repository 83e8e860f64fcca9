#pragma once

#include "params/cParamBase.h"

class cConfigProp;

// What the raw parameter kinds (1-byte, 2-byte, ASCII) share: a CP field
// without a control, and a CP that may be fetched on first use from its
// owner (a device or LonMark object) through the plug-in description file.
class cParamRaw : public cParamBase
{
public:
    LnsRef<LnsObject> CpOwner() const { return m_cpOwner; }
    void setCpOwner(const LnsRef<LnsObject> &owner) { m_cpOwner = owner; }
    bool LateFetch() const { return m_lateFetch; }
    void setLateFetch(bool lateFetch) { m_lateFetch = lateFetch; }

    bool CpFetched() const { return ConfigProperty() != nullptr; }
    bool FetchCp(bool forceFetch = false);

    int BytePos() const { return m_bytePos; }

    void ReadFromLns() override { ReadFromLns(false); }
    void ReadFromLns(bool fetchCpIfRequired);
    void WriteToLns() override;
    void ReadFromExtCp() override;
    void WriteToExtCp() override;

protected:
    // Raises ParamError::InvalidParameters unless the field fits the direct
    // CP's element; an external or late-fetched CP takes any position. Sets
    // the position only when it fits.
    void checkAndSetPosition(int bytePos, int fieldLength);

    virtual void readDirect(const LnsRef<LnsConfigProperty> &cp) = 0;
    virtual void writeDirect(const LnsRef<LnsConfigProperty> &cp) = 0;
    virtual void readExternal(cConfigProp &cp) = 0;
    virtual void writeExternal(cConfigProp &cp) = 0;

private:
    LnsRef<LnsObject> m_cpOwner;
    bool m_lateFetch = false;
    int m_bytePos = 0;
};
