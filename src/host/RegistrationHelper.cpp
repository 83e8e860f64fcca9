#include "host/RegistrationHelper.h"

#include "host/LnsProjectRegistration.h"

bool RegistrationHelper::Run(const QString &objectName, int connectMode)
{
    return LnsProjectRegistration::RegisterInNetwork(objectName, connectMode, QString());
}
