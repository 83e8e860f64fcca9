#pragma once

#include <QComboBox>

// A selection-only list that the mouse wheel changes only while the list has
// the focus. A wheel turned over it on the way down a page leaves the choice
// alone and goes on to the page; the wheel never gives it the focus.
class FocusWheelComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit FocusWheelComboBox(QWidget *parent = nullptr);

protected:
    void wheelEvent(QWheelEvent *event) override;
};
