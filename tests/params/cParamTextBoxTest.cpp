#include "params/cParamTextBox.h"

#include "ControlParamFixture.h"
#include "TextBoxHarness.h"
#include "params/ParamError.h"
#include "params/cConfigProp.h"

#include <QApplication>
#include <QTest>

namespace {
const QString Tab = QStringLiteral("\t");

QString raw(std::initializer_list<int> bytes)
{
    QStringList pieces;
    for (const int b : bytes)
        pieces << QString::number(b);
    return pieces.join(Tab);
}
} // namespace

// --- Scaling and presets, without LNS ---------------------------------------

TEST(TextBoxPresets, TempPresetSetsScalingRangeAndUnit)
{
    cParamTextBox p;
    p.setSnvtType(SNVT_temp_p);
    EXPECT_EQ(p.Factor(), 100);
    EXPECT_EQ(p.Resolution(), RES_0_0_1);
    EXPECT_FLOAT_EQ(p.RangeMin(), -273.17f);
    EXPECT_FLOAT_EQ(p.RangeMax(), 327.67f);
    EXPECT_FLOAT_EQ(p.TextBoxRangeMin(), -273.17f);
    EXPECT_FLOAT_EQ(p.TextBoxRangeMax(), 327.67f);
    EXPECT_EQ(p.Unit(), UNIT_DegreesCelsius);
    EXPECT_EQ(p.UnitMnemonic(), QStringLiteral("°C"));
    EXPECT_TRUE(p.SignedField());
}

TEST(TextBoxPresets, TypeWithoutPresetIsOnlyStored)
{
    cParamTextBox p;
    p.setSnvtType(SNVT_lux);
    p.setOffsetCalc(-5.0f);
    p.setSnvtType(Signed);
    EXPECT_EQ(p.SnvtType(), Signed);
    EXPECT_EQ(p.Unit(), UNIT_Lux);
    EXPECT_FLOAT_EQ(p.OffsetCalc(), -5.0f); // never touched by a preset
}

TEST(TextBoxPresets, UserDefinedUnitKeepsItsMnemonic)
{
    cParamTextBox p;
    p.setUnitMnemonic(QStringLiteral("lm"));
    p.setUnit(UNIT_UserDefined);
    EXPECT_EQ(p.UnitMnemonic(), QStringLiteral("lm"));
    p.setUnit(UNIT_Volts);
    EXPECT_EQ(p.UnitMnemonic(), QString());
}

TEST(TextBoxScaling, ValueCalcRoundsHalvesToEven)
{
    cParamTextBox p;
    p.setSnvtType(SNVT_lev_cont); // factor 2
    p.setValueCalc(20.25);        // 40.5 -> 40
    EXPECT_EQ(p.Value(), 40);
    p.setValueCalc(20.75); // 41.5 -> 42
    EXPECT_EQ(p.Value(), 42);
    EXPECT_FLOAT_EQ(p.ValueCalc(), 21.0f);
    EXPECT_TRUE(p.Changed());
}

TEST(TextBoxScaling, Resolution2TakesOnlyExactSteps)
{
    cParamTextBox p;
    p.setResolution(RES_0_1);
    p.setResolution2(0.3);
    EXPECT_EQ(p.Resolution(), RES_0_1);
    p.setResolution2(0.05);
    EXPECT_EQ(p.Resolution(), RES_0_0_5);
    EXPECT_DOUBLE_EQ(p.MinStep(), 0.05);
    EXPECT_DOUBLE_EQ(p.Resolution2(), 0.05);
}

TEST(TextBoxValidity, OutsideTextBoxRangeIsInvalid)
{
    cParamTextBox p;
    p.setSnvtType(SNVT_temp_p);
    p.setTextBoxRangeMin(15.0f);
    p.setTextBoxRangeMax(30.0f);
    p.setValue(3000);
    EXPECT_FALSE(p.ValueIsInvalid());
    p.setValue(3001);
    EXPECT_TRUE(p.ValueIsInvalid());
    p.setValue(1499);
    EXPECT_TRUE(p.ValueIsInvalid());
}

TEST(TextBoxFile, WorkingValueRoundTripsThroughFileText)
{
    QLineEdit edit;
    cParamTextBox p;
    p.setTextBoxControl(&edit);
    p.setSnvtType(SNVT_temp_p);
    p.SetValueFromFileText(QStringLiteral("2150"));
    EXPECT_EQ(p.Value(), 2150);
    EXPECT_EQ(edit.text(), QStringLiteral("21.50"));
    EXPECT_EQ(p.FileValueText(), QStringLiteral("2150"));
    p.SetValueFromFileText(QStringLiteral("-2150.5"));
    EXPECT_EQ(p.Value(), -2150);
    p.SetValueFromFileText(QStringLiteral("2151.5"));
    EXPECT_EQ(p.Value(), 2152);
}

TEST(TextBoxFile, EmptyOrGarbageChangesNothing)
{
    cParamTextBox p;
    p.setValue(7);
    p.setChanged(false);
    p.SetValueFromFileText(QString());
    p.SetValueFromFileText(QStringLiteral("abc"));
    EXPECT_EQ(p.Value(), 7);
    EXPECT_FALSE(p.Changed());
}

// --- Typing, keys and input limits ------------------------------------------

TEST(TextBoxTyping, TypedTextSetsWorkingValue)
{
    cParamTextBox p;
    TextBoxHarness h(p);
    p.setSnvtType(SNVT_temp_p);
    p.setLockMode(LM_UNLOCKED);
    h.edit.clear();
    p.setChanged(false);
    QTest::keyClicks(&h.edit, QStringLiteral("21.5"));
    EXPECT_EQ(p.Value(), 2150);
    EXPECT_TRUE(p.Changed());
    h.edit.setText(QStringLiteral("-3,25")); // either separator
    EXPECT_EQ(p.Value(), -325);
    h.edit.setText(QStringLiteral("x"));
    EXPECT_EQ(p.Value(), 0);
}

TEST(TextBoxTyping, OutOfRangeTextIsMarked)
{
    cParamTextBox p;
    TextBoxHarness h(p);
    p.setRangeMin(0.0f);
    p.setRangeMax(100.0f);
    h.edit.setText(QStringLiteral("101"));
    EXPECT_TRUE(h.edit.property("outOfRange").toBool());
    h.edit.setText(QStringLiteral("100"));
    EXPECT_FALSE(h.edit.property("outOfRange").toBool());
}

TEST(TextBoxTyping, SingleRangeLimitIsInsideForTypedDecimal)
{
    // 0.1 as single is above 0.1 as double; the typed 0.1 must still pass.
    cParamTextBox p;
    TextBoxHarness h(p);
    p.setResolution(RES_0_1);
    p.setFactor(10);
    p.setRangeMin(0.1f);
    p.setRangeMax(0.3f);
    h.edit.setText(QStringLiteral("0.1"));
    EXPECT_FALSE(h.edit.property("outOfRange").toBool());
    bool cancel = false;
    p.TextBox_Validate_Event(cancel);
    EXPECT_FALSE(cancel);
    EXPECT_TRUE(MessageBox::shownBoxes().isEmpty());
}

TEST(TextBoxKeys, UnsignedWholeNumbersAcceptDigitsOnly)
{
    cParamTextBox p;
    TextBoxHarness h(p);
    p.setSnvtType(unsigned_);
    p.setLockMode(LM_UNLOCKED);
    EXPECT_EQ(p.KeysAllowed(), KA_Numbers);
    EXPECT_EQ(p.MaxInputLength(), 5);
    h.edit.clear();
    QTest::keyClicks(&h.edit, QStringLiteral("1a-2.3"));
    EXPECT_EQ(h.edit.text(), QStringLiteral("123"));
}

TEST(TextBoxKeys, SignedDecimalAcceptsMinusAndSeparator)
{
    cParamTextBox p;
    TextBoxHarness h(p);
    p.setSnvtType(SNVT_temp_p);
    p.setLockMode(LM_UNLOCKED);
    EXPECT_EQ(p.KeysAllowed(), KA_NumbersFloatNeg);
    EXPECT_EQ(p.MaxInputLength(), 7); // "-273.17"
    h.edit.clear();
    QTest::keyClicks(&h.edit, QStringLiteral("-1x2.5"));
    EXPECT_EQ(h.edit.text(), QStringLiteral("-12.5"));
    EXPECT_EQ(p.Value(), -1250);
}

TEST(TextBoxKeys, ModesFollowResolutionAndSign)
{
    cParamTextBox p;
    p.setSnvtType(SNVT_speed); // 0..6553.5, step 0.1
    p.setLockMode(LM_LOCKED);
    EXPECT_EQ(p.KeysAllowed(), KA_NumbersFloat);
    p.setResolution(RES_50);
    p.setRangeMin(-100.0f);
    p.setLockMode(LM_DISABLED);
    EXPECT_EQ(p.KeysAllowed(), KA_NumbersNeg);
}

TEST(TextBoxKeys, AllAndUserDefinedFilterNothing)
{
    cParamTextBox p;
    for (const eKeysAllowed mode : {KA_All, KA_UserDef}) {
        p.setKeysAllowed(mode);
        int key = 'q';
        p.TextBox_KeyPress_Event(key);
        EXPECT_EQ(key, 'q');
    }
    p.setKeysAllowed(KA_Numbers);
    int key = 'q';
    p.TextBox_KeyPress_Event(key);
    EXPECT_EQ(key, 0);
}

TEST(TextBoxLimits, TypingStopsAtInputLength)
{
    cParamTextBox p;
    TextBoxHarness h(p);
    p.setSnvtType(unsigned_);
    p.setLockMode(LM_UNLOCKED);
    h.edit.clear();
    QTest::keyClicks(&h.edit, QStringLiteral("1234567"));
    EXPECT_EQ(h.edit.text(), QStringLiteral("12345"));
}

TEST(TextBoxLimits, LongerValueIsStillShownWhole)
{
    cParamTextBox p;
    TextBoxHarness h(p);
    p.setSnvtType(unsigned_);
    p.setLockMode(LM_UNLOCKED);
    p.setValue(1000000);
    EXPECT_EQ(h.edit.text(), QStringLiteral("1000000"));
    EXPECT_EQ(p.Value(), 1000000);
    p.setLockMode(LM_UNLOCKED);
    EXPECT_EQ(h.edit.text(), QStringLiteral("1000000"));
}

// --- Lock modes -------------------------------------------------------------

class TextBoxLockModes : public ::testing::Test
{
protected:
    void SetUp() override
    {
        p.setSnvtType(SNVT_temp_p);
        p.setLockMode(LM_UNLOCKED);
        p.setValue(2150);
        p.setChanged(false);
    }
    cParamTextBox p;
    TextBoxHarness h{p};
};

TEST_F(TextBoxLockModes, DisabledNoValueEmptiesTextButKeepsValue)
{
    p.setLockMode(LM_DISABLED_NO_VALUE);
    EXPECT_EQ(h.edit.text(), QString());
    EXPECT_FALSE(h.edit.isEnabled());
    EXPECT_EQ(p.Value(), 2150);
    EXPECT_FALSE(p.Changed());
    EXPECT_FALSE(h.edit.property("buttonFace").toBool());
    // A later value is kept but not shown.
    p.setValue(100);
    EXPECT_EQ(h.edit.text(), QString());
    p.setLockMode(LM_UNLOCKED);
    EXPECT_EQ(h.edit.text(), QStringLiteral("1.00"));
    EXPECT_TRUE(h.edit.isEnabled());
}

TEST_F(TextBoxLockModes, GreyModesUseButtonFace)
{
    p.setLockMode(LM_DISABLED_GREY);
    EXPECT_FALSE(h.edit.isEnabled());
    EXPECT_EQ(h.edit.text(), QStringLiteral("21.50"));
    EXPECT_EQ(h.edit.palette().color(QPalette::Base), QApplication::palette(&h.edit).color(QPalette::Button));
    p.setLockMode(LM_DISABLED_GREY_NO_VALUE);
    EXPECT_EQ(h.edit.text(), QString());
    EXPECT_EQ(p.Value(), 2150);
    p.setLockMode(LM_DISABLED);
    EXPECT_EQ(h.edit.palette().color(QPalette::Base), QApplication::palette(&h.edit).color(QPalette::Base));
    EXPECT_EQ(h.edit.text(), QStringLiteral("21.50"));
}

TEST_F(TextBoxLockModes, GreyTextShowsTextWhenLockedWithoutLengthLimit)
{
    p.setTextWhenLocked(QStringLiteral("controlled by the network"));
    p.setLockMode(LM_DISABLED_GREY_TEXT);
    EXPECT_EQ(h.edit.text(), QStringLiteral("controlled by the network"));
    EXPECT_EQ(p.Value(), 2150);
    EXPECT_FALSE(p.Changed());
    EXPECT_EQ(p.MaxInputLength(), 0);
}

TEST_F(TextBoxLockModes, LockedStopsShowingNewValues)
{
    p.setLockMode(LM_LOCKED);
    EXPECT_TRUE(h.edit.isEnabled());
    p.setValue(1000);
    EXPECT_EQ(h.edit.text(), QStringLiteral("21.50"));
    EXPECT_EQ(p.Value(), 1000);
}

// --- Byte field selection ---------------------------------------------------

class TextBoxField : public ControlParamFixture
{
protected:
    cParamTextBox p;
    QLineEdit edit;
};

TEST_F(TextBoxField, ConsiderPartOfCpOnlyRejectsFieldsOutsideElement)
{
    p.initDirect(nullptr, QStringLiteral("FptIndex_1"), channelCp(QStringLiteral("FptIndex")),
                 QStringLiteral("FptIndex"));
    p.ConsiderPartOfCpOnly(2, 1);
    const std::pair<int, int> badFields[] = {{0, 1}, {1, 0}, {2, 2}, {3, 1}, {-1, 2}};
    for (const auto &[pos, len] : badFields) {
        const RaisedError e = raisedBy([&] { p.ConsiderPartOfCpOnly(pos, len); });
        EXPECT_EQ(e.number, ParamError::InvalidParameters) << pos << "," << len;
        EXPECT_EQ(e.number, 0x800403E8L);
        EXPECT_EQ(e.source, QStringLiteral("ConsiderPartOfCpOnly"));
        EXPECT_EQ(e.description, QStringLiteral("ungültige Parameter"));
    }
    EXPECT_EQ(p.BytePos(), 2);
    EXPECT_EQ(p.ByteLength(), 1);
}

TEST_F(TextBoxField, ExternalCpTakesAnyField)
{
    cConfigProp config;
    config.init(nullptr, QStringLiteral("DefOutput_1"), channelCp(QStringLiteral("DefOutput")),
                QStringLiteral("DefOutput"));
    p.initExternal(nullptr, QStringLiteral("Def_1"), &config, true);
    EXPECT_EQ(raisedBy([&] { p.ConsiderPartOfCpOnly(9, 3); }).number, 0);
    EXPECT_EQ(p.BytePos(), 9);
}

// --- Reading and writing a direct CP ----------------------------------------

class TextBoxLns : public ControlParamFixture
{
protected:
    void bind(const QString &cpName, int bytePos, int byteLength)
    {
        cp = channelCp(cpName);
        p.initDirect(nullptr, cpName + QStringLiteral("_1"), cp, cpName);
        p.setTextBoxControl(&h.edit);
        p.ConsiderPartOfCpOnly(bytePos, byteLength);
    }
    cParamTextBox p;
    TextBoxHarness h{p};
    LnsRef<LnsConfigProperty> cp;
};

TEST_F(TextBoxLns, TypedTemperatureIsWrittenBigEndian)
{
    bind(QStringLiteral("DefOutput"), 1, 2);
    p.setSnvtType(SNVT_temp_p);
    p.setLockMode(LM_UNLOCKED);
    h.edit.clear();
    QTest::keyClicks(&h.edit, QStringLiteral("21.5"));
    ASSERT_EQ(p.Value(), 2150);
    p.WriteToLns();
    EXPECT_EQ(rawOf(cp), raw({8, 102, 0, 0}));
    EXPECT_FALSE(p.Changed());
    EXPECT_EQ(cp->valueFormat(), QStringLiteral("RAW_HEX")); // format put back
}

TEST_F(TextBoxLns, NegativeRawReadsBackSigned)
{
    bind(QStringLiteral("DefOutput"), 1, 2);
    p.setSnvtType(SNVT_temp_p);
    setRaw(cp, raw({255, 156, 0, 0}));
    p.setChanged(true);
    p.ReadFromLns();
    EXPECT_EQ(p.Value(), -100);
    EXPECT_EQ(h.edit.text(), QStringLiteral("-1.00"));
    EXPECT_FALSE(p.Changed());
    p.WriteToLns();
    EXPECT_EQ(rawOf(cp), raw({255, 156, 0, 0}));
}

TEST_F(TextBoxLns, UnsignedFieldReadsFullRange)
{
    bind(QStringLiteral("DefOutput"), 1, 2);
    p.setSnvtType(unsigned_);
    setRaw(cp, raw({255, 255, 0, 0}));
    p.ReadFromLns();
    EXPECT_EQ(p.Value(), 65535);
    p.setValue(300);
    p.WriteToLns();
    EXPECT_EQ(rawOf(cp), raw({1, 44, 0, 0}));
}

TEST_F(TextBoxLns, OneByteFieldChangesOnlyItsByte)
{
    bind(QStringLiteral("MaxRange"), 3, 1);
    setRaw(cp, raw({11, 22, 33, 44}));
    p.setValue(5);
    p.WriteToLns();
    EXPECT_EQ(rawOf(cp), raw({11, 22, 5, 44}));
    p.ReadFromLns();
    EXPECT_EQ(p.Value(), 5);
}

TEST_F(TextBoxLns, UsedBytesCarryTheValueAlone)
{
    bind(QStringLiteral("FptIndex"), 1, 2);
    p.setUsedBytes(1);
    p.setValue(5);
    p.WriteToLns();
    EXPECT_EQ(rawOf(cp), raw({5, 0}));
    setRaw(cp, raw({7, 99}));
    p.ReadFromLns();
    EXPECT_EQ(p.Value(), 7);
}

TEST_F(TextBoxLns, OffsetShiftsRawZero)
{
    bind(QStringLiteral("FptIndex"), 1, 2);
    p.setResolution(RES_0_1);
    p.setFactor(10);
    p.setOffsetCalc(-40.0f);
    p.setRangeMin(-40.0f);
    p.setRangeMax(60.0f);
    p.setValueCalc(20.0); // raw (20 - -40) * 10 = 600
    p.WriteToLns();
    EXPECT_EQ(rawOf(cp), raw({2, 88}));
    setRaw(cp, raw({0, 0}));
    p.ReadFromLns();
    EXPECT_EQ(h.edit.text(), QStringLiteral("-40.0"));
    EXPECT_EQ(p.Value(), -400);
}

TEST_F(TextBoxLns, ValueNotSetAndUnavailableWriteNothing)
{
    bind(QStringLiteral("FptIndex"), 1, 2);
    p.setValue(1);
    p.setValueNotSet(true);
    p.WriteToLns();
    EXPECT_EQ(rawOf(cp), raw({255, 255}));
    EXPECT_TRUE(p.Changed());
    p.setValueNotSet(false);
    p.setAvailable(false);
    p.WriteToLns();
    EXPECT_EQ(rawOf(cp), raw({255, 255}));
}

TEST_F(TextBoxLns, DirectParameterIgnoresExternalCalls)
{
    bind(QStringLiteral("FptIndex"), 1, 2);
    p.setValue(9);
    p.WriteToExtCp();
    p.ReadFromExtCp();
    EXPECT_EQ(p.Value(), 9);
    EXPECT_TRUE(p.Changed());
}

TEST_F(TextBoxLns, TwoParametersShareOneExternalCp)
{
    const LnsRef<LnsConfigProperty> defOutput = channelCp(QStringLiteral("DefOutput"));
    setRaw(defOutput, raw({1, 2, 3, 4}));
    cConfigProp config;
    config.init(nullptr, QStringLiteral("DefOutput_1"), defOutput, QStringLiteral("DefOutput"));
    config.setAvailable(true);
    config.ReadFromLns();
    cParamTextBox level;
    cParamTextBox state;
    level.initExternal(nullptr, QStringLiteral("Level_1"), &config, true);
    state.initExternal(nullptr, QStringLiteral("State_1"), &config, true);
    level.ConsiderPartOfCpOnly(1, 2);
    state.ConsiderPartOfCpOnly(3, 1);
    level.ReadFromExtCp();
    EXPECT_EQ(level.Value(), 258);
    level.setValue(513);
    state.setValue(9);
    level.WriteToExtCp();
    state.WriteToExtCp();
    EXPECT_FALSE(level.Changed());
    EXPECT_EQ(rawOf(defOutput), raw({1, 2, 3, 4})); // only the bytes in memory so far
    config.WriteToLns();
    EXPECT_EQ(rawOf(defOutput), raw({2, 1, 9, 4}));
}
