#include "host/RegistrationHelper.h"

#include "host/LnsProjectRegistration.h"
#include "host/PlugInGlobals.h"
#include "host/RegResultReceiver.h"
#include "platform/lns/LnsObjectServer.h"
#include "platform/services/LnsSessionHelper.h"

bool RegistrationHelper::Run()
{
    using namespace PlugInGlobals;
    bool success = false;
    LnsSession session;
    LnsSessionHelper helper;
    try {
        if (helper.connect(session, ObjectServer, 0)) {
            success = true;
            for (const QString &name : ObjectServer->networkNames()) {
                if (!helper.openNetwork(session, name, false)) {
                    success = false;
                    continue;
                }
                if (!LnsProjectRegistration::RegisterTemplates(session.network, QString()))
                    success = false;
                ObjectServer->closeNetwork(session.network);
                session.network.reset();
            }
        }
    } catch (const std::exception &error) {
        LogError(error, QStringLiteral("M_PlugIn"), QStringLiteral("RegistrationHelper"));
        success = false;
    }
    helper.close(session);
    Trace(success ? QStringLiteral("Plug-in registered in every project.")
                  : QStringLiteral("Errors occured while registering the plug-in."));
    if (RegResult)
        RegResult->setRegResult(LnsProjectRegistration::resultValue(success));
    return success;
}
