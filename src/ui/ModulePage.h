#pragma once

#include <QScrollArea>

// The page of one module slot: the column headers and, below them, the
// channel rows that the configuration places on rowArea().
class ModulePage : public QScrollArea
{
    Q_OBJECT
public:
    ModulePage(int slot, QWidget *parent = nullptr);

    QWidget *rowArea() const { return m_rows; }

private:
    QWidget *m_rows;
};
