#include "host/DatabaseFaultText.h"

#include "host/ResourceStrings.h"
#include "platform/AppError.h"

QString DatabaseFaultText::of(const AppError &error)
{
    const DatabaseFault &fault = error.fault();
    if (fault.kind == DatabaseFault::None)
        return error.description();
    const QString cause = ResourceStrings::LoadResString(1725, fault.kind, fault.arguments);
    // SQLite speaks English only; its words help whoever looks further.
    return fault.detail.isEmpty() ? cause : QStringLiteral("%1 (%2)").arg(cause, fault.detail);
}
