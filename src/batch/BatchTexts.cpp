#include "batch/BatchTexts.h"

#include "host/ResourceStrings.h"

namespace {
constexpr int HelpId = 1970;
constexpr int ErrorId = 1971;
constexpr int ReasonId = 1972;
constexpr int StateId = 1973;
constexpr int HeadingId = 1974;
constexpr int LineId = 1975;
} // namespace

QString BatchTexts::error(Error error, const QStringList &values)
{
    return ResourceStrings::LoadResString(ErrorId, error, values);
}

QString BatchTexts::reason(Reason reason)
{
    return ResourceStrings::LoadResString(ReasonId, reason);
}

QString BatchTexts::reasonKey(Reason reason)
{
    static const char *const keys[] = {"",        "unreachable",  "program-id", "invalid-set", "busy",
                                       "changed", "write-failed", "stopped",    "unreadable"};
    return QLatin1String(keys[reason]);
}

QString BatchTexts::state(State state, const QStringList &values)
{
    return ResourceStrings::LoadResString(StateId, state, values);
}

QString BatchTexts::stateKey(State state)
{
    static const char *const keys[] = {"",         "written", "unchanged",   "would-change", "not-written",
                                       "conforms", "differs", "unreachable", "incompatible", "failed"};
    return QLatin1String(keys[state]);
}

QString BatchTexts::heading(Heading heading)
{
    return ResourceStrings::LoadResString(HeadingId, heading);
}

QString BatchTexts::line(Line line, const QStringList &values)
{
    return ResourceStrings::LoadResString(LineId, line, values);
}

QString BatchTexts::help()
{
    return ResourceStrings::LoadResString(HelpId);
}
