#pragma once

#include "ui/cTabStrips.h"

#include <QColor>
#include <QMap>
#include <memory>
#include <vector>

class QMainWindow;
class QWidget;
class TabStripControl;

// Lays the main window out from its design distances (twips): once when it
// is shown, again on every size change and whenever another page is shown.
// Pages all lie inside the tab strip's panel, its frame left visible; only
// the page of the selected tab is in place, the others are moved out of
// sight and disabled so that the keyboard cannot reach their fields.
class WindowLayout
{
public:
    struct Controls
    {
        QMainWindow *form = nullptr;
        QWidget *client = nullptr; // the area under the menu bar
        QWidget *buttonBar = nullptr;
        std::vector<TabStripControl *> tabStrips;
        QWidget *buttonLine = nullptr;
        QMap<int, QWidget *> pages; // by key number
        QWidget *logBox = nullptr;
        int logPage = 0;
    };

    // Twips. The design's tops (480 and 420) count a menu bar of 360 in;
    // here the menu bar lies above the client area.
    static constexpr double TabStripLeft = 1320;
    static constexpr double TabStripTop = 120;
    static constexpr double ButtonBarLeft = 45;
    static constexpr double ButtonBarTop = 60;
    static constexpr double ButtonBarWidth = 1200;
    static constexpr double ButtonLineHeight = 495;
    static constexpr double OutOfSight = -200000;

    explicit WindowLayout(Controls controls);

    void ArrangeMainWindow(double pageHeight, int tabRows, double pageWidth);
    // Offsets: the window's outer minus its inner height and width.
    void ResizeMainWindow(double heightOffset, double widthOffset);
    // Makes strip `index` current; returns the key number of its selected tab.
    int SelectTabStrip(int index);
    void ShowPage(int keyNo);

    int CurrentPageNo() const { return m_currentPageNo; }
    TabStripControl *CurrentTabStrip() const { return m_tabStrips->CurrentTabStrip(); }
    cTabStrips &TabStrips() { return *m_tabStrips; }
    bool Themed() const { return m_themed; }
    QColor Background() const;
    // Twips the menu bar takes above the client area.
    double MenuOffset() const;

private:
    void applyBackground();

    Controls m_c;
    std::unique_ptr<cTabStrips> m_tabStrips;
    bool m_themed = false;
    int m_currentPageNo = -1;
};
