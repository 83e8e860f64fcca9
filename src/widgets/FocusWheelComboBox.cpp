#include "widgets/FocusWheelComboBox.h"

#include <QWheelEvent>

FocusWheelComboBox::FocusWheelComboBox(QWidget *parent) : QComboBox(parent)
{
    setEditable(false);
    // Tab and click, not the wheel.
    setFocusPolicy(Qt::StrongFocus);
}

void FocusWheelComboBox::wheelEvent(QWheelEvent *event)
{
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    QComboBox::wheelEvent(event);
}
