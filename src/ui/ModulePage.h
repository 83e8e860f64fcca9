#pragma once

#include <QFrame>
#include <QList>

class TitledLine;

// The page of one module slot: the column headers and, below them, the
// channel rows that the configuration places on it.
class ModulePage : public QFrame
{
    Q_OBJECT
public:
    ModulePage(int slot, QWidget *parent = nullptr);
    QWidget *rowArea() { return this; }
    // Reading order: the channel rows from the top, in each its lists from
    // the left.
    QList<QWidget *> FocusOrder() const;
    // The heading "Module n" in the current language.
    void LoadCaption();

private:
    int m_slot;
    TitledLine *m_title;
};
