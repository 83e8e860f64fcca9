#pragma once

#include <QString>
#include <QStringList>

// The text loader every layer uses for user-visible texts. English texts have
// the ids 1000 to 1999, German texts the same ids plus 1000; LanguageOffset
// (0 English, 1000 German) selects the language for the whole process.
//
// A text may hold several items separated by "¦"; inside an item "¶" stands
// for a line break; "%1" to "%9" are placeholders that the caller fills.
class ResourceStrings
{
public:
    static constexpr int English = 0;
    static constexpr int German = 1000;

    static int LanguageOffset();
    static void SetLanguageOffset(int offset);

    // Item `item` (counted from 1; 0 is taken as 1) of the text with the id
    // `id` + LanguageOffset, with "¶" turned into "\n". A missing id or item
    // gives an empty text.
    static QString LoadResString(int id, int item = 1);

    // LoadResString followed by FillPlaceholders.
    static QString LoadResString(int id, int item, const QStringList &values);

    // Replaces "%1" to "%9" by values[0] to values[8] in one pass, so a value
    // that itself contains "%n" is left as it is. A placeholder without a
    // value stays in the text.
    static QString FillPlaceholders(const QString &text, const QStringList &values);

    // The item of a raw text without any lookup (the same rules as
    // LoadResString), for callers that hold a text of their own.
    static QString ItemOf(const QString &rawText, int item);
};
