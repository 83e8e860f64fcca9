#pragma once

#include <QFrame>

// The page of one module slot: the column headers and, below them, the
// channel rows that the configuration places on it.
class ModulePage : public QFrame
{
    Q_OBJECT
public:
    ModulePage(int slot, QWidget *parent = nullptr);
    QWidget *rowArea() { return this; }
};
