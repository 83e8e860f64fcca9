#include "platform/services/NvTypeChanger.h"

#include "platform/AppError.h"

bool NvTypeChanger::changeType(LnsRef<LnsNetworkVariable> &nv, int typeId, const QString &programId,
                               int scope, QString &errorText)
{
    Q_UNUSED(programId);
    Q_UNUSED(scope);
    errorText.clear();
    if (!nv) {
        errorText = QStringLiteral("No network variable given.");
        return false;
    }
    if (typeId < 1) {
        errorText = QStringLiteral("Invalid type %1.").arg(typeId);
        return false;
    }
    try {
        nv->changeType(typeId);
    } catch (const AppError &error) {
        errorText = QStringLiteral("%1 (error %2)").arg(error.description(), QString::number(error.number()));
        return false;
    }
    return true;
}
