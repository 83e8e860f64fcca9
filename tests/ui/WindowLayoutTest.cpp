// The window's pages, tab strip and size as the user meets them.
#include "ui/WindowLayout.h"

#include "MainWindowFixture.h"
#include "host/LcaPlugIn.h"
#include "platform/services/RegistryUtility.h"
#include "ui/TabRows.h"
#include "widgets/Twips.h"

#include <QApplication>
#include <QFrame>
#include <QMainWindow>
#include <QScreen>
#include <QScrollBar>

namespace {

class WindowLayoutTest : public MainWindowFixture
{
protected:
    QWidget *page(const char *name) const { return find<QWidget>(QLatin1String(name)); }
    // The user clicks the tab with this caption.
    void clickTab(const QString &caption)
    {
        const int position = visibleTabs().indexOf(caption);
        ASSERT_GE(position, 0) << caption.toStdString();
        TabRows *bar = tabs()->Bar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(position).center());
    }
    // The page fills the inside of the tab panel and leaves its frame to be seen.
    void expectFitted(const QWidget *shown) const
    {
        EXPECT_EQ(shown->geometry(), tabs()->ClientArea());
        EXPECT_LT(shown->geometry().right(), tabs()->geometry().right());
        EXPECT_LT(shown->geometry().bottom(), tabs()->geometry().bottom());
    }
};

TEST_F(WindowLayoutTest, OnlyTheSelectedPageIsInPlaceAndReachable)
{
    storeSlots(QStringLiteral("RX24 Hall"), {MT_RP4, MT_KW8});
    start();
    QWidget *device = page("pageDevice");
    expectFitted(device);
    EXPECT_TRUE(device->isVisible());
    for (const char *name : {"pageObjects", "pageModule1", "pageLogger"}) {
        EXPECT_FALSE(page(name)->isVisible()) << name;
        EXPECT_FALSE(page(name)->isEnabled()) << name;
        EXPECT_LT(page(name)->x(), -10000) << name;
    }
    // The keyboard skips what is disabled or not shown: no hidden name field takes it.
    QLineEdit *name = find<QLineEdit>(QStringLiteral("txtName1"));
    EXPECT_FALSE(name->isEnabled() && name->isVisible());

    provideManual();
    clickTab(QStringLiteral("Module 2"));
    EXPECT_TRUE(page("pageModule2")->isVisible());
    EXPECT_FALSE(device->isEnabled());
    expectFitted(page("pageModule2"));
    QTest::keyClick(window.get(), Qt::Key_F1);
    EXPECT_EQ(help.topics.value(0), 1004);

    // A bigger window keeps the page fitted to the strip; a smaller one
    // than laid out would cut the rows off and is refused.
    const QSize laidOut = window->size();
    const int before = page("pageModule2")->width();
    window->resize(window->width() + 150, window->height() + 60);
    QApplication::processEvents();
    expectFitted(page("pageModule2"));
    EXPECT_EQ(page("pageModule2")->width(), before + 150);
    window->resize(100, 100);
    EXPECT_EQ(window->size(), laidOut);

    // No empty band between the menu bar and the tabs.
    EXPECT_LE(tabs()->mapTo(window.get(), QPoint()).y() - window->menuWidget()->geometry().bottom(),
              Twips::ToPixels(150));
}

TEST_F(WindowLayoutTest, ALongLogLineWrapsInsteadOfScrollingSideways)
{
    start();
    window->ShowPage(frmMain::LoggerKey);
    auto *log = find<QListWidget>(QStringLiteral("lstLog"));
    LogService::instance().WriteLogLine(
        QStringLiteral("The value \"300\" of key \"MaxRange_3\" in line 120 of "
                       "the file \"/home/user/sets/hall.dat\" does not fit "
                       "its field: it holds 0 .. 255."),
        LogService::Red);
    QApplication::processEvents();
    const QListWidgetItem *line = log->item(log->count() - 1);
    EXPECT_EQ(log->horizontalScrollBar()->maximum(), 0);
    EXPECT_LE(log->visualItemRect(line).right(), log->viewport()->width());
    EXPECT_GE(log->visualItemRect(line).height(), 2 * log->fontMetrics().height()) << "not wrapped";
}

TEST_F(WindowLayoutTest, AKw16MakesTheWindowTallEnoughForItsSixteenRows)
{
    storeSlots(QStringLiteral("RX24 Hall"), {MT_RP4});
    start();
    const int normal = window->height();
    EXPECT_EQ(window->NormalHeight(), normal);
    chooseSlot(2, MT_KW16);
    QApplication::processEvents();
    EXPECT_EQ(window->height(), normal + Twips::ToPixels(4050));
    EXPECT_EQ(window->minimumHeight(), window->height());
    clickTab(QStringLiteral("Module 2"));
    QWidget *modulePage = page("pageModule2");
    EXPECT_LE(channelRow(2, 16)->geometry().bottom(), modulePage->height()) << "the last row is cut off";

    chooseSlot(2, MT_KW8);
    QApplication::processEvents();
    EXPECT_EQ(window->height(), normal);
    expectFitted(modulePage);
}

TEST_F(WindowLayoutTest, HiddenModuleTabsComeBackAtTheirPlaceWithTheirCaption)
{
    storeSlots(QStringLiteral("RX24 Hall"), {MT_RP4, MT_KW8, MT_HF4});
    start();
    chooseSlot(3, -1);
    EXPECT_FALSE(visibleTabs().contains(QStringLiteral("Module 3")));
    EXPECT_EQ(tabs()->PositionOfKey(QStringLiteral("KEY:5")), -1) << "a hidden tab is gone from the strip";
    chooseSlot(3, MT_RP8);
    EXPECT_EQ(visibleTabs(), (QStringList{QStringLiteral("Device"), QStringLiteral("Objects"),
                                          QStringLiteral("Module 1"), QStringLiteral("Module 2"),
                                          QStringLiteral("Module 3"), QStringLiteral("Logger")}));
    clickTab(QStringLiteral("Module 3"));
    EXPECT_EQ(window->CurrentPageNo(), 5);
    EXPECT_TRUE(page("pageModule3")->isVisible());
}

} // namespace

namespace {

// The layout alone, over plain widgets, in both looks of the platform.
class ArrangedWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        client = new QWidget(&form);
        form.setCentralWidget(client);
        controls.form = &form;
        controls.client = client;
        controls.buttonBar = new QWidget(client);
        strip = new TabStripControl(client);
        strip->InsertTab(0, QStringLiteral("KEY:1"), QStringLiteral("Device"), QString(), 1010);
        strip->InsertTab(1, QStringLiteral("KEY:0"), QStringLiteral("Logger"), QString(), 1015);
        controls.tabStrips = {strip};
        controls.buttonLine = new QWidget(client);
        controls.pages.insert(1, new QFrame(client));
        controls.pages.insert(0, new QFrame(client));
        controls.logBox = new QWidget(controls.pages.value(0));
        controls.logBox->setGeometry(Twips::Rect(120, 120, 1000, 1000));
        controls.logPage = 0;
    }
    void TearDown() override { QApplication::setStyle(QStringLiteral("Fusion")); }

    QMainWindow form;
    QWidget *client = nullptr;
    TabStripControl *strip = nullptr;
    WindowLayout::Controls controls;
};

TEST_F(ArrangedWindow, TheStripFramesThePagesByTheLookOfThePlatform)
{
    struct Look
    {
        const char *style;
        bool themed;
        double taller, wider;
    };
    for (const Look &look : {Look{"Windows", false, 345, 45}, Look{"Fusion", true, 360, 30}}) {
        SCOPED_TRACE(look.style);
        QApplication::setStyle(QLatin1String(look.style));
        WindowLayout layout(controls);
        layout.ShowPage(1);
        EXPECT_EQ(layout.CurrentPageNo(), -1) << "no strip is current yet";

        layout.ArrangeMainWindow(5100, 2, 6300);
        EXPECT_EQ(layout.Themed(), look.themed);
        EXPECT_EQ(strip->geometry(), Twips::Rect(1320, 120, 6300 + look.wider, 5100 + look.taller + 270));
        const QColor background = look.themed ? QApplication::palette().color(QPalette::Window)
                                              : QApplication::palette().color(QPalette::Button);
        EXPECT_EQ(controls.pages.value(1)->palette().color(QPalette::Window), background);

        EXPECT_EQ(layout.SelectTabStrip(0), 1);
        layout.ShowPage(0);
        QWidget *logger = controls.pages.value(0);
        EXPECT_TRUE(logger->isVisibleTo(&form));
        EXPECT_FALSE(controls.pages.value(1)->isEnabled());
        // The log box fills its page but for its margins.
        EXPECT_EQ(controls.logBox->width(), logger->width() - 2 * controls.logBox->x());
        EXPECT_EQ(controls.logBox->height(), logger->height() - controls.logBox->y() - Twips::ToPixels(180));
    }
}

} // namespace

namespace {

class Placement : public MainWindowFixture
{
protected:
    const QString key = LcaPlugIn::ProductKey() + QStringLiteral("\\Settings");
    QString stored(const char *name) const
    {
        return RegistryUtility::read(key, QLatin1String(name), QStringLiteral("-1"));
    }
    void store(int top, int left) const
    {
        RegistryUtility::write(key, QStringLiteral("Top"), QString::number(top));
        RegistryUtility::write(key, QStringLiteral("Left"), QString::number(left));
    }
};

TEST_F(Placement, TheWindowComesBackWhereItWasInTwipsButNotFromAMinimisedCloseOrOffScreen)
{
    store(1500, 3000);
    start();
    EXPECT_EQ(window->pos(), QPoint(Twips::ToPixels(3000), Twips::ToPixels(1500)));
    window->move(Twips::ToPixels(4500), Twips::ToPixels(2250));
    restart();
    EXPECT_EQ(stored("Top"), QStringLiteral("2250"));
    EXPECT_EQ(stored("Left"), QStringLiteral("4500"));

    // Closed while minimised: the position stored before stays.
    window->showMinimized();
    window->move(0, 0);
    restart();
    EXPECT_EQ(stored("Left"), QStringLiteral("4500"));

    // A screen that is gone: back onto one.
    window->showMinimized();
    store(1500, 999999);
    restart();
    EXPECT_EQ(window->pos(), QGuiApplication::primaryScreen()->availableGeometry().topLeft());
}

} // namespace
