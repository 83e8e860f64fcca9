#pragma once

#include <QString>
#include <memory>
#include <vector>

class TabStripControl;
class cTab;
class cTabStrip;

// The recorded tabs of one strip in their designed order. It hides tabs and
// puts them back at their designed place among the tabs that are shown.
class cTabs
{
public:
    ~cTabs();

    cTabStrip *Parent() const { return m_parent; }
    // The strip's control; none once the control is gone.
    TabStripControl *Control() const;

    // Records the control's tab at the 0-based `position`; its Index is
    // position + 1. An object tag stays the same object.
    cTab *Add(int position);
    // By recorded Index, not by place in this collection; none if no record has it.
    cTab *Item(int index) const;
    // Exact, case-sensitive.
    cTab *ItemByKey(const QString &key) const;
    int Count() const { return static_cast<int>(m_tabs.size()); }

    // Removes the first shown tab with this key number; nothing when none is shown.
    void HideTabByKeyNo(int keyNo);
    // Puts the recorded tab "KEY:<keyNo>" back before the first shown tab
    // that was designed after it, or at the end; nothing when it is shown
    // already or has no record.
    void ShowTabByKeyNo(int keyNo);

    // Shows the selected tab's page again when this strip is the current one
    // and its client area no longer starts at `previousTop`.
    void CheckLayout(int previousTop) const;

private:
    friend class cTabStrips;
    explicit cTabs(cTabStrip *parent);

    cTabStrip *m_parent;
    std::vector<std::unique_ptr<cTab>> m_tabs;
};
