#pragma once

#include <QComboBox>

// A selection-only combo box that says when it is about to open, before its
// list is shown, so that its owner can refill the list first.
class DropDownComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit DropDownComboBox(QWidget *parent = nullptr);

    void showPopup() override;

Q_SIGNALS:
    void aboutToDropDown();
};
