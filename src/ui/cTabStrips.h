#pragma once

#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

class TabStripControl;
class cTabStrip;

// The recorded tab strips of the window, and what the records need to fit
// the page again when a strip's tabs change its client area: the strip that
// is shown and the window's way of showing a page.
class cTabStrips
{
public:
    cTabStrips();
    ~cTabStrips();
    cTabStrips(const cTabStrips &) = delete;
    cTabStrips &operator=(const cTabStrips &) = delete;

    // Records the control and every tab it holds now, in its order.
    cTabStrip *Add(TabStripControl *tbs);
    // The first record of this very control; none if there is none.
    cTabStrip *Item(const TabStripControl *tbs) const;
    int Count() const { return static_cast<int>(m_strips.size()); }

    void setCurrentTabStrip(TabStripControl *tbs) { m_current = tbs; }
    TabStripControl *CurrentTabStrip() const { return m_current; }
    void setShowPage(std::function<void(int keyNo)> showPage) { m_showPage = std::move(showPage); }
    // Nothing when no way of showing a page was given.
    void ShowPage(int keyNo) const;

private:
    std::vector<std::unique_ptr<cTabStrip>> m_strips;
    QPointer<TabStripControl> m_current;
    std::function<void(int keyNo)> m_showPage;
};
