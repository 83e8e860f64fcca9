#include "ui/FocusChain.h"

#include <QWidget>

bool FocusChain::TakesTabFocus(const QWidget *widget)
{
    return widget && widget->isVisible() && widget->isEnabled() && (widget->focusPolicy() & Qt::TabFocus);
}

QWidget *FocusChain::Next(const QList<QWidget *> &order, const QWidget *current, bool forward)
{
    const qsizetype count = order.size();
    qsizetype at = -1;
    for (qsizetype i = 0; i < count && at < 0; ++i) {
        if (current && order.at(i) && (order.at(i) == current || order.at(i)->isAncestorOf(current)))
            at = i;
    }
    // From outside the chain, one step lands on its first (or last) widget.
    if (at < 0)
        at = forward ? -1 : count;
    for (qsizetype step = 1; step <= count; ++step) {
        const qsizetype i = ((at + (forward ? step : -step)) % count + count) % count;
        if (TakesTabFocus(order.at(i)))
            return order.at(i);
    }
    return nullptr;
}
