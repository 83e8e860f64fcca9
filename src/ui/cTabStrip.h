#pragma once

#include <QList>
#include <QPointer>
#include <memory>

class TabStripControl;
class cTabStrips;
class cTabs;

// One recorded tab strip: its control and the record of its designed tabs.
class cTabStrip
{
public:
    ~cTabStrip();

    cTabStrips *Parent() const { return m_parent; }
    cTabs *Tabs() const { return m_tabs.get(); }
    // None once the control is gone.
    TabStripControl *Control() const { return m_control; }

    // Makes the control show exactly the tabs with these key numbers; tabs
    // that come back are shown in the given order, each at its designed place.
    void ShowTabs(const QList<int> &tabKeys);

private:
    friend class cTabStrips;
    cTabStrip(cTabStrips *parent, TabStripControl *control);

    cTabStrips *m_parent;
    QPointer<TabStripControl> m_control;
    std::unique_ptr<cTabs> m_tabs;
};
