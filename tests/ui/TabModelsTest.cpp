// The tab records of a strip laid out as the main window's configuration
// strip: Device, Objects, the eight module tabs, Logger.
#include "ui/TabRows.h"
#include "ui/TabStripControl.h"
#include "ui/cTab.h"
#include "ui/cTabStrip.h"
#include "ui/cTabStrips.h"
#include "ui/cTabs.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

namespace {

class TabModels : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window.resize(700, 500);
        strip = new TabStripControl(&window);
        strip->setGeometry(20, 30, 600, 400);
        strip->InsertTab(0, QStringLiteral("KEY:1"), QStringLiteral("Device"), QString(), 1010);
        strip->InsertTab(1, QStringLiteral("KEY:2"), QStringLiteral("Objects"), QString(), 1011);
        for (int slot = 1; slot <= 8; ++slot)
            strip->InsertTab(strip->Count(), QStringLiteral("KEY:%1").arg(slot + 2),
                             QStringLiteral("Module %1").arg(slot), QStringLiteral("Slot %1").arg(slot),
                             1031);
        strip->InsertTab(strip->Count(), QStringLiteral("KEY:0"), QStringLiteral("Logger"), QString(), 1015);
        record = strips.Add(strip);
        tabs = record->Tabs();
    }

    // The key numbers of the tabs the control shows, in its order.
    std::vector<int> shown() const
    {
        std::vector<int> numbers;
        for (int position = 0; position < strip->Count(); ++position)
            numbers.push_back(TabStripControl::KeyNumber(strip->Key(position)));
        return numbers;
    }
    void hideSlots3To8()
    {
        for (int keyNo = 5; keyNo <= 10; ++keyNo)
            tabs->HideTabByKeyNo(keyNo);
    }

    QWidget window;
    TabStripControl *strip = nullptr;
    cTabStrips strips;
    cTabStrip *record = nullptr;
    cTabs *tabs = nullptr;
};

TEST_F(TabModels, RecordsEveryDesignedTab)
{
    ASSERT_EQ(strips.Count(), 1);
    EXPECT_EQ(strips.Item(strip), record);
    TabStripControl other;
    EXPECT_EQ(strips.Item(&other), nullptr);
    EXPECT_EQ(record->Parent(), &strips);
    EXPECT_EQ(tabs->Parent(), record);
    ASSERT_EQ(tabs->Count(), 11);
    ASSERT_NE(tabs->Item(3), nullptr);
    EXPECT_EQ(tabs->Item(3)->Parent(), tabs);
    EXPECT_EQ(tabs->Item(3)->Key(), QStringLiteral("KEY:3"));
    EXPECT_EQ(tabs->ItemByKey(QStringLiteral("KEY:0"))->Index(), 11);
    EXPECT_EQ(tabs->ItemByKey(QStringLiteral("key:0")), nullptr);
    EXPECT_EQ(tabs->Item(0), nullptr);
    EXPECT_EQ(tabs->Item(12), nullptr);
}

TEST_F(TabModels, ShownTabsReturnToTheirDesignedPlace)
{
    hideSlots3To8();
    EXPECT_EQ(shown(), (std::vector<int>{1, 2, 3, 4, 0}));
    // Records stay as designed while their tabs are away.
    EXPECT_EQ(tabs->Item(5)->Key(), QStringLiteral("KEY:5"));
    EXPECT_EQ(tabs->Count(), 11);

    tabs->ShowTabByKeyNo(7);
    EXPECT_EQ(shown(), (std::vector<int>{1, 2, 3, 4, 7, 0}));
    tabs->ShowTabByKeyNo(6);
    EXPECT_EQ(shown(), (std::vector<int>{1, 2, 3, 4, 6, 7, 0}));
    const int position = strip->PositionOfKey(QStringLiteral("KEY:6"));
    EXPECT_EQ(strip->Caption(position), QStringLiteral("Module 4"));
    EXPECT_EQ(strip->ToolTipText(position), QStringLiteral("Slot 4"));
    EXPECT_EQ(strip->Tag(position).toInt(), 1031);

    // Showing a shown tab or hiding a hidden one changes nothing.
    tabs->ShowTabByKeyNo(7);
    tabs->HideTabByKeyNo(9);
    tabs->ShowTabByKeyNo(99);
    EXPECT_EQ(shown(), (std::vector<int>{1, 2, 3, 4, 6, 7, 0}));

    // Nothing designed after it is shown: the tab goes to the end.
    tabs->HideTabByKeyNo(0);
    tabs->ShowTabByKeyNo(10);
    EXPECT_EQ(shown(), (std::vector<int>{1, 2, 3, 4, 6, 7, 10}));
}

TEST_F(TabModels, ShowTabsShowsExactlyTheGivenTabsInDesignedOrder)
{
    record->ShowTabs({1, 2, 0});
    EXPECT_EQ(shown(), (std::vector<int>{1, 2, 0}));
    record->ShowTabs({4, 1, 3, 2, 0});
    EXPECT_EQ(shown(), (std::vector<int>{1, 2, 3, 4, 0}));
    record->ShowTabs({});
    EXPECT_EQ(strip->Count(), 0);
    EXPECT_EQ(strip->SelectedPosition(), -1);
}

TEST_F(TabModels, TagsAndCaptionsOfTheRecordComeBack)
{
    QObject page;
    tabs->ItemByKey(QStringLiteral("KEY:5"))->setTag(&page);
    cTab *slot4 = tabs->ItemByKey(QStringLiteral("KEY:6"));

    // A new caption renames the shown tab...
    slot4->setCaption(QStringLiteral("Slot four"));
    EXPECT_EQ(strip->Caption(strip->PositionOfKey(QStringLiteral("KEY:6"))), QStringLiteral("Slot four"));
    EXPECT_EQ(strip->Caption(strip->PositionOfKey(QStringLiteral("KEY:5"))), QStringLiteral("Module 3"));

    hideSlots3To8();
    // ...and is kept for a hidden one.
    slot4->setCaption(QStringLiteral("Module 4 (KW8)"));
    EXPECT_EQ(strip->PositionOfKey(QStringLiteral("KEY:6")), -1);
    tabs->ShowTabByKeyNo(6);
    tabs->ShowTabByKeyNo(5);
    EXPECT_EQ(strip->Caption(strip->PositionOfKey(QStringLiteral("KEY:6"))),
              QStringLiteral("Module 4 (KW8)"));
    EXPECT_EQ(strip->Tag(strip->PositionOfKey(QStringLiteral("KEY:5"))).value<QObject *>(), &page);
}

// A strip whose tabs change the height of its tab row makes the window fit
// the selected tab's page again, but only when the strip is the one shown.
TEST_F(TabModels, PageIsFittedAgainWhenTheTabsTakeAnotherRow)
{
    std::vector<int> pagesShown;
    strips.setShowPage([&pagesShown](int keyNo) { pagesShown.push_back(keyNo); });
    strips.setCurrentTabStrip(strip);
    window.show();

    record->ShowTabs({1, 2, 0});
    ASSERT_EQ(strip->Bar()->rowCount(), 1);
    tabs->ItemByKey(QStringLiteral("KEY:0"))->setCaption(QStringLiteral("Log"));
    EXPECT_TRUE(pagesShown.empty()) << "the tabs kept their row";

    // Module tabs come back until they need a second row: the page follows
    // the lower client area at once, with the selected tab's page.
    strip->Select(0);
    const int top = strip->ClientArea().top();
    int keyNo = 3;
    while (strip->Bar()->rowCount() == 1 && keyNo <= 10)
        tabs->ShowTabByKeyNo(keyNo++);
    ASSERT_EQ(strip->Bar()->rowCount(), 2);
    EXPECT_GT(strip->ClientArea().top(), top);
    EXPECT_EQ(pagesShown, std::vector<int>{1});
    // Every tab is in view: no tab lies outside the strip.
    for (int position = 0; position < strip->Count(); ++position)
        EXPECT_TRUE(strip->Bar()->rect().contains(strip->Bar()->tabRect(position))) << position;

    // And back to one row when the last module tab goes again.
    tabs->HideTabByKeyNo(keyNo - 1);
    EXPECT_EQ(strip->Bar()->rowCount(), 1);
    EXPECT_EQ(strip->ClientArea().top(), top);
    EXPECT_EQ(pagesShown, (std::vector<int>{1, 1}));

    // The same change on a strip that is not shown fits nothing.
    strips.setCurrentTabStrip(nullptr);
    record->ShowTabs({1, 2, 0});
    for (int more = 3; more <= 10; ++more)
        tabs->ShowTabByKeyNo(more);
    EXPECT_EQ(pagesShown, (std::vector<int>{1, 1}));
}

TEST_F(TabModels, OnlyTheUsersSelectionIsReported)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QSignalSpy clicks(strip, &TabStripControl::TabClicked);

    strip->Select(2);
    EXPECT_EQ(strip->SelectedKey(), QStringLiteral("KEY:3"));
    strip->RemoveTab(2);
    EXPECT_EQ(strip->SelectedKey(), QStringLiteral("KEY:4"));
    tabs->ShowTabByKeyNo(3);
    EXPECT_EQ(clicks.count(), 0);

    TabRows *bar = strip->Bar();
    const int logger = strip->PositionOfKey(QStringLiteral("KEY:0"));
    // A selection by the keyboard is the user's.
    strip->Select(logger);
    QTest::keyClick(bar, Qt::Key_Left);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(logger).center());
    // A click on the selected tab counts too.
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(logger).center());
    ASSERT_EQ(clicks.count(), 3);
    EXPECT_EQ(clicks.at(0).at(0).toInt(), 10);
    EXPECT_EQ(clicks.at(1).at(0).toInt(), 0);
    EXPECT_EQ(clicks.at(2).at(0).toInt(), 0);
    EXPECT_EQ(strip->SelectedKey(), QStringLiteral("KEY:0"));
}

// Also while the window is not shown yet, as when it is laid out first.
TEST_F(TabModels, ClientAreaFollowsTheTabRow)
{
    const QRect area = strip->ClientArea();
    // In the window's coordinates, below the tabs and inside the strip.
    EXPECT_GE(area.top(), 30 + strip->Bar()->height());
    EXPECT_GT(area.left(), 20);
    EXPECT_LT(area.right(), 20 + 600);
    EXPECT_LT(area.bottom(), 30 + 400);

    QFont font = strip->font();
    const int designed = font.pointSize();
    font.setPointSize(designed * 3);
    strip->setFont(font);
    EXPECT_GT(strip->ClientArea().top(), area.top());

    // A font of the bar's own is taken up once the bar has laid out its tabs.
    font.setPointSize(designed);
    strip->Bar()->setFont(font);
    QApplication::processEvents();
    EXPECT_EQ(strip->ClientArea().top(), area.top());
}

TEST(TabStripControl, KeyNumberIsTheNumberAfterTheColon)
{
    EXPECT_EQ(TabStripControl::KeyNumber(QStringLiteral("KEY:7")), 7);
    EXPECT_EQ(TabStripControl::KeyNumber(QStringLiteral("KEY:0")), 0);
    EXPECT_EQ(TabStripControl::KeyNumber(QStringLiteral("KEY:10")), 10);
    EXPECT_EQ(TabStripControl::KeyNumber(QStringLiteral("KEY")), -1);
    EXPECT_EQ(TabStripControl::KeyNumber(QStringLiteral("KEY:")), -1);
    EXPECT_EQ(TabStripControl::KeyNumber(QString()), -1);
}

} // namespace
