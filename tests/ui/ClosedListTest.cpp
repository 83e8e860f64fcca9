// The lists of the window changed without opening them: keys, typed letters
// and the mouse wheel.
#include "MainWindowFixture.h"

#include <QTest>
#include <QWheelEvent>
#include <QtTest/qtestspontaneevent.h>
#include <functional>

namespace {

// A sorvan KW8 in slot 1: channel 1 holds Channel1 and channel 2 Channel2,
// both with a one-contact function. A two-contact function on channel 1
// would take channel 2 from its object.
class ClosedList : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        storeSlots(QStringLiteral("RX24 Hall"), {MT_KW8});
        storeBinding(QStringLiteral("RX24 Hall"), 1, 1, 1, MT_KW8, 21201);
        storeBinding(QStringLiteral("RX24 Hall"), 2, 1, 2, MT_KW8, 21201);
        start();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        window->ShowPage(frmMain::FirstModuleKey);
    }

    QComboBox *list(int channel, const char *name) const
    {
        return channelRow(1, channel)->findChild<QComboBox *>(QLatin1String(name));
    }
    static QStringList offered(QComboBox *box)
    {
        box->showPopup();
        QStringList texts;
        for (int i = 0; i < box->count(); ++i)
            texts << box->itemText(i);
        box->hidePopup();
        return texts;
    }
    static QString switchType(int code) { return cActChannel::FptText(QStringLiteral("21201/%1").arg(code)); }
    // One notch of the wheel turned down over the middle of the widget, as
    // the window system delivers it.
    static void wheelDown(QWidget *widget)
    {
        const QPointF centre = QRectF(widget->rect()).center();
        QWheelEvent notch(centre, widget->mapToGlobal(centre), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QSpontaneKeyEvent::setSpontaneous(&notch);
        QApplication::instance()->notify(widget, &notch);
    }
    const cLmo *object(int index) const { return window->Configuration()->Lmos().Item(index); }
    const cActChannel *channel(int n) const
    {
        return window->Configuration()->ActModules().Item(1)->ChannelByIndex(n);
    }
    // Channel 2 still holds Channel2, and its row says so.
    void expectChannel2Kept(const std::string &how) const
    {
        EXPECT_EQ(object(2)->ActChannel(), channel(2)) << how;
        EXPECT_EQ(list(2, "cboObject")->currentText().toStdString(), "Channel2") << how;
        EXPECT_TRUE(list(2, "cboObject")->isEnabled()) << how;
    }
};

TEST_F(ClosedList, AFunctionChosenClosedIsOneTheOpenListOffers)
{
    QComboBox *types = list(1, "cboType");
    ASSERT_FALSE(offered(types).contains(switchType(1))) << "channel 2 is not free for a dual pushbutton";
    struct Case
    {
        const char *how;
        std::function<void()> choose;
        int expected;
    };
    // Choosing the object again rebuilds the row with the module's default
    // function, "toggle with pushbutton". After it, in the list of every
    // function the channel fits, the next entry, the last one and the next
    // "t..." take two contacts.
    const Case cases[] = {
        {"Down", [types] { QTest::keyClick(types, Qt::Key_Down); }, 2},
        {"PageDown", [types] { QTest::keyClick(types, Qt::Key_PageDown); }, 2},
        {"End", [types] { QTest::keyClick(types, Qt::Key_End); }, 13},
        {"letter t", [types] { QTest::keyClick(types, Qt::Key_T); }, 2},
        {"wheel", [types] { wheelDown(types); }, 2},
    };
    for (const Case &c : cases) {
        pickEntry(channelRow(1, 1), "cboObject", QStringLiteral("Channel1"));
        ASSERT_EQ(types->currentText(), switchType(0));
        types->setFocus();
        c.choose();
        EXPECT_EQ(types->currentText().toStdString(), switchType(c.expected).toStdString()) << c.how;
        EXPECT_EQ(cActChannel::FptStringOfLmo(*object(1)).toStdString(),
                  "21201/" + std::to_string(c.expected))
            << c.how;
        expectChannel2Kept(c.how);
    }
}

TEST_F(ClosedList, AnObjectChosenClosedStepsOverObjectsOtherChannelsHold)
{
    QComboBox *objects = list(3, "cboObject");
    ASSERT_EQ(objects->currentText(), ResourceStrings::LoadResString(1040, 1));
    objects->setFocus();
    // Channel1 and Channel2 are held: the first free object is Channel3.
    QTest::keyClick(objects, Qt::Key_Down);
    EXPECT_EQ(objects->currentText().toStdString(), "Channel3");
    EXPECT_EQ(object(3)->ActChannel(), channel(3));
    QTest::keyClick(objects, Qt::Key_Home);
    EXPECT_EQ(objects->currentText(), ResourceStrings::LoadResString(1040, 1));
    EXPECT_EQ(object(3)->ActChannel(), nullptr);
    QTest::keyClick(objects, Qt::Key_C);
    EXPECT_EQ(objects->currentText().toStdString(), "Channel3");
    EXPECT_EQ(list(1, "cboObject")->currentText().toStdString(), "Channel1");
    expectChannel2Kept("typed C");
}

TEST_F(ClosedList, AWholeNameCanBeReadWhereTheClosedListCutsItShort)
{
    QComboBox *types = list(1, "cboType");
    pickEntry(channelRow(1, 1), "cboType", switchType(13));
    EXPECT_EQ(types->toolTip().toStdString(), switchType(13).toStdString());

    // The plain style opens a list only as wide as the closed one.
    QApplication::setStyle(QStringLiteral("Windows"));
    window->ShowPage(frmMain::ObjectsKey);
    QTest::keyClicks(find<QLineEdit>(QStringLiteral("txtName1")),
                     QStringLiteral(" in the north wing, east side"));
    window->ShowPage(frmMain::FirstModuleKey);
    QComboBox *objects = list(1, "cboObject");
    EXPECT_EQ(objects->toolTip().toStdString(), "Channel1 in the north wing, east side");
    objects->showPopup();
    const int widest = objects->view()->fontMetrics().horizontalAdvance(objects->currentText());
    EXPECT_GT(widest, objects->width());
    EXPECT_GE(objects->view()->viewport()->width(), widest);
    objects->hidePopup();
    QApplication::setStyle(QStringLiteral("Fusion"));
}

TEST_F(ClosedList, TheWheelChangesOnlyTheListThatHasTheFocus)
{
    QComboBox *types = list(1, "cboType");
    const std::string function = types->currentText().toStdString();
    list(1, "cboObject")->setFocus();
    wheelDown(types);
    EXPECT_EQ(types->currentText().toStdString(), function);
    EXPECT_FALSE(types->hasFocus()) << "the wheel gives no focus";

    window->ShowPage(frmMain::DeviceKey);
    QComboBox *slot1 = slotList(1);
    QComboBox *slot2 = slotList(2);
    slot2->setFocus();
    wheelDown(slot1);
    // Leaving slot 1 commits what it shows.
    slot1->setFocus();
    slot2->setFocus();
    EXPECT_EQ(slot1->currentData().toInt(), MT_KW8);
    EXPECT_EQ(window->Configuration()->ActModules().Item(1)->ModuleType(), MT_KW8);
    EXPECT_EQ(object(1)->ActChannel(), channel(1)) << "module 1 keeps its bindings";
    EXPECT_FALSE(find<QPushButton>(QStringLiteral("btnApply"))->isEnabled());

    slot1->setFocus();
    wheelDown(slot1);
    EXPECT_NE(slot1->currentData().toInt(), MT_KW8);
    EXPECT_TRUE(find<QPushButton>(QStringLiteral("btnApply"))->isEnabled());
}

} // namespace
