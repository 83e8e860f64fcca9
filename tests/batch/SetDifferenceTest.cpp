// What differs between two configuration sets, as the user reads it: the
// window's places and names, values in words, never the file's numbers.
#include "batch/SetDifference.h"

#include "batch/SetWords.h"
#include "workflows/WorkflowFixture.h"

#include <QRegularExpression>

namespace {

QString u(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

QStringList itemsOf(const QList<SetDifferenceRow> &rows)
{
    QStringList items;
    for (const SetDifferenceRow &row : rows)
        items << row.item;
    return items;
}

std::string dump(const QList<SetDifferenceRow> &rows)
{
    QStringList lines;
    for (const SetDifferenceRow &r : rows)
        lines
            << QStringLiteral("%1 | %2 | %3 | %4 | %5").arg(r.place, r.item, r.before, r.after, r.parameter);
    return lines.join(QLatin1Char('\n')).toStdString();
}

// "RX24 Hall" with a light on slot 1 (RP4) and a switch on slot 2 (KW8),
// written; then edited in the window or in the set.
class SetDifferenceTest : public WorkflowFixture
{
protected:
    ConfigurationSet configured()
    {
        configureLightAndSwitch();
        EXPECT_TRUE(config().WriteParameters());
        return config().TakeSet();
    }
    // The set an Apply would now write.
    ConfigurationSet edited()
    {
        EXPECT_TRUE(config().PrepareDefaults());
        return config().TakeSet();
    }
    // Slot 2 emptied as the window does it: its switch let go.
    static ConfigurationSet withoutSlot2(ConfigurationSet set)
    {
        set.values[QStringLiteral("DeviceModules_2")] = QStringLiteral("-1");
        set.values[QStringLiteral("ModuleType_2")] = QStringLiteral("255");
        set.values[QStringLiteral("ModuleNumber_2")] = QStringLiteral("0");
        set.values[QStringLiteral("ModuleChannel_2")] = QStringLiteral("0");
        set.values[QStringLiteral("FptIndex_2")] = QStringLiteral("255,255");
        return set;
    }
    const QString lightPlace = u("Slot 1 (RP4), channel 1, object 1 \"Light Hall\"");
    const QString switchPlace = u("Slot 2 (KW8), channel 1, object 2 \"Channel2\"");
};

// --- equal sets ---------------------------------------------------------------------

TEST_F(SetDifferenceTest, EqualSetsHaveNoRowsEvenWhenTheirTextsReadABytesOtherWay)
{
    const ConfigurationSet set = configured();
    EXPECT_TRUE(SetDifference::between(set, config().TakeSet(), true).isEmpty());
    ConfigurationSet otherWay = set;
    otherWay.values[QStringLiteral("DeviceModules_3")] = QStringLiteral("255");
    otherWay.values[QStringLiteral("FptIndex_3")] = QStringLiteral("0,-1");
    otherWay.values[QStringLiteral("PushEvent1_2")] = QStringLiteral("1.0");
    const QList<SetDifferenceRow> rows = SetDifference::between(set, otherWay, true);
    EXPECT_TRUE(rows.isEmpty()) << dump(rows);
    EXPECT_EQ(SetDifference::summary(rows), QString());
}

// --- functions ------------------------------------------------------------------------

TEST_F(SetDifferenceTest, AChangedFunctionGivesThatObjectsRowsInWords)
{
    const ConfigurationSet before = configured();
    pick(2, 1, "cboType", cActChannel::FptText(QStringLiteral("21201/10")));
    const QList<SetDifferenceRow> rows = SetDifference::between(before, edited());
    ASSERT_FALSE(rows.isEmpty());
    EXPECT_EQ(rows.first(), (SetDifferenceRow{switchPlace, u("Function"), u("switch on with pushbutton"),
                                              u("sunblind with dual pushbutton"),
                                              u("SwitchType_2, PushEvent1_2, HoldEvent1_2, PushEvent2_2, "
                                                "HoldEvent2_2")}))
        << dump(rows);
    // Slats need SNVT_setting: the output type and the ranges follow it.
    EXPECT_TRUE(rows.contains(
        SetDifferenceRow{switchPlace, u("Upper limit"), u("100.0 % on"), u("on 100.0 %"), u("MaxRange_2")}))
        << dump(rows);
    EXPECT_TRUE(rows.contains(SetDifferenceRow{switchPlace, u("NV types"),
                                               u("SNVT_switch / SNVT_switch / SNVT_switch"),
                                               u("SNVT_switch / SNVT_switch / SNVT_setting"), u("Output_2")}))
        << dump(rows);
    static const QRegularExpression fileNumbers(QStringLiteral("^[-0-9, ]+$"));
    for (const SetDifferenceRow &row : rows) {
        EXPECT_EQ(row.place, switchPlace);
        EXPECT_TRUE(row.parameter.endsWith(QLatin1String("_2"))) << row.parameter.toStdString();
        EXPECT_FALSE(fileNumbers.match(row.before).hasMatch()) << row.before.toStdString();
        EXPECT_FALSE(fileNumbers.match(row.after).hasMatch()) << row.after.toStdString();
    }
}

TEST_F(SetDifferenceTest, TheEventsOfAUserDefinedSwitchAreRowsOfTheirOwn)
{
    ConfigurationSet a = configured();
    a.values[QStringLiteral("PushEvent1_2")] = QStringLiteral("-1"); // user defined (1 contact)
    ConfigurationSet b = a;
    b.values[QStringLiteral("HoldEvent1_2")] = QStringLiteral("12");
    const QList<SetDifferenceRow> rows = SetDifference::between(a, b);
    ASSERT_EQ(rows.size(), 1) << dump(rows);
    EXPECT_EQ(rows.first(), (SetDifferenceRow{switchPlace, u("Contact 1, hold"), u("no message"),
                                              u("recall scene"), u("HoldEvent1_2")}));
}

// --- slots and bindings -----------------------------------------------------------------

TEST_F(SetDifferenceTest, AnotherModuleInASlotNamesBothAndTheObjectsThatFollowIt)
{
    const ConfigurationSet a = configured();
    ConfigurationSet b = a;
    b.values[QStringLiteral("DeviceModules_1")] = QStringLiteral("3");
    b.values[QStringLiteral("ModuleType_1")] = QStringLiteral("3");
    EXPECT_EQ(SetDifference::between(a, b),
              (QList<SetDifferenceRow>{{u("Slot 1"), u("Module type"), u("sorvan RP4"), u("sorvan RP8"),
                                        u("DeviceModules_1, ModuleType_1")}}));

    const QList<SetDifferenceRow> rows = SetDifference::between(a, withoutSlot2(a));
    EXPECT_EQ(itemsOf(rows), (QStringList{u("Module type"), u("Function"), u("Channel"), u("NV types")}))
        << dump(rows);
    EXPECT_EQ(rows.value(0).after, u("not used"));
    EXPECT_EQ(rows.value(1).place, switchPlace) << "an object let go stays where it was";
    EXPECT_EQ(rows.value(2).before, u("Slot 2, channel 1"));
    EXPECT_EQ(rows.value(2).parameter, u("ModuleType_2, ModuleNumber_2, ModuleChannel_2"));
}

TEST_F(SetDifferenceTest, RowsRunFromTheDeviceThroughTheSlotsToTheObjectsBoundNowhere)
{
    const ConfigurationSet a = configured();
    ConfigurationSet b = a;
    b.values[QStringLiteral("SecInputPriority_2")] = QStringLiteral("7");
    b.values[QStringLiteral("ModuleChannel_1")] = QStringLiteral("2");
    b.values[QStringLiteral("OutputMaxSendTime_5")] = QStringLiteral("2,88"); // 600 tenths
    b.values[QStringLiteral("Tuning")] = QStringLiteral("3");                 // no CP of the RX24
    b.programId = QStringLiteral("9000A5E018040000");
    const QList<SetDifferenceRow> rows = SetDifference::between(a, b);
    EXPECT_EQ(rows, (QList<SetDifferenceRow>{
                        {u("Device"), u("Program ID"), a.programId, b.programId, u("ProgramId")},
                        {u("Device"), u("Tuning"), u("—"), u("3"), u("Tuning")},
                        {u("Slot 1 (RP4), channel 2, object 1 \"Light Hall\""), u("Channel"),
                         u("Slot 1, channel 1"), u("Slot 1, channel 2"), u("ModuleChannel_1")},
                        {switchPlace, u("Priority of the secondary input"), u("lock"), u("safety"),
                         u("SecInputPriority_2")},
                        {u("Object 5 \"Channel5\""), u("Maximum send interval (heartbeat)"), u("0.0 s"),
                         u("60.0 s"), u("OutputMaxSendTime_5")}}))
        << dump(rows);
}

// --- names, NV types, values without a device ----------------------------------------------

TEST_F(SetDifferenceTest, NamesDifferOnlyWhenAskedAndBothSetsHoldThem)
{
    const ConfigurationSet a = configured();
    ConfigurationSet b = a;
    b.names[1] = QStringLiteral("Light Hall North");
    EXPECT_TRUE(SetDifference::between(a, b).isEmpty());
    EXPECT_EQ(SetDifference::between(a, b, true),
              (QList<SetDifferenceRow>{{u("Slot 1 (RP4), channel 1, object 1 \"Light Hall North\""),
                                        u("Name"), u("Light Hall"), u("Light Hall North"), u("Name_1")}}));
    b.names.clear();
    EXPECT_TRUE(SetDifference::between(a, b, true).isEmpty()) << "a parameter file holds no names";
}

TEST_F(SetDifferenceTest, ValuesAreReadInTheObjectsOutputTypeHeldOrByItsFunction)
{
    ConfigurationSet device = configured();
    // A parameter file holds no NV types, names or scenes; their absence is no difference.
    ConfigurationSet file = device;
    file.nvTypes.clear();
    file.names.clear();
    file.wholeCps.clear();
    EXPECT_TRUE(SetDifference::between(device, file, true).isEmpty());
    file.values[QStringLiteral("MaxRange_1")] = QStringLiteral("100,1");
    EXPECT_EQ(SetDifference::between(device, file),
              (QList<SetDifferenceRow>{
                  {lightPlace, u("Upper limit"), u("100.0 % on"), u("50.0 % on"), u("MaxRange_1")}}));

    device.nvTypes[1].out = 105; // SNVT_temp_p
    ConfigurationSet warmer = device;
    warmer.values[QStringLiteral("MinRange_1")] = QStringLiteral("8,52");
    warmer.wholeCps[QStringLiteral("Scenes_1")][9] = 7;
    EXPECT_EQ(SetDifference::between(device, warmer),
              (QList<SetDifferenceRow>{
                  {lightPlace, u("Lower limit"), u("0.00 °C"), u("21.00 °C"), u("MinRange_1")},
                  {lightPlace, u("Scenes"), u("16 scenes"), u("changed: 1 (3)"), u("Scenes_1")}}));
}

// --- language -----------------------------------------------------------------------------

TEST_F(SetDifferenceTest, AGermanRunGivesGermanWords)
{
    const ConfigurationSet a = configured();
    ResourceStrings::SetLanguageOffset(ResourceStrings::German);
    const QList<SetDifferenceRow> rows = SetDifference::between(a, withoutSlot2(a));
    ASSERT_EQ(rows.size(), 4) << dump(rows);
    EXPECT_EQ(rows.at(0), (SetDifferenceRow{u("Steckplatz 2"), u("Modultyp"), u("sorvan KW8"),
                                            u("nicht benutzt"), u("DeviceModules_2")}));
    EXPECT_EQ(rows.at(1),
              (SetDifferenceRow{u("Steckplatz 2 (KW8), Kanal 1, Objekt 2 „Channel2“"), u("Funktion"),
                                u("Einschalten mit Taster"), u("nicht benutzt"), u("FptIndex_2")}));
    EXPECT_EQ(rows.at(2).before, u("Steckplatz 2, Kanal 1"));
    EXPECT_EQ(SetDifference::summary(rows), u("Steckplatz 2: KW8 → nicht benutzt; 3 weitere"));
}

// --- values in words -------------------------------------------------------------------------

TEST(SetDifferenceWords, AValueIsShownInTheUnitAndStepOfItsNvType)
{
    EXPECT_EQ(SetWords::nvValue(95, 0xC801), u("100.0 % on"));
    EXPECT_EQ(SetWords::nvValue(95, 0x05FF), u("2.5 % invalid"));
    EXPECT_EQ(SetWords::nvValue(81, 20000), u("100.00 %"));
    EXPECT_EQ(SetWords::nvValue(81, 0xFFCE), u("-0.25 %")); // signed
    EXPECT_EQ(SetWords::nvValue(105, 0xFE0C), u("-5.00 °C"));
    EXPECT_EQ(SetWords::nvValue(44, 100), u("10.0 V"));
    EXPECT_EQ(SetWords::nvValue(79, 500), u("500 Lux"));
    EXPECT_EQ(SetWords::nvValue(117, 0x04C8), u("stop 100.0 %"));
    EXPECT_EQ(SetWords::nvValue(115, 0x0103), u("learn scene 3"));
    EXPECT_EQ(SetWords::nvValue(22, 0x0300), u("high"));
    EXPECT_EQ(SetWords::nvValue(8, 0x0102), u("1,2")) << "a type without words keeps its two numbers";
    EXPECT_EQ(SetWords::event(-1), u("send invalid"));
    EXPECT_EQ(SetWords::event(19), u("fan auto"));
    EXPECT_EQ(SetWords::event(20), u("20"));
}

// --- the summary ---------------------------------------------------------------------------

TEST(SetDifferenceSummary, IsOneShortLineLedByTheFirstChangeThatCountsTheRest)
{
    const QString place = u("Slot 3 (RP4), channel 2, object 5 \"Light Hall\"");
    QList<SetDifferenceRow> rows{{u("Slot 2"), u("Module type"), u("sorvan RP4"), u("drova JT2"), u("x")}};
    for (int i = 0; i < 5; ++i)
        rows.append({place, u("Function"), u("Lighting"), u("not used"), u("FptIndex_5")});
    const QString line = SetDifference::summary(rows);
    EXPECT_TRUE(line.startsWith(u("Slot 2: RP4 → JT2; object 5, Function: Lighting → not used; ")))
        << line.toStdString();
    EXPECT_LE(line.size(), SetDifference::SummaryLength);
    const QStringList parts = line.split(QStringLiteral("; "));
    static const QRegularExpression more(QStringLiteral("^(\\d+) more$"));
    const QRegularExpressionMatch count = more.match(parts.last());
    ASSERT_TRUE(count.hasMatch()) << line.toStdString();
    EXPECT_EQ(parts.size() - 1 + count.captured(1).toInt(), rows.size());

    // A first change too long for the line is cut, never left out.
    rows.first().after = QString(150, QLatin1Char('x'));
    const QString cut = SetDifference::summary(rows);
    EXPECT_TRUE(cut.startsWith(u("Slot 2: RP4 → xxx")));
    EXPECT_LE(cut.size(), SetDifference::SummaryLength);
    EXPECT_TRUE(cut.endsWith(u("…; 5 more"))) << cut.toStdString();
}

} // namespace
