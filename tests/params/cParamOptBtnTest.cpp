#include "params/cParamOptBtn.h"

#include "ParamsTestSupport.h"

#include <QRadioButton>
#include <QTest>
#include <QWidget>

// Three option buttons for the slot number CP (one byte), wired like the form:
// a click hands the button's position to the parameter.
class OptBtnParam : public ParamsDbFixture
{
protected:
    void SetUp() override
    {
        ParamsDbFixture::SetUp();
        cp = channelCp(QStringLiteral("ModuleNumber"));
        p.initDirect(nullptr, QStringLiteral("ModuleNumber_1"), cp, QStringLiteral("ModuleNumber"));
        for (int i = 0; i < 3; ++i) {
            buttons[i] = new QRadioButton(QString::number(i), &page);
            buttons[i]->move(0, 30 * i);
            p.AddOptionButton(buttons[i], QString::number(i));
            QObject::connect(buttons[i], &QRadioButton::clicked, buttons[i],
                             [this, i] { p.OptionButton_Click_Event(p.OptionButtonIndexOf(buttons[i])); });
        }
        page.resize(200, 120);
        page.show();
    }

    bool noneChecked() const
    {
        return !buttons[0]->isChecked() && !buttons[1]->isChecked() && !buttons[2]->isChecked();
    }

    QWidget page;
    QRadioButton *buttons[3] = {};
    cParamOptBtn p;
    LnsRef<LnsConfigProperty> cp;
};

TEST_F(OptBtnParam, ButtonsAreCountedFromOne)
{
    EXPECT_EQ(p.OptionButtonsCount(), 3);
    EXPECT_EQ(p.OptionButton(1), buttons[0]);
    EXPECT_EQ(p.OptionButton(3), buttons[2]);
    EXPECT_EQ(p.OptionButton(0), nullptr);
    EXPECT_EQ(p.OptionButton(4), nullptr);
    EXPECT_EQ(p.OptionButtonItemData(2), QStringLiteral("1"));
    EXPECT_EQ(buttons[1]->property("Tag").toString(), QStringLiteral("ModuleNumber_1"));
    EXPECT_EQ(p.OptionButtonIndexOf(nullptr), 0);
}

TEST_F(OptBtnParam, ClickedChoiceIsWrittenAsRawText)
{
    QTest::mouseClick(buttons[2], Qt::LeftButton);
    EXPECT_EQ(p.Value(), QStringLiteral("2"));
    EXPECT_TRUE(p.Changed());
    p.WriteToLns();
    EXPECT_EQ(bytesOf(cp), QList<int>{2});
    EXPECT_FALSE(p.Changed());
    EXPECT_EQ(cp->valueFormat(), QStringLiteral("RAW_HEX"));
}

TEST_F(OptBtnParam, ReadSwitchesOnTheMatchingButton)
{
    setBytes(cp, {1});
    p.setChanged(true);
    p.ReadFromLns();
    EXPECT_EQ(p.Value(), QStringLiteral("1"));
    EXPECT_TRUE(buttons[1]->isChecked());
    EXPECT_FALSE(p.Changed());
    EXPECT_EQ(cp->valueFormat(), QStringLiteral("RAW_HEX"));
}

TEST_F(OptBtnParam, ValueWithoutButtonLeavesButtonsAloneAndClickOutsideGroupIsIgnored)
{
    p.setValue(QStringLiteral("0"));
    p.setValue(QStringLiteral("7"));
    EXPECT_TRUE(buttons[0]->isChecked());
    EXPECT_EQ(p.Value(), QStringLiteral("7"));
    p.setChanged(false);
    p.OptionButton_Click_Event(0);
    p.OptionButton_Click_Event(4);
    EXPECT_EQ(p.Value(), QStringLiteral("7"));
    EXPECT_FALSE(p.Changed());
}

TEST_F(OptBtnParam, DisabledNoValueSwitchesAllOffAndKeepsValue)
{
    p.setValue(QStringLiteral("2"));
    p.setChanged(false);
    p.setLockMode(LM_DISABLED_NO_VALUE);
    EXPECT_TRUE(noneChecked());
    EXPECT_FALSE(buttons[0]->isEnabled());
    EXPECT_EQ(p.Value(), QStringLiteral("2"));
    EXPECT_FALSE(p.Changed());
    p.setLockMode(LM_UNLOCKED);
    EXPECT_TRUE(buttons[2]->isChecked());
    EXPECT_TRUE(buttons[2]->isEnabled());
    // Still one group: a click moves the choice.
    QTest::mouseClick(buttons[0], Qt::LeftButton);
    EXPECT_FALSE(buttons[2]->isChecked());
    EXPECT_EQ(p.Value(), QStringLiteral("0"));
}

TEST_F(OptBtnParam, WholeMultiByteCpIsOneChoice)
{
    const LnsRef<LnsConfigProperty> fpt = channelCp(QStringLiteral("FptIndex"));
    cParamOptBtn q;
    q.initDirect(nullptr, QStringLiteral("FptIndex_1"), fpt, QStringLiteral("FptIndex"));
    QRadioButton unused(&page);
    QRadioButton light(&page);
    q.AddOptionButton(&unused, QStringLiteral("255\t255"));
    q.AddOptionButton(&light, QStringLiteral("83\t152"));
    q.ReadFromLns();
    EXPECT_TRUE(unused.isChecked());
    q.OptionButton_Click_Event(2);
    q.WriteToLns();
    EXPECT_EQ(bytesOf(fpt), (QList<int>{83, 152}));
}
