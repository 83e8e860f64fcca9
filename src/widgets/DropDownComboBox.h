#pragma once

#include "widgets/FocusWheelComboBox.h"

// A selection-only list that says before every choice the user can make in
// it (opening it, a key, a wheel notch), so that its owner can refill it
// first. A closed list then steps through exactly what the open one offers.
class DropDownComboBox : public FocusWheelComboBox
{
    Q_OBJECT
public:
    explicit DropDownComboBox(QWidget *parent = nullptr);

    void showPopup() override;

Q_SIGNALS:
    void aboutToChoose();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void refill();
};
