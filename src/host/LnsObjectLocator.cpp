#include "host/LnsObjectLocator.h"

#include "platform/lns/LnsError.h"
#include "platform/lns/LnsLonMarkObject.h"
#include "platform/lns/LnsObjectServer.h"
#include "platform/services/LnsSessionHelper.h"
#include "platform/services/ObjectNameAnalyzer.h"

namespace {
LnsRef<LnsLonMarkObject> lonMarkObject(const LnsRef<LnsAppDevice> &device, const QString &which)
{
    const auto objects = device->lonMarkObjects();
    if (!which.startsWith(QLatin1Char('#')))
        return objects->item(which);
    bool isNumber = false;
    const int position = which.mid(1).trimmed().toInt(&isNumber);
    if (!isNumber)
        throw LnsError(LnsErrorCode::NotFound,
                       QStringLiteral("\"%1\" is not a LonMark object position.").arg(which));
    return objects->item(position);
}
} // namespace

LnsRef<LnsObject> LnsObjectLocator::find(LnsObjectServer &server, const QString &objectName, int connectMode,
                                         bool remote)
{
    const ObjectNameParts parts = ObjectNameAnalyzer::analyze(objectName);
    if (parts.networkName.isEmpty())
        throw LnsError(LnsErrorCode::NotFound, QStringLiteral("The object name is empty."));
    if (!server.isConnected())
        server.connectServer(connectMode);

    LnsSession session;
    session.objectServer = &server;
    session.network = server.openNetwork(parts.networkName, remote);
    if (parts.deviceName.isEmpty())
        return session.network;
    LnsSessionHelper().openSystem(session, parts.systemPart);
    const LnsRef<LnsAppDevice> device = session.appDevices->item(parts.deviceName);
    if (parts.remainder.isEmpty())
        return device;
    return lonMarkObject(device, parts.remainder.trimmed());
}
