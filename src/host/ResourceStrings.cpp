#include "host/ResourceStrings.h"

#include "host/ResourceTable.h"
#include "platform/services/QtTranslations.h"
#include "platform/services/TextUtility.h"

#include <QHash>
#include <QMutex>

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
    // The built-in table never changes: each text is split into its items
    // once, not for every item asked (a list of 21 module types asks 21 times).
    static QMutex lock;
    static QHash<int, QStringList> itemsByKey;
    const int key = id + languageOffset();
    if (item == 0)
        item = 1;
    if (item < 1)
        return QString();
    const QMutexLocker locker(&lock);
    auto items = itemsByKey.constFind(key);
    if (items == itemsByKey.constEnd()) {
        const ResourceTable &table = ResourceTable::builtIn();
        if (!table.contains(key))
            return QString();
        QStringList split = table.text(key).split(ItemSeparator);
        for (QString &text : split)
            text.replace(LineBreakMark, QLatin1Char('\n'));
        items = itemsByKey.insert(key, split);
    }
    return item > items->size() ? QString() : items->at(item - 1);
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
