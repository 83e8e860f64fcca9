#include "widgets/DropDownComboBox.h"

#include <QAbstractItemView>

DropDownComboBox::DropDownComboBox(QWidget *parent) : FocusWheelComboBox(parent) {}

void DropDownComboBox::showPopup()
{
    refill();
    FocusWheelComboBox::showPopup();
}

void DropDownComboBox::keyPressEvent(QKeyEvent *event)
{
    // Arrows, Home, End, the page keys and a typed letter all move the
    // selection of the closed list.
    refill();
    FocusWheelComboBox::keyPressEvent(event);
}

void DropDownComboBox::wheelEvent(QWheelEvent *event)
{
    if (hasFocus())
        refill();
    FocusWheelComboBox::wheelEvent(event);
}

void DropDownComboBox::refill()
{
    // An open list was refilled as it opened; refilling it under the
    // pointer would lose the entry the user is on.
    if (!view()->isVisible())
        Q_EMIT aboutToChoose();
}
