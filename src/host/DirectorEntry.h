#pragma once

#include "platform/lns/LnsObject.h"

#include <QString>

class RegResultReceiver;

// What a director does to the plug-in through its automation object: hand
// over an object or the program ids to register, then send one command.
// The automation object forwards to these.
class DirectorEntry
{
public:
    // Ignored once the start has failed; otherwise stores the command and validates it.
    static void SendCommand(qint32 commandId, qint16 classId, const QString &objectName);

    // Only a LonMark object (class 28) is taken: the accepted command then
    // starts from it without connecting. Other objects are ignored.
    static void setLnsObjectByTool(const std::shared_ptr<LnsObject> &object);
    static std::shared_ptr<LnsObject> LnsObjectByTool();

    static void setProgramIdsToRegister(const QString &programIds);
    // Not owned; the receiver must outlive the command.
    static void setRegResult(RegResultReceiver *receiver);
};
