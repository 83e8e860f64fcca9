#include "host/ResourceStrings.h"

#include "host/ResourceTable.h"
#include "platform/services/QtTranslations.h"
#include "platform/services/TextUtility.h"

namespace {
int &languageOffset()
{
    static int offset = ResourceStrings::English;
    return offset;
}

const QChar ItemSeparator(0x00A6); // ¦
const QChar LineBreakMark(0x00B6); // ¶
} // namespace

int ResourceStrings::LanguageOffset()
{
    return languageOffset();
}

void ResourceStrings::SetLanguageOffset(int offset)
{
    languageOffset() = offset;
    // Qt's own buttons and dialogs speak the language of our texts.
    QtTranslations::Use(offset == German ? QLocale::German : QLocale::English);
}

QString ResourceStrings::LoadResString(int id, int item)
{
    const ResourceTable &table = ResourceTable::builtIn();
    const int key = id + languageOffset();
    if (!table.contains(key))
        return QString();
    return ItemOf(table.text(key), item);
}

QString ResourceStrings::LoadResString(int id, int item, const QStringList &values)
{
    return FillPlaceholders(LoadResString(id, item), values);
}

QString ResourceStrings::ItemOf(const QString &rawText, int item)
{
    if (item == 0)
        item = 1;
    if (item < 1)
        return QString();
    const QStringList items = rawText.split(ItemSeparator);
    if (item > items.size())
        return QString();
    QString text = items.at(item - 1);
    text.replace(LineBreakMark, QLatin1Char('\n'));
    return text;
}

QString ResourceStrings::FillPlaceholders(const QString &text, const QStringList &values)
{
    return TextUtility::FillPlaceholders(text, values);
}
