// The window without the mouse: the page keys wherever the focus is, Tab in
// the reading order of each page, Escape and Enter as in a dialog.
#include "MainWindowFixture.h"
#include "ui/TabRows.h"

namespace {

// An RP4 in slot 1 with channel 1 bound to object 1, a KW8 in slot 2.
class Keyboard : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        storeSlots(QStringLiteral("RX24 Hall"), {MT_RP4, MT_KW8});
        storeBinding(QStringLiteral("RX24 Hall"), 1, 1, 1, MT_RP4, 21400);
        start();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    static QWidget *focused() { return QApplication::focusWidget(); }
    // The widgets Tab (or Shift+Tab) visits, a channel row's list named with its channel.
    static std::string walk(int steps, bool back = false)
    {
        QStringList visited;
        for (int i = 0; i < steps && focused(); ++i) {
            QTest::keyClick(focused(), back ? Qt::Key_Backtab : Qt::Key_Tab,
                            back ? Qt::ShiftModifier : Qt::NoModifier);
            const auto *row = qobject_cast<ctlChannel *>(focused() ? focused()->parentWidget() : nullptr);
            visited << (row ? QString::number(row->ChannelNo()) + QLatin1Char(':') : QString()) +
                           (focused() ? focused()->objectName() : QStringLiteral("(none)"));
        }
        return visited.join(QLatin1Char(' ')).toStdString();
    }
    std::string page() const { return selectedTab().toStdString(); }
    QComboBox *rowList(int channel, const char *name) const
    {
        return channelRow(1, channel)->findChild<QComboBox *>(QLatin1String(name));
    }
};

TEST_F(Keyboard, PageKeysChangeThePageWhileAListHasTheFocus)
{
    slotList(2)->setFocus();
    QTest::keyClick(focused(), Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(page(), "Objects");
    EXPECT_EQ(slotList(2)->currentData().toInt(), MT_KW8) << "the list kept its choice";

    window->ShowPage(frmMain::FirstModuleKey);
    rowList(1, "cboType")->setFocus();
    const QString type = rowList(1, "cboType")->currentText();
    QTest::keyClick(focused(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(page(), "Module 2");
    EXPECT_EQ(rowList(1, "cboType")->currentText().toStdString(), type.toStdString());

    // Back, round past the first page to the Logger.
    window->ShowPage(frmMain::ObjectsKey);
    find<QLineEdit>(QStringLiteral("txtName4"))->setFocus();
    QTest::keyClick(focused(), Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(page(), "Device");
    slotList(1)->setFocus();
    QTest::keyClick(focused(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(page(), "Logger");
}

TEST_F(Keyboard, TabFollowsTheReadingOrderOfEachPage)
{
    tabs()->Bar()->setFocus();
    // Slot 3 is free to choose, slot 4 greyed; the KW8 has its configuration; Apply is off.
    EXPECT_EQ(walk(8),
              "cboModule1 cboModule2 cmdConfigure2 cboModule3 btnOK btnCancel btnConfiguration tabBar");
    EXPECT_EQ(walk(2, true), "btnConfiguration btnCancel");

    // The left column first.
    window->ShowPage(frmMain::ObjectsKey);
    tabs()->Bar()->setFocus();
    EXPECT_EQ(walk(17), "txtName1 txtName2 txtName3 txtName4 txtName5 txtName6 txtName7 txtName8 txtName9 "
                        "txtName10 txtName11 txtName12 txtName13 txtName14 txtName15 txtName16 btnOK");

    // Channel 1 has an object, so its function can be chosen; the others wait for one.
    window->ShowPage(frmMain::FirstModuleKey);
    tabs()->Bar()->setFocus();
    EXPECT_EQ(walk(6), "1:cboObject 1:cboType 2:cboObject 3:cboObject 4:cboObject btnOK");
}

TEST_F(Keyboard, EscapeIsCancelAndEnterPressesTheFocusedButton)
{
    window->ShowPage(frmMain::ObjectsKey);
    QLineEdit *name = find<QLineEdit>(QStringLiteral("txtName1"));
    name->setFocus();
    QTest::keyClicks(name, QStringLiteral(" x"));
    QTest::keyClick(name, Qt::Key_Escape);
    EXPECT_EQ(MessageBox::lastShown().text, ResourceStrings::LoadResString(1428, 3)) << "Cancel asks";
    EXPECT_TRUE(window->IsLoaded()) << "No is the default";

    window->ShowPage(frmMain::DeviceKey);
    slotList(1)->setFocus();
    QTest::keyClick(focused(), Qt::Key_Escape);
    EXPECT_EQ(MessageBox::shownBoxes().size(), 2);

    // Enter on Cancel is Cancel; on OK, the change is written and the window closes.
    find<QPushButton>(QStringLiteral("btnCancel"))->setFocus();
    QTest::keyClick(focused(), Qt::Key_Return);
    EXPECT_EQ(MessageBox::shownBoxes().size(), 3);
    find<QPushButton>(QStringLiteral("btnOK"))->setFocus();
    QTest::keyClick(focused(), Qt::Key_Enter);
    EXPECT_FALSE(window->IsLoaded());
    EXPECT_TRUE(
        stateOf(QStringLiteral("RX24 Hall"), true).contains(QStringLiteral("object 2 name: Channel1 x")))
        << stateOf(QStringLiteral("RX24 Hall"), true).join(QLatin1Char('\n')).toStdString();
}

} // namespace
