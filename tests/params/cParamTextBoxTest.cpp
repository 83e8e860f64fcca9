#include "params/cParamTextBox.h"

#include "ParamsTestSupport.h"
#include "TextBoxHarness.h"
#include "params/SnvtPreset.h"
#include "params/cConfigProp.h"

#include <QApplication>
#include <QTest>

// --- Scaling and presets, without LNS ---------------------------------------

TEST(TextBoxPresets, PresetSetsScalingAndUnitAndTypeWithoutPresetIsOnlyStored)
{
    cParamTextBox p;
    p.setSnvtType(SNVT_temp_p);
    EXPECT_EQ(p.Factor(), 100);
    EXPECT_FLOAT_EQ(p.TextBoxRangeMin(), -273.17f);
    EXPECT_EQ(p.UnitMnemonic(), QStringLiteral("°C"));
    EXPECT_TRUE(p.SignedField());
    p.setSnvtType(SNVT_lux);
    p.setOffsetCalc(-5.0f);
    p.setSnvtType(Signed);
    EXPECT_EQ(p.Unit(), UNIT_Lux);
    EXPECT_FLOAT_EQ(p.OffsetCalc(), -5.0f); // never touched by a preset
    // A user-defined unit keeps its mnemonic, any other unit brings its own.
    p.setUnitMnemonic(QStringLiteral("lm"));
    p.setUnit(UNIT_UserDefined);
    EXPECT_EQ(p.UnitMnemonic(), QStringLiteral("lm"));
    p.setUnit(UNIT_Volts);
    EXPECT_EQ(p.UnitMnemonic(), QString());
}

TEST(TextBoxScaling, ValueCalcRoundsHalvesToEvenAndResolution2TakesOnlyExactSteps)
{
    cParamTextBox p;
    p.setSnvtType(SNVT_lev_cont); // factor 2
    p.setValueCalc(20.25);        // 40.5 -> 40
    EXPECT_EQ(p.Value(), 40);
    p.setValueCalc(20.75); // 41.5 -> 42
    EXPECT_EQ(p.Value(), 42);
    EXPECT_FLOAT_EQ(p.ValueCalc(), 21.0f);
    EXPECT_TRUE(p.Changed());

    p.setResolution(RES_0_1);
    p.setResolution2(0.3);
    EXPECT_EQ(p.Resolution(), RES_0_1);
    p.setResolution2(0.05);
    EXPECT_EQ(p.Resolution(), RES_0_0_5);
}

TEST(TextBoxValidity, OutsideTextBoxRangeIsInvalid)
{
    cParamTextBox p;
    p.setSnvtType(SNVT_temp_p);
    p.setTextBoxRangeMin(15.0f);
    p.setTextBoxRangeMax(30.0f);
    for (const auto &[value, invalid] : {std::pair{3000, false}, {3001, true}, {1499, true}}) {
        p.setValue(value);
        EXPECT_EQ(p.ValueIsInvalid(), invalid) << value;
    }
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

TEST(TextBoxTyping, OutOfRangeTextIsMarkedAndSingleLimitHoldsTheTypedDecimal)
{
    cParamTextBox p;
    TextBoxHarness h(p);
    p.setRangeMin(0.0f);
    p.setRangeMax(100.0f);
    h.edit.setText(QStringLiteral("101"));
    EXPECT_TRUE(h.edit.property("outOfRange").toBool());
    h.edit.setText(QStringLiteral("100"));
    EXPECT_FALSE(h.edit.property("outOfRange").toBool());

    // 0.1 as single is above 0.1 as double; the typed 0.1 must still pass.
    MessageBox::setTestMode(true);
    MessageBox::clearTestRecord();
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

TEST(TextBoxKeys, KeyModeAndInputLengthFollowTypeResolutionAndSign)
{
    struct Case
    {
        eSnvtType type;
        eResolution resolution; // RES_1 keeps the preset's
        float rangeMin;         // 1 keeps the preset's
        eKeysAllowed keys;
        int maxLength;
        const char *typed;
        const char *shown;
    };
    const Case cases[] = {
        {unsigned_, RES_1, 1, KA_Numbers, 5, "1a-2.3", "123"},
        {unsigned_, RES_1, 1, KA_Numbers, 5, "1234567", "12345"},
        {SNVT_temp_p, RES_1, 1, KA_NumbersFloatNeg, 7, "-1x2.5", "-12.5"}, // 7: "-273.17"
        {SNVT_speed, RES_1, 1, KA_NumbersFloat, -1, "", ""},
        {SNVT_speed, RES_50, -100.0f, KA_NumbersNeg, -1, "", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        cParamTextBox p;
        TextBoxHarness h(p);
        p.setSnvtType(c.type);
        if (c.resolution != RES_1)
            p.setResolution(c.resolution);
        if (c.rangeMin != 1)
            p.setRangeMin(c.rangeMin);
        p.setLockMode(LM_UNLOCKED);
        EXPECT_EQ(p.KeysAllowed(), c.keys);
        if (c.maxLength >= 0) {
            EXPECT_EQ(p.MaxInputLength(), c.maxLength);
        }
        h.edit.clear();
        QTest::keyClicks(&h.edit, QString::fromLatin1(c.typed));
        EXPECT_EQ(h.edit.text(), QString::fromLatin1(c.shown));
    }
    // All and user defined filter nothing.
    cParamTextBox p;
    for (const eKeysAllowed mode : {KA_All, KA_UserDef, KA_Numbers}) {
        p.setKeysAllowed(mode);
        int key = 'q';
        p.TextBox_KeyPress_Event(key);
        EXPECT_EQ(key, mode == KA_Numbers ? 0 : 'q') << mode;
    }
}

TEST(TextBoxLimits, LongerValueIsStillShownWhole)
{
    cParamTextBox p;
    TextBoxHarness h(p);
    p.setSnvtType(unsigned_);
    p.setLockMode(LM_UNLOCKED);
    p.setValue(1000000);
    EXPECT_EQ(h.edit.text(), QStringLiteral("1000000"));
    p.setLockMode(LM_UNLOCKED);
    EXPECT_EQ(h.edit.text(), QStringLiteral("1000000"));
}

// --- Lock modes -------------------------------------------------------------

TEST(TextBoxLockModes, EachModeShowsItsTextStateAndFaceButKeepsTheValue)
{
    struct Case
    {
        eLockMode mode;
        const char *text;
        bool enabled;
        bool buttonFace;
        bool showsNewValues;
    };
    const Case cases[] = {
        {LM_DISABLED_NO_VALUE, "", false, false, false},
        {LM_DISABLED_GREY, "21.50", false, true, true},
        {LM_DISABLED_GREY_NO_VALUE, "", false, true, false},
        {LM_DISABLED, "21.50", false, false, true},
        {LM_DISABLED_GREY_TEXT, "by network", false, true, true},
        {LM_LOCKED, "21.50", true, false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.mode);
        cParamTextBox p;
        TextBoxHarness h(p);
        p.setSnvtType(SNVT_temp_p);
        p.setTextWhenLocked(QStringLiteral("by network"));
        p.setLockMode(LM_UNLOCKED);
        p.setValue(2150);
        p.setChanged(false);
        p.setLockMode(c.mode);
        EXPECT_EQ(h.edit.text(), QString::fromUtf8(c.text));
        EXPECT_EQ(h.edit.isEnabled(), c.enabled);
        const QPalette app = QApplication::palette(&h.edit);
        EXPECT_EQ(h.edit.palette().color(QPalette::Base),
                  app.color(c.buttonFace ? QPalette::Button : QPalette::Base));
        EXPECT_EQ(p.Value(), 2150);
        EXPECT_FALSE(p.Changed());
        if (c.mode == LM_DISABLED_GREY_TEXT) {
            EXPECT_EQ(p.MaxInputLength(), 0);
        }
        // A later value is kept; locked and no-value modes do not show it.
        p.setValue(100);
        EXPECT_EQ(h.edit.text(), c.showsNewValues ? QStringLiteral("1.00") : QString::fromUtf8(c.text));
        EXPECT_EQ(p.Value(), 100);
        p.setLockMode(LM_UNLOCKED);
        EXPECT_EQ(h.edit.text(), QStringLiteral("1.00"));
        EXPECT_TRUE(h.edit.isEnabled());
    }
}

// --- Reading and writing a CP -----------------------------------------------

class TextBoxLns : public ParamsDbFixture
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
    EXPECT_EQ(bytesOf(cp), (QList<int>{8, 102, 0, 0}));
    EXPECT_FALSE(p.Changed());
    EXPECT_EQ(cp->valueFormat(), QStringLiteral("RAW_HEX")); // format put back
}

TEST_F(TextBoxLns, NegativeRawReadsBackSigned)
{
    bind(QStringLiteral("DefOutput"), 1, 2);
    p.setSnvtType(SNVT_temp_p);
    setBytes(cp, {255, 156, 0, 0});
    p.setChanged(true);
    p.ReadFromLns();
    EXPECT_EQ(p.Value(), -100);
    EXPECT_EQ(h.edit.text(), QStringLiteral("-1.00"));
    EXPECT_FALSE(p.Changed());
    p.WriteToLns();
    EXPECT_EQ(bytesOf(cp), (QList<int>{255, 156, 0, 0}));
}

TEST_F(TextBoxLns, UnsignedFieldReadsFullRange)
{
    bind(QStringLiteral("DefOutput"), 1, 2);
    p.setSnvtType(unsigned_);
    setBytes(cp, {255, 255, 0, 0});
    p.ReadFromLns();
    EXPECT_EQ(p.Value(), 65535);
    p.setValue(300);
    p.WriteToLns();
    EXPECT_EQ(bytesOf(cp), (QList<int>{1, 44, 0, 0}));
}

TEST_F(TextBoxLns, OneByteFieldAndUsedBytesChangeOnlyTheirBytes)
{
    bind(QStringLiteral("MaxRange"), 3, 1);
    setBytes(cp, {11, 22, 33, 44});
    p.setValue(5);
    p.WriteToLns();
    EXPECT_EQ(bytesOf(cp), (QList<int>{11, 22, 5, 44}));

    bind(QStringLiteral("FptIndex"), 1, 2);
    p.setUsedBytes(1);
    p.WriteToLns();
    EXPECT_EQ(bytesOf(cp), (QList<int>{5, 0}));
    setBytes(cp, {7, 99});
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
    EXPECT_EQ(bytesOf(cp), (QList<int>{2, 88}));
    setBytes(cp, {0, 0});
    p.ReadFromLns();
    EXPECT_EQ(h.edit.text(), QStringLiteral("-40.0"));
    EXPECT_EQ(p.Value(), -400);
}

TEST_F(TextBoxLns, ValueNotSetUnavailableAndExternalCallsWriteNothing)
{
    bind(QStringLiteral("FptIndex"), 1, 2);
    p.setValue(1);
    p.setValueNotSet(true);
    p.WriteToLns();
    EXPECT_EQ(bytesOf(cp), (QList<int>{255, 255}));
    EXPECT_TRUE(p.Changed());
    p.setValueNotSet(false);
    p.setAvailable(false);
    p.WriteToLns();
    EXPECT_EQ(bytesOf(cp), (QList<int>{255, 255}));
    // A direct parameter ignores the external calls.
    p.setValue(9);
    p.WriteToExtCp();
    p.ReadFromExtCp();
    EXPECT_EQ(p.Value(), 9);
    EXPECT_TRUE(p.Changed());
}

TEST_F(TextBoxLns, TwoParametersShareOneExternalCp)
{
    const LnsRef<LnsConfigProperty> defOutput = channelCp(QStringLiteral("DefOutput"));
    setBytes(defOutput, {1, 2, 3, 4});
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
    EXPECT_EQ(bytesOf(defOutput), (QList<int>{1, 2, 3, 4})); // only the bytes in memory so far
    config.WriteToLns();
    EXPECT_EQ(bytesOf(defOutput), (QList<int>{2, 1, 9, 4}));
}

// Opening a device and applying without an edit gives the device its own
// bytes back, also where the display step is coarser than the field
// (SNVT_lev_percent raw 3 shows as "0.02" but stays 3).
TEST(TextBoxReadWrite, EveryPresetWritesBackTheBytesItRead)
{
    for (int type = unsigned_; type <= SNVT_volt_kilo; ++type) {
        if (!SnvtPreset::of(static_cast<eSnvtType>(type)))
            continue;
        auto cp = std::make_shared<FakeConfigProperty>(QStringLiteral("F"), 2, 1, QList<int>{0, 0});
        cParamTextBox p;
        p.initDirect(nullptr, QStringLiteral("F_1"), cp, QStringLiteral("F"));
        TextBoxHarness h{p}; // wired like the form: a text change reaches the parameter
        p.setSnvtType(static_cast<eSnvtType>(type));
        p.setLockMode(LM_UNLOCKED);
        for (int raw = 0; raw < 65536; raw += raw < 16 || raw > 65520 ? 1 : 13) {
            const QList<int> bytes{raw >> 8, raw & 0xFF};
            cp->setBytes(bytes);
            p.ReadFromLns();
            p.WriteToLns();
            ASSERT_EQ(cp->bytes(), bytes)
                << "type " << type << " raw " << raw << " shown " << h.edit.text().toStdString();
        }
    }
}
