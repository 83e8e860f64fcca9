#include "ParamsTestSupport.h"
#include "TextBoxHarness.h"
#include "host/ResourceStrings.h"
#include "params/DisplayFormat.h"
#include "params/SnvtPreset.h"
#include "params/cParamTextBox.h"
#include "platform/services/MessageBox.h"

#include <QTest>
#include <gtest/gtest.h>

// A setpoint in °C that the user may set from 15 to 30.
class TextBoxValidation : public ::testing::Test
{
protected:
    void SetUp() override
    {
        MessageBox::setTestMode(true);
        MessageBox::clearTestRecord();
        p.setSnvtType(SNVT_temp_p);
        p.setTextBoxRangeMin(15.0f);
        p.setTextBoxRangeMax(30.0f);
        p.setTextBoxTitle(QStringLiteral("Room setpoint"));
        p.setLockMode(LM_UNLOCKED);
    }
    void TearDown() override
    {
        MessageBox::clearTestRecord();
        ResourceStrings::SetLanguageOffset(ResourceStrings::English);
    }

    void type(const QString &text)
    {
        h.edit.clear();
        QTest::keyClicks(&h.edit, text);
    }

    bool validate()
    {
        bool cancel = false;
        p.TextBox_Validate_Event(cancel);
        return cancel;
    }

    cParamTextBox p;
    TextBoxHarness h{p};
};

TEST_F(TextBoxValidation, OutOfRangeIsCorrectedWithMessageNamingTheTypedValue)
{
    struct Case
    {
        const char *typed;
        const char *message;
        const char *corrected;
    };
    const Case cases[] = {
        {"40",
         "The value 40 °C is too high. The valid range is from 15 up to 30 °C.\n\n\"Room setpoint\" is set "
         "to "
         "30 °C.",
         "30.00"},
        {"-2.75",
         "The value -2.75 °C is too low. The valid range is from 15 up to 30 °C.\n\n\"Room setpoint\" is set "
         "to 15 °C.",
         "15.00"},
        {"", // empty text counts as 0
         "The value 0 °C is too low. The valid range is from 15 up to 30 °C.\n\n\"Room setpoint\" is set to "
         "15 °C.",
         "15.00"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        MessageBox::clearTestRecord();
        type(QString::fromUtf8(c.typed));
        EXPECT_TRUE(validate());
        ASSERT_EQ(MessageBox::shownBoxes().size(), 1);
        const MessageBox::Shown box = MessageBox::lastShown();
        EXPECT_EQ(box.text, QString::fromUtf8(c.message));
        EXPECT_EQ(box.icon, MessageBox::Icon::Exclamation);
        EXPECT_EQ(box.buttons, MessageBox::Buttons::OK);
        EXPECT_EQ(box.title, QStringLiteral("tarvina RX24"));
        EXPECT_EQ(h.edit.text(), QString::fromUtf8(c.corrected));
        EXPECT_EQ(p.Value(), qRound(QString::fromUtf8(c.corrected).toDouble() * 100));
        EXPECT_EQ(h.edit.cursorPosition(), h.edit.text().size());
    }
}

TEST_F(TextBoxValidation, GermanMessageFillsEveryPlaceholder)
{
    ResourceStrings::SetLanguageOffset(ResourceStrings::German);
    type(QStringLiteral("40"));
    validate();
    const QString text = MessageBox::lastShown().text;
    EXPECT_FALSE(text.contains(QLatin1Char('%'))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Room setpoint")));
    EXPECT_TRUE(text.contains(QStringLiteral("40")));
    EXPECT_NE(text, QStringLiteral("The value 40 °C is too high. The valid range is from 15 up to 30 °C.\n\n"
                                   "\"Room setpoint\" is set to 30 °C."));
}

TEST_F(TextBoxValidation, InRangeValueIsRoundedToStepSilentlyAndLeavesCancelAlone)
{
    type(QStringLiteral("21.555"));
    EXPECT_FALSE(validate());
    EXPECT_TRUE(MessageBox::shownBoxes().isEmpty());
    EXPECT_EQ(h.edit.text(), QStringLiteral("21.56"));
    EXPECT_EQ(p.Value(), 2156);
    bool cancel = true; // a cancel already set stays set
    p.TextBox_Validate_Event(cancel);
    EXPECT_TRUE(cancel);
}

TEST_F(TextBoxValidation, CoarseStepsRoundTheCorrectedValue)
{
    p.setResolution(RES_0_5);
    p.setFactor(2);
    p.setTextBoxRangeMax(20.26f);
    h.edit.setText(QStringLiteral("25"));
    validate();
    // 20.26 lies between two steps: the step inside the range stands for it.
    EXPECT_EQ(h.edit.text(), QStringLiteral("20.0"));
    EXPECT_TRUE(MessageBox::lastShown().text.contains(QStringLiteral("from 15 up to 20 °C")));
    EXPECT_TRUE(MessageBox::lastShown().text.contains(QStringLiteral("is set to 20 °C")));

    p.setResolution(RES_50);
    p.setFactor(1);
    p.setTextBoxRangeMax(1000.0f);
    h.edit.setText(QStringLiteral("120"));
    EXPECT_FALSE(validate());
    EXPECT_EQ(h.edit.text(), QStringLiteral("100"));
    EXPECT_EQ(p.Value(), 100);
}

TEST_F(TextBoxValidation, OneChangeIsValidatedOnce)
{
    type(QStringLiteral("40"));
    validate();
    p.TextBox_LostFocus_Event(); // already validated: no second box
    EXPECT_EQ(MessageBox::shownBoxes().size(), 1);
    type(QStringLiteral("50"));
    p.TextBox_LostFocus_Event(); // the mark was cleared: validates now
    EXPECT_EQ(MessageBox::shownBoxes().size(), 2);
    EXPECT_EQ(h.edit.text(), QStringLiteral("30.00"));
}

TEST_F(TextBoxValidation, SetValidCorrectsWithoutMessageAndTakesCalculatedValueOnlyWhenCorrecting)
{
    h.edit.setText(QStringLiteral("40"));
    p.SetValidTextBoxValue();
    EXPECT_TRUE(MessageBox::shownBoxes().isEmpty());
    EXPECT_EQ(h.edit.text(), QStringLiteral("30.00"));
    EXPECT_EQ(p.Value(), 3000);

    h.edit.setText(QStringLiteral("40"));
    p.SetValidTextBoxValue(22.5);
    EXPECT_EQ(p.Value(), 2250);
    EXPECT_EQ(h.edit.text(), QStringLiteral("22.50"));
    h.edit.setText(QStringLiteral("25"));
    p.SetValidTextBoxValue(22.5);
    EXPECT_EQ(p.Value(), 2500);
}

TEST_F(TextBoxValidation, SetValidForcesValueToFollowText)
{
    p.setValue(2100);
    p.setLockMode(LM_LOCKED); // the text no longer follows the value
    p.setValue(5000);
    ASSERT_EQ(h.edit.text(), QStringLiteral("21.00"));
    p.SetValidTextBoxValue(cParamTextBox::NoCalculatedValue, false);
    EXPECT_EQ(p.Value(), 5000);
    p.SetValidTextBoxValue(cParamTextBox::NoCalculatedValue, true);
    EXPECT_EQ(p.Value(), 2100);
}

// A range limit need not be a step of the resolution (SNVT_lev_percent ends
// at 163.83 with steps of 0.05). Whatever the user types, the value shown is
// a step inside the range, the message names it, and the working value fits
// the CP field without wrapping round.
TEST(TextBoxLimits, EveryPresetCorrectsToAReachableStepThatFitsItsField)
{
    MessageBox::setTestMode(true);
    for (int type = unsigned_; type <= SNVT_volt_kilo; ++type) {
        const auto preset = SnvtPreset::of(static_cast<eSnvtType>(type));
        if (!preset)
            continue;
        for (const char *typed : {"99999999", "-99999999", "163.83", "-163.84", "360", "327.67"}) {
            SCOPED_TRACE(testing::Message() << "type " << type << " typed " << typed);
            auto cp = std::make_shared<FakeConfigProperty>(QStringLiteral("F"), 2, 1, QList<int>{0, 0});
            cParamTextBox p;
            p.initDirect(nullptr, QStringLiteral("F_1"), cp, QStringLiteral("F"));
            TextBoxHarness h{p};
            p.setSnvtType(static_cast<eSnvtType>(type));
            p.setLockMode(LM_UNLOCKED);
            MessageBox::clearTestRecord();
            h.edit.setText(QString::fromLatin1(typed));
            bool cancel = false;
            p.TextBox_Validate_Event(cancel);

            const double shown = h.edit.text().toDouble();
            const double steps = shown / DisplayFormat::step(preset->resolution);
            EXPECT_NEAR(steps, std::round(steps), 1e-6) << h.edit.text().toStdString();
            EXPECT_GE(static_cast<float>(shown), preset->rangeMin);
            EXPECT_LE(static_cast<float>(shown), preset->rangeMax);
            EXPECT_EQ(p.Value(), qRound64(shown * preset->factor));
            if (cancel) {
                EXPECT_TRUE(MessageBox::lastShown().text.contains(
                    QStringLiteral("is set to ") + DisplayFormat::shortest(static_cast<float>(shown)) +
                    QLatin1Char(' ')))
                    << MessageBox::lastShown().text.toStdString();
            }
            // What goes to the device reads back as the same value.
            const qint32 value = p.Value();
            p.WriteToLns();
            p.ReadFromLns();
            EXPECT_EQ(p.Value(), value);
        }
    }
    MessageBox::clearTestRecord();
}
