#include "params/cParamComboBox.h"

#include "ParamsTestSupport.h"
#include "params/ControlColours.h"

#include <QApplication>
#include <QComboBox>
#include <QTest>

// A module-type list as the device page shows it, wired like the form wires
// it: every change of the selection is handed to the parameter.
class ComboBoxParam : public ParamsDbFixture
{
protected:
    void SetUp() override
    {
        ParamsDbFixture::SetUp();
        QObject::connect(&combo, &QComboBox::currentIndexChanged, &combo,
                         [this] { p.ComboBox_Change_Event(); });
        p.setComboBoxControl(&combo);
        p.setInvalidItemString(QStringLiteral("<invalid>"));
        p.AddComboBoxItem(QStringLiteral("KW8"), 0);
        p.AddComboBoxItem(QStringLiteral("KW16"), 1);
        p.AddComboBoxItem(QStringLiteral("RP4"), 2);
    }
    void bind(const QString &cpName, int bytePos = 1, int byteLength = 1)
    {
        cp = channelCp(cpName);
        p.initDirect(nullptr, cpName + QStringLiteral("_1"), cp, cpName);
        p.ConsiderPartOfCpOnly(bytePos, byteLength);
    }

    QComboBox combo;
    cParamComboBox p;
    LnsRef<LnsConfigProperty> cp;
};

TEST_F(ComboBoxParam, ValueSelectsItsItemAndValueNotInListLeavesNoSelection)
{
    EXPECT_EQ(combo.currentIndex(), -1); // a growing list selects nothing by itself
    p.setValue(1);
    EXPECT_EQ(combo.currentIndex(), 1);
    EXPECT_TRUE(p.CurrentValueIsInComboList());
    p.setValue(7);
    EXPECT_EQ(combo.currentIndex(), -1);
    EXPECT_EQ(p.Value(), 7); // clearing the selection is no choice
    EXPECT_FALSE(p.CurrentValueIsInComboList());
    EXPECT_TRUE(p.ValueIsInComboList(1));
    EXPECT_FALSE(p.ValueIsInComboList(7));
    // The user's choice sets the value.
    p.setChanged(false);
    QTest::keyClick(&combo, Qt::Key_Down);
    EXPECT_EQ(p.Value(), 0);
    EXPECT_TRUE(p.Changed());
}

TEST_F(ComboBoxParam, ShowInvalidItemMarksInRedAndKeepsValue)
{
    p.setValue(7);
    p.ShowInvalidItem();
    EXPECT_EQ(combo.count(), 4);
    EXPECT_EQ(combo.currentIndex(), 0);
    EXPECT_EQ(combo.currentText(), QStringLiteral("<invalid>"));
    EXPECT_EQ(combo.itemData(0).toInt(), 0);
    EXPECT_EQ(ControlColours::textColour(&combo), QColor(255, 0, 0));
    EXPECT_EQ(p.Value(), 7);
    // The user's choice of a real item ends the warning.
    QTest::keyClick(&combo, Qt::Key_Down);
    EXPECT_EQ(p.Value(), 0);
    EXPECT_EQ(combo.currentIndex(), 1);
    EXPECT_NE(ControlColours::textColour(&combo), QColor(255, 0, 0));
}

TEST_F(ComboBoxParam, SelectByIndexRunsChangeEvenUnwired)
{
    QComboBox unwired;
    cParamComboBox q;
    q.setComboBoxControl(&unwired);
    q.AddComboBoxItem(QStringLiteral("a"), 10);
    q.AddComboBoxItem(QStringLiteral("b"), 20);
    q.SetValueByComboListItemIndex(1);
    EXPECT_EQ(q.Value(), 20);
    EXPECT_TRUE(q.Changed());
}

TEST_F(ComboBoxParam, RemovingItems)
{
    p.setValue(1);
    p.RemoveComboBoxItemByItemData(9); // none: nothing happens
    EXPECT_EQ(combo.count(), 3);
    p.RemoveComboBoxItemByItemData(1);
    EXPECT_EQ(combo.count(), 2);
    EXPECT_EQ(combo.currentIndex(), -1); // not a neighbour
    EXPECT_EQ(p.Value(), 1);
    p.RemoveComboBoxItem(0);
    EXPECT_EQ(combo.itemData(0).toInt(), 2);
    p.RemoveComboBoxItem(5);
    p.ClearComboBox();
    EXPECT_EQ(combo.count(), 0);
    EXPECT_EQ(p.Value(), 1);
}

TEST_F(ComboBoxParam, FrozenControlIsNotUpdated)
{
    p.setValue(1);
    p.setControlUpdatesEnabled(false);
    p.setValue(2);
    EXPECT_EQ(combo.currentIndex(), 1);
    p.setControlUpdatesEnabled(true);
    p.UpdateComboBox();
    EXPECT_EQ(combo.currentIndex(), 2);
}

TEST_F(ComboBoxParam, LockModesShowOrHideTheChoiceButKeepTheValue)
{
    struct Case
    {
        eLockMode mode;
        int index;
        bool buttonFace;
    };
    const Case cases[] = {{LM_DISABLED_NO_VALUE, -1, false},
                          {LM_DISABLED_GREY, 2, true},
                          {LM_DISABLED_GREY_NO_VALUE, -1, true},
                          {LM_DISABLED, 2, false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.mode);
        p.setLockMode(LM_UNLOCKED);
        p.setValue(2);
        p.setChanged(false);
        p.setLockMode(c.mode);
        EXPECT_EQ(combo.currentIndex(), c.index);
        EXPECT_FALSE(combo.isEnabled());
        EXPECT_EQ(combo.palette().color(QPalette::Base),
                  QApplication::palette(&combo).color(c.buttonFace ? QPalette::Button : QPalette::Base));
        EXPECT_EQ(p.Value(), 2);
        EXPECT_FALSE(p.Changed());
    }
    p.setLockMode(LM_LOCKED); // no meaning for a list: stays disabled
    EXPECT_FALSE(combo.isEnabled());
    p.setLockMode(LM_DISABLED_NO_VALUE);
    p.setValue(1); // stored, not shown
    EXPECT_EQ(combo.currentIndex(), -1);
    p.setLockMode(LM_UNLOCKED);
    EXPECT_TRUE(combo.isEnabled());
    EXPECT_EQ(combo.currentIndex(), 1);
}

TEST_F(ComboBoxParam, ReadsSignedOnlyWithNegativeItems)
{
    bind(QStringLiteral("ModuleType"));
    p.ReadFromLns(); // default 255: empty slot
    EXPECT_EQ(p.Value(), 255);
    EXPECT_EQ(combo.currentIndex(), -1);
    EXPECT_FALSE(p.SignedValue());
    p.AddComboBoxItem(QStringLiteral("not used"), -1);
    EXPECT_TRUE(p.SignedValue());
    p.setChanged(true);
    p.ReadFromLns();
    EXPECT_EQ(p.Value(), -1);
    EXPECT_EQ(combo.currentIndex(), 3);
    EXPECT_FALSE(p.Changed());
}

TEST_F(ComboBoxParam, ChoiceIsWrittenIntoItsField)
{
    bind(QStringLiteral("MaxRange"), 2, 2);
    QTest::keyClick(&combo, Qt::Key_Down); // first item
    QTest::keyClick(&combo, Qt::Key_Down);
    ASSERT_EQ(p.Value(), 1);
    p.WriteToLns();
    EXPECT_EQ(bytesOf(cp), (QList<int>{200, 0, 1, 0}));
    EXPECT_FALSE(p.Changed());
    p.AddComboBoxItem(QStringLiteral("not used"), -1);
    p.setValue(-1);
    p.WriteToLns();
    EXPECT_EQ(bytesOf(cp), (QList<int>{200, 255, 255, 0}));
}
