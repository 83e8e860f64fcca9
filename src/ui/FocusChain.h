#pragma once

#include <QList>

class QWidget;

// Tab and Shift+Tab in an order the window chooses: the reading order of
// the page shown, whatever order the widgets were made in. Widgets that are
// disabled, out of sight or not reached by Tab are passed over; the chain
// goes round at its ends.
class FocusChain
{
public:
    // The widget after (forward) or before `current` that takes the focus
    // by Tab; from outside the chain, its first (or last) one. Null when no
    // widget of the chain takes it.
    static QWidget *Next(const QList<QWidget *> &order, const QWidget *current, bool forward);
    static bool TakesTabFocus(const QWidget *widget);
};
