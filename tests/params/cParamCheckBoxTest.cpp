#include "params/cParamCheckBox.h"

#include "ParamsTestSupport.h"
#include "params/ControlColours.h"

#include <QCheckBox>
#include <QTest>
#include <QWidget>

namespace {
const QColor Red(255, 0, 0);

QColor captionColour(const QCheckBox &box)
{
    return box.palette().color(QPalette::Active, QPalette::WindowText);
}
} // namespace

// A check box for a one-byte CP whose "on" value is 5, wired like the form.
class CheckBoxParam : public ParamsDbFixture
{
protected:
    void SetUp() override
    {
        ParamsDbFixture::SetUp();
        cp = channelCp(QStringLiteral("DiscLevels"));
        p.initDirect(nullptr, QStringLiteral("DiscLevels_1"), cp, QStringLiteral("DiscLevels"));
        box.setParent(&page);
        box.adjustSize();
        page.resize(200, 60);
        page.show();
        p.setCheckBoxControl(&box);
        p.ConsiderPartOfCpOnly(1, 1);
        p.setValueChecked(5);
        p.setValueUnchecked(0);
        QObject::connect(&box, &QCheckBox::clicked, &box, [this] { p.CheckBox_Click_Event(); });
    }

    QWidget page;
    QCheckBox box{QStringLiteral("Fan stages")};
    cParamCheckBox p;
    LnsRef<LnsConfigProperty> cp;
};

TEST_F(CheckBoxParam, TwoValuesTickAndClearAndOtherValueKeepsTickWithRedCaption)
{
    EXPECT_EQ(box.property("Tag").toString(), QStringLiteral("DiscLevels_1"));
    p.setValue(0);
    EXPECT_FALSE(box.isChecked());
    EXPECT_NE(captionColour(box), Red);
    p.setValue(5);
    EXPECT_TRUE(box.isChecked());
    p.setValue(3);
    EXPECT_TRUE(box.isChecked());
    EXPECT_EQ(captionColour(box), Red);
    p.setValue(0);
    p.setValue(3);
    EXPECT_FALSE(box.isChecked());
    EXPECT_EQ(captionColour(box), Red);
    // A click on the red caption takes a choice.
    QTest::mouseClick(&box, Qt::LeftButton);
    EXPECT_EQ(p.Value(), 5);
    EXPECT_NE(captionColour(box), Red);
}

TEST_F(CheckBoxParam, ReadOtherValueFromDeviceAndSignedField)
{
    setBytes(cp, {3});
    p.ReadFromLns();
    EXPECT_EQ(p.Value(), 3);
    EXPECT_FALSE(p.Changed());
    EXPECT_EQ(captionColour(box), Red);
    setBytes(cp, {255});
    p.setSignedValue(true);
    p.ReadFromLns();
    EXPECT_EQ(p.Value(), -1);
}

TEST_F(CheckBoxParam, ClickSetsValueAndWrites)
{
    QTest::mouseClick(&box, Qt::LeftButton);
    EXPECT_EQ(p.Value(), 5);
    EXPECT_TRUE(p.Changed());
    p.WriteToLns();
    EXPECT_EQ(bytesOf(cp), QList<int>{5});
    EXPECT_FALSE(p.Changed());
    QTest::mouseClick(&box, Qt::LeftButton);
    EXPECT_EQ(p.Value(), 0);
    p.WriteToLns();
    EXPECT_EQ(bytesOf(cp), QList<int>{0});
}

TEST_F(CheckBoxParam, UnavailableIgnoresValueAndLockMode)
{
    p.setAvailable(false);
    p.setValue(5);
    EXPECT_EQ(p.Value(), 0);
    EXPECT_FALSE(p.Changed());
    p.setLockMode(LM_DISABLED);
    EXPECT_TRUE(box.isEnabled());
    EXPECT_EQ(p.LockMode(), LM_DISABLED);
}

TEST_F(CheckBoxParam, DisabledNoValueClearsBoxAndKeepsValue)
{
    p.setValue(5);
    p.setChanged(false);
    p.setLockMode(LM_DISABLED_NO_VALUE);
    EXPECT_FALSE(box.isChecked());
    EXPECT_FALSE(box.isEnabled());
    EXPECT_EQ(p.Value(), 5);
    EXPECT_FALSE(p.Changed());
    p.setLockMode(LM_DISABLED_GREY);
    EXPECT_TRUE(box.isChecked());
    EXPECT_FALSE(box.isEnabled());
    p.setLockMode(LM_UNLOCKED);
    EXPECT_TRUE(box.isEnabled());
}
