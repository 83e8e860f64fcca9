#include "project/ProjectTexts.h"

#include "host/ResourceStrings.h"

namespace {
constexpr int CaptionId = 1990;
constexpr int ActionId = 1991;
constexpr int MessageId = 1992;
constexpr int WordId = 1993;
constexpr int HelpId = 1994;
} // namespace

QString ProjectTexts::caption(Caption caption, const QStringList &values)
{
    return ResourceStrings::LoadResString(CaptionId, caption, values);
}

QString ProjectTexts::action(Action action)
{
    return ResourceStrings::LoadResString(ActionId, action);
}

QString ProjectTexts::message(Message message, const QStringList &values)
{
    return ResourceStrings::LoadResString(MessageId, message, values);
}

QString ProjectTexts::word(Word word, const QStringList &values)
{
    return ResourceStrings::LoadResString(WordId, word, values);
}

QString ProjectTexts::help()
{
    return ResourceStrings::LoadResString(HelpId);
}
