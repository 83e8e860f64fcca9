#include "platform/services/RangeMarker.h"

#include "platform/services/TextUtility.h"

#include <QLineEdit>
#include <QPalette>

bool RangeMarker::mark(QLineEdit *edit, double value, double min, double max)
{
    const bool inside = value >= min && value <= max;
    if (!edit)
        return inside;
    if (inside) {
        edit->setPalette(QPalette());
    } else {
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Text, QColor(192, 0, 0));
        palette.setColor(QPalette::Base, QColor(255, 220, 220));
        edit->setPalette(palette);
    }
    edit->setProperty("outOfRange", !inside);
    return inside;
}

bool RangeMarker::mark(QLineEdit *edit, double min, double max)
{
    const double value = edit ? TextUtility::NumberValue(edit->text()) : 0.0;
    return mark(edit, value, min, max);
}
