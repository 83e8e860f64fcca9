#include "director/RegResultListener.h"

void RegResultListener::setRegResult(short result)
{
    m_result = result;
    m_received = true;
    Q_EMIT resultReceived(result);
}
