#include "host/DirectorEntry.h"

#include "host/CommandValidator.h"
#include "host/PlugInGlobals.h"
#include "platform/lns/LnsLonMarkObject.h"

void DirectorEntry::SendCommand(qint32 commandId, qint16 classId, const QString &objectName)
{
    using namespace PlugInGlobals;
    if (TerminateRequested)
        return;
    CommandId = commandId;
    ClassId = classId;
    ObjectName = objectName;
    CommandValidator::ValidateCommand(CommandId, ClassId, ObjectName);
}

void DirectorEntry::setLnsObjectByTool(const std::shared_ptr<LnsObject> &object)
{
    try {
        if (!object || object->classId() != LnsClassId::LonMarkObject)
            return;
        const auto lonMarkObject = std::dynamic_pointer_cast<LnsLonMarkObject>(object);
        if (!lonMarkObject)
            return;
        PlugInGlobals::Session.lonMarkObject = lonMarkObject;
        PlugInGlobals::StartedFromLnsObject = true;
    } catch (const std::exception &) {
    }
}

std::shared_ptr<LnsObject> DirectorEntry::LnsObjectByTool()
{
    return PlugInGlobals::Session.lonMarkObject;
}

void DirectorEntry::setProgramIdsToRegister(const QString &programIds)
{
    PlugInGlobals::ProgramIdsToRegister = programIds;
}

void DirectorEntry::setRegResult(RegResultReceiver *receiver)
{
    PlugInGlobals::RegResult = receiver;
}
