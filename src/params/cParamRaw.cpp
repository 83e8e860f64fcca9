#include "params/cParamRaw.h"

#include "params/ParamError.h"
#include "params/cConfigProp.h"
#include "params/cParams.h"
#include "platform/AppError.h"

bool cParamRaw::FetchCp(bool forceFetch)
{
    if (!Available())
        return false;
    if (CpFetched() && !forceFetch)
        return true;
    if (!Parent())
        return false;
    LnsRef<LnsConfigProperty> found;
    if (!Parent()->FetchCpOfOwner(CpIniName(), m_cpOwner, found))
        return false;
    setConfigProperty(found);
    return true;
}

void cParamRaw::ReadFromLns(bool fetchCpIfRequired)
{
    if (fetchCpIfRequired && !FetchCp())
        return;
    if (CpIsExternal() || !CpFetched())
        return;
    readDirect(ConfigProperty());
    setChanged(false);
}

void cParamRaw::WriteToLns()
{
    if (CpIsExternal() || !CpFetched() || !Available())
        return;
    writeDirect(ConfigProperty());
    setChanged(false);
}

void cParamRaw::ReadFromExtCp()
{
    if (!CpIsExternal())
        return;
    readExternal(*ConfigPropExt());
    setChanged(false);
}

void cParamRaw::WriteToExtCp()
{
    if (!CpIsExternal())
        return;
    writeExternal(*ConfigPropExt());
    setChanged(false);
}

void cParamRaw::checkAndSetPosition(int bytePos, int fieldLength)
{
    if (!CpIsExternal() && !m_lateFetch) {
        int elementLength = 0;
        try {
            if (ConfigProperty())
                elementLength = ConfigProperty()->elementLength();
        } catch (const AppError &) {
            elementLength = 0;
        }
        ParamError::checkFieldFits(bytePos, fieldLength, elementLength, QStringLiteral("invalid parameters"));
    }
    m_bytePos = bytePos;
}
