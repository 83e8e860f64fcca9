#include "widgets/DropDownComboBox.h"

DropDownComboBox::DropDownComboBox(QWidget *parent) : QComboBox(parent)
{
    setEditable(false);
}

void DropDownComboBox::showPopup()
{
    Q_EMIT aboutToDropDown();
    QComboBox::showPopup();
}
