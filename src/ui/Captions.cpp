#include "ui/Captions.h"

#include "host/ResourceStrings.h"
#include "ui/TabStripControl.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QStringList>
#include <QTableWidget>
#include <QTreeWidget>
#include <QWidget>

namespace {

// The number in field `field` of the tag; -1 when it is missing or no number.
int tagField(const QString &tag, int field)
{
    const QStringList fields = tag.split(QLatin1Char('/'));
    if (field >= fields.size())
        return -1;
    bool ok = false;
    const int id = fields.at(field).trimmed().toInt(&ok);
    return ok ? id : -1;
}

// Never null, so that a loaded text, even an empty one, is told from "none".
QString resourceText(int id)
{
    const QString text = ResourceStrings::LoadResString(id);
    return text.isNull() ? QString(QLatin1String("")) : text;
}

QString tagOf(const QWidget *widget)
{
    return widget->property("tag").toString();
}

template <typename SetCaption, typename SetToolTip>
void applyTag(const QString &tag, SetCaption setCaption, SetToolTip setToolTip)
{
    if (tag.isEmpty())
        return;
    if (const QString caption = Captions::CaptionOf(tag); !caption.isNull())
        setCaption(caption);
    if (const QString toolTip = Captions::ToolTipOf(tag); !toolTip.isNull())
        setToolTip(toolTip);
}

void captionWidget(QWidget *widget)
{
    const QString tag = tagOf(widget);
    const auto setToolTip = [widget](const QString &text) { widget->setToolTip(text); };
    if (auto *label = qobject_cast<QLabel *>(widget))
        applyTag(
            tag, [label](const QString &text) { label->setText(text); }, setToolTip);
    else if (auto *button = qobject_cast<QAbstractButton *>(widget))
        applyTag(
            tag, [button](const QString &text) { button->setText(text); }, setToolTip);
    else if (auto *group = qobject_cast<QGroupBox *>(widget))
        applyTag(
            tag, [group](const QString &text) { group->setTitle(text); }, setToolTip);
}

void captionTabs(TabStripControl *strip)
{
    for (int position = 0; position < strip->Count(); ++position) {
        const QVariant tag = strip->Tag(position);
        // An object tag names no text.
        if (tag.metaType().flags().testFlag(QMetaType::PointerToQObject))
            continue;
        applyTag(
            tag.toString(), [strip, position](const QString &text) { strip->SetCaption(position, text); },
            [strip, position](const QString &text) { strip->SetToolTipText(position, text); });
    }
}

void captionHeader(QTreeWidget *tree)
{
    QTreeWidgetItem *header = tree->headerItem();
    if (header == nullptr)
        return;
    for (int column = 0; column < tree->columnCount(); ++column) {
        applyTag(
            header->data(column, Qt::UserRole).toString(),
            [header, column](const QString &text) { header->setText(column, text); },
            [header, column](const QString &text) { header->setToolTip(column, text); });
    }
}

void captionHeader(QTableWidget *table)
{
    for (int column = 0; column < table->columnCount(); ++column) {
        QTableWidgetItem *header = table->horizontalHeaderItem(column);
        if (header == nullptr)
            continue;
        applyTag(
            header->data(Qt::UserRole).toString(), [header](const QString &text) { header->setText(text); },
            [header](const QString &text) { header->setToolTip(text); });
    }
}

} // namespace

void Captions::LoadCaptions(QWidget *form)
{
    if (form == nullptr)
        return;
    if (const QString title = CaptionOf(tagOf(form)); !title.isNull())
        form->setWindowTitle(title);
    const QList<QWidget *> widgets = form->findChildren<QWidget *>();
    for (QWidget *widget : widgets) {
        captionWidget(widget);
        if (auto *strip = qobject_cast<TabStripControl *>(widget))
            captionTabs(strip);
        else if (auto *tree = qobject_cast<QTreeWidget *>(widget))
            captionHeader(tree);
        else if (auto *table = qobject_cast<QTableWidget *>(widget))
            captionHeader(table);
    }
}

QString Captions::CaptionOf(const QString &tag)
{
    const int id = tagField(tag, 0);
    return id > 0 ? resourceText(id) : QString();
}

QString Captions::ToolTipOf(const QString &tag)
{
    const int id = tagField(tag, 1);
    if (id == 0)
        return QString(QLatin1String(""));
    return id > 0 ? resourceText(id) : QString();
}
