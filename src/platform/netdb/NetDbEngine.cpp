#include "platform/netdb/NetDbEngine.h"

#include "platform/netdb/NetDbPostgresEngine.h"
#include "platform/netdb/NetDbServerAddress.h"
#include "platform/netdb/NetDbSqliteEngine.h"

std::unique_ptr<NetDbEngine> NetDbEngine::forLocation(const QString &location)
{
    if (NetDbServerAddress::isServerAddress(location))
        return std::make_unique<NetDbPostgresEngine>(location);
    return std::make_unique<NetDbSqliteEngine>(location);
}
