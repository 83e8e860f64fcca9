#include "widgets/DropDownComboBox.h"

#include <QAbstractItemView>
#include <QScrollBar>

DropDownComboBox::DropDownComboBox(QWidget *parent) : FocusWheelComboBox(parent)
{
    // The closed list cuts a long name short ("valve 2-point (normally cl..."):
    // its tool tip holds the whole name.
    connect(this, &QComboBox::currentTextChanged, this, [this](const QString &text) { setToolTip(text); });
}

void DropDownComboBox::showPopup()
{
    refill();
    // The open list is as wide as its longest entry, so that names that
    // differ only at their end can be told apart.
    QAbstractItemView *list = view();
    list->setMinimumWidth(list->sizeHintForColumn(0) + list->verticalScrollBar()->sizeHint().width() +
                          2 * list->frameWidth());
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
