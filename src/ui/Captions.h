#pragma once

#include <QString>

class QWidget;

// Captions and tool tips loaded from the text table by the ids in the
// controls' tags, in the current language. A tag is the dynamic property
// "tag" (a text): "1042" (caption id) or "1042/1043" (caption id, tool tip id).
class Captions
{
public:
    // The form's title from the form's tag, then every descendant by its
    // own tag: labels and buttons (text), group boxes (title), tab strips
    // (each tab by its Tag() when that is a number or an "n/m" text), and
    // the header items of tree and table widgets (the item's Qt::UserRole
    // data in each column). Captions keep their placeholders: the module
    // tabs (1031) read "Module %1" until the window numbers them.
    static void LoadCaptions(QWidget *form);

    // The text the tag selects as caption; a null text when the tag selects
    // none (its first field is not a number greater than 0).
    static QString CaptionOf(const QString &tag);
    // The text the tag selects as tool tip: the text of an id greater than 0,
    // an empty (not null) text for 0; a null text when the tag has no second
    // field or it is not a number of at least 0.
    static QString ToolTipOf(const QString &tag);
};
