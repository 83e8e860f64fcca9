// Reading a device into the configuration and writing it back, as the
// window drives it, against the network database of the host fixture.
#include "WorkflowFixture.h"

#include <QSqlDatabase>
#include <QSqlQuery>

namespace {

using Opening = WorkflowFixture;

TEST_F(Opening, TheDirectorsCommandLineReachesEveryCpOfTheDevice)
{
    cConfiguration &c = open();
    ASSERT_TRUE(configWindow.fetched);
    EXPECT_EQ(c.ChannelObjectCount(), 16);
    // 29 parameters and the scenes for each of the 16 channel objects, and the 8 slots.
    EXPECT_EQ(c.Parameters().AllParameters().Count(), 16 * 29 + 8);
    EXPECT_EQ(c.Parameters().ConfigPropsCount(), 16);
    EXPECT_EQ(c.Parameters().Parameter2ByteByName(QStringLiteral("FptIndex_16"))->Value(), 0xFFFF);
    EXPECT_TRUE(c.Parameters().Parameter1ByteByName(QStringLiteral("ModuleType_1"))->CpFetched());
    // The whole set is read, not only what the functions need so far.
    EXPECT_TRUE(c.Parameters().Parameter1ByteByName(QStringLiteral("SwitchType_1"))->CpFetched());
    EXPECT_TRUE(c.Parameters().ConfigPropByName(QStringLiteral("Scenes_16"))->CpFetched());

    QComboBox *slot1 = c.SlotComboBox(1);
    ASSERT_EQ(slot1->count(), 21);
    EXPECT_EQ(slot1->itemText(0), QStringLiteral("sorvan KW4"));
    EXPECT_EQ(slot1->itemData(1).toInt(), MT_KW8);
    EXPECT_EQ(slot1->itemText(20), ResourceStrings::LoadResString(1040, 1));
    EXPECT_EQ(slot1->findText(QStringLiteral("drova JT4-DMI")), -1);
    // A factory-new device: every slot "not used", no object bound.
    EXPECT_EQ(c.ActModules().Count(), 8);
    EXPECT_EQ(slot1->currentData().toInt(), -1);
    EXPECT_EQ(c.Lmos().Count(), 16);
    EXPECT_TRUE(traces().contains(QStringLiteral("[M_PlugIn] Public Sub FetchCPs()")));
    EXPECT_TRUE(traces().contains(QStringLiteral("[M_PlugIn] Public Sub ReadSettings()")));
}

TEST_F(Opening, StoredModulesAndBindingsAreShownAndAMismatchStaysUnbound)
{
    storeSlots(QStringLiteral("RX24 Hall"), {MT_RP4, MT_KW8, MT_RP4});
    storeBinding(QStringLiteral("RX24 Hall"), 3, 1, 2, MT_RP4, 21400);
    storeBinding(QStringLiteral("RX24 Hall"), 5, 2, 1, MT_KW8, 21201);
    // Claims slot 3 as a KW8, which holds an RP4.
    storeBinding(QStringLiteral("RX24 Hall"), 7, 3, 1, MT_KW8, 21201);
    const QStringList before = stateOf(QStringLiteral("RX24 Hall"), true);
    cConfiguration &c = open();
    EXPECT_EQ(c.SlotComboBox(2)->currentData().toInt(), MT_KW8);
    EXPECT_EQ(c.ActModules().Item(1)->ChannelByIndex(2)->LonmarkObject(), c.Lmos().Item(3));
    EXPECT_EQ(c.ActModules().Item(2)->ChannelByIndex(1)->LonmarkObject(), c.Lmos().Item(5));
    EXPECT_EQ(c.ActModules().Item(3)->ChannelByIndex(1)->LonmarkObject(), nullptr);
    EXPECT_EQ(c.Lmos().Item(7)->ActChannel(), nullptr);
    EXPECT_EQ(DeviceState::difference(before, stateOf(QStringLiteral("RX24 Hall"), true)), "")
        << "reading wrote to the device";
}

// A double push-button on channel 1 of a KW8 needs channel 2, which another
// object holds: both are shown, the collision in red, whichever object the
// device numbers first; nothing is unbound behind the user's back.
TEST_F(Opening, AFunctionWhoseNextChannelIsTakenIsShownRedNotHidden)
{
    for (const auto &[dual, single] : {std::pair{1, 2}, std::pair{2, 1}}) {
        SCOPED_TRACE(dual);
        storeSlots(QStringLiteral("RX24 Hall"), {MT_KW8});
        storeBinding(QStringLiteral("RX24 Hall"), dual, 1, 1, MT_KW8, 21201);
        storeBinding(QStringLiteral("RX24 Hall"), single, 1, 2, MT_KW8, 21201);
        otherClient([dual, single](NetworkDatabase &db) {
            const auto objects = db.device(QStringLiteral("Demo"), QStringLiteral("LNS System.Floor 1"),
                                           QStringLiteral("RX24 Hall"))
                                     ->lonMarkObjects();
            const auto setSwitch = [&objects](int n, int push1, int push2, int type) {
                const auto cps = objects->item(n + 1)->configProperties();
                DeviceState::setBytes(cps->item(QStringLiteral("PushEvent1")), {push1});
                DeviceState::setBytes(cps->item(QStringLiteral("PushEvent2")), {push2});
                DeviceState::setBytes(cps->item(QStringLiteral("SwitchType")), {type});
            };
            setSwitch(dual, EV_ON, EV_OFF, SWT_DOUBLE);
            setSwitch(single, EV_TOGGLE, EV_NO_MSG, SWT_SINGLE);
        });
        const QStringList before = stateOf(QStringLiteral("RX24 Hall"), true);
        cConfiguration &c = open();
        EXPECT_EQ(c.ActModules().Item(1)->ChannelByIndex(1)->LonmarkObject(), c.Lmos().Item(dual));
        EXPECT_EQ(c.ActModules().Item(1)->ChannelByIndex(2)->LonmarkObject(), c.Lmos().Item(single));
        EXPECT_FALSE(row(1, 1)->TypeComboValid());
        EXPECT_TRUE(row(1, 2)->TypeComboValid());
        EXPECT_TRUE(row(1, 2)->ObjectComboEnabled());
        EXPECT_FALSE(c.checkValues());
        EXPECT_EQ(DeviceState::difference(before, stateOf(QStringLiteral("RX24 Hall"), true)), "");
        configWindow.Unload();
        LcaPlugIn::EndApp();
    }
}

TEST_F(Opening, ReadingAgainAsksFirstWhenTheUserChangedSomething)
{
    configureLightAndSwitch();
    LogService::instance().setParametersChanged(true);
    MessageBox::queueAnswer(MessageBox::Button::No);
    config().ReadParameters();
    EXPECT_TRUE(MessageBox::lastShown().text.contains(QStringLiteral("\"RX24 Hall\"")));
    EXPECT_EQ(config().Lmos().Item(1)->Name(), QStringLiteral("Light Hall")) << "No must keep the edits";

    MessageBox::queueAnswer(MessageBox::Button::Yes);
    config().ReadParameters();
    EXPECT_EQ(config().Lmos().Item(1)->Name(), QStringLiteral("Channel1"));
    EXPECT_EQ(config().ActModules().Item(1)->ChannelByIndex(1)->LonmarkObject(), nullptr);
    EXPECT_EQ(LogService::instance().StatusText(), QStringLiteral("Ready."));
}

using Writing = WorkflowFixture;

TEST_F(Writing, AWrittenSetIsWhatTheNextOpeningReads)
{
    configureLightAndSwitch();
    ASSERT_TRUE(config().WriteParameters());
    EXPECT_TRUE(redLines().isEmpty()) << redLines().join(QLatin1Char('\n')).toStdString();
    EXPECT_FALSE(LogService::instance().ApplyEnabled());
    EXPECT_FALSE(LogService::instance().ParametersChanged());
    EXPECT_EQ(LogService::instance().StatusText(), QStringLiteral("Ready."));
    EXPECT_FALSE(PlugInGlobals::Session.system->inTransaction());

    const QStringList written = stateOf(QStringLiteral("RX24 Hall"), true);
    EXPECT_TRUE(written.contains(QStringLiteral("object 2 name: Light Hall")));
    EXPECT_TRUE(written.contains(QStringLiteral("object 2 FptIndex: 83 152"))); // 21400
    EXPECT_TRUE(written.contains(QStringLiteral("object 3 FptIndex: 82 209"))); // 21201
    EXPECT_TRUE(written.contains(QStringLiteral("object 3 PushEvent1: 1")));    // on with pushbutton
    EXPECT_TRUE(written.contains(QStringLiteral("object 2 Output: 95")));       // SNVT_switch
    EXPECT_TRUE(written.contains(QStringLiteral("DeviceModules: 2 0 255 255 255 255 255 255")));

    // Opened again by a new process: the same set; a range tuned since
    // survives a second write, which applies no defaults, and a change
    // another client made meanwhile gives way to the whole set written.
    configWindow.Unload();
    LcaPlugIn::EndApp();
    cConfiguration &again = open();
    cLmo *light = again.ActModules().Item(1)->ChannelByIndex(1)->LonmarkObject();
    ASSERT_NE(light, nullptr);
    EXPECT_EQ(light->Name(), QStringLiteral("Light Hall"));
    EXPECT_EQ(row(2, 1)->GetCurrentTypeComboItemText(), cActChannel::FptText(QStringLiteral("21201/3")));
    light->MaxRange()->setValue(0x6401);
    ASSERT_TRUE(again.WriteParameters());
    EXPECT_TRUE(
        stateOf(QStringLiteral("RX24 Hall")).contains(QStringLiteral("object 2 MaxRange: 100 1 0 0")));
    light->SendDelta()->setValue(7);
    otherClient([](NetworkDatabase &db) {
        DeviceState::setBytes(db.device(QStringLiteral("Demo"), QStringLiteral("LNS System.Floor 1"),
                                        QStringLiteral("RX24 Hall"))
                                  ->lonMarkObjects()
                                  ->item(2)
                                  ->configProperties()
                                  ->item(QStringLiteral("MaxRange")),
                              {9, 9, 0, 0});
    });
    ASSERT_TRUE(again.WriteParameters());
    EXPECT_TRUE(
        stateOf(QStringLiteral("RX24 Hall")).contains(QStringLiteral("object 2 MaxRange: 100 1 0 0")));
}

// The window stays open across writes: what an earlier write left out for
// an unused object must not stay left out once the user gives it a function.
TEST_F(Writing, AnAnalogRangeChosenAfterAnEarlierWriteIsWritten)
{
    storeSlots(QStringLiteral("RX24 Hall"), {MT_YS4});
    cConfiguration &c = open();
    EXPECT_TRUE(c.WriteParameters());
    pick(1, 1, "cboObject", QStringLiteral("Channel1"));
    pick(1, 1, "cboType", cActChannel::FptText(QStringLiteral("521/2")));
    EXPECT_TRUE(c.WriteParameters());
    const QStringList written = stateOf(QStringLiteral("RX24 Hall"));
    EXPECT_TRUE(written.contains(QStringLiteral("object 2 FptIndex: 2 9"))); // 521
    EXPECT_TRUE(written.contains(QStringLiteral("object 2 AnalogOutputType: 2")));

    configWindow.Unload();
    LcaPlugIn::EndApp();
    open();
    EXPECT_TRUE(row(1, 1)->TypeComboValid());
    EXPECT_EQ(row(1, 1)->GetCurrentTypeComboItemText(), cActChannel::FptText(QStringLiteral("521/2")));
}

TEST_F(Writing, AnInvalidChannelStopsTheWriteWithTheModulesNamedInRed)
{
    storeSlots(QStringLiteral("RX24 Hall"), {MT_RP4, MT_RP4});
    // A switch function on relay channels, which offer none.
    storeBinding(QStringLiteral("RX24 Hall"), 1, 1, 1, MT_RP4, 21201);
    storeBinding(QStringLiteral("RX24 Hall"), 2, 2, 1, MT_RP4, 21201);
    const QStringList before = stateOf(QStringLiteral("RX24 Hall"), true);
    open();
    EXPECT_FALSE(config().WriteParameters());
    EXPECT_EQ(redLines(), (QStringList{ResourceStrings::LoadResString(1555), QString(),
                                       QStringLiteral("  - Module 1 (Channel1)"),
                                       QStringLiteral("  - Module 2 (Channel2)")}));
    EXPECT_EQ(DeviceState::difference(before, stateOf(QStringLiteral("RX24 Hall"), true)), "");
}

// Every way a write can fail half-way leaves the device exactly as it was,
// says so in red and keeps Apply, so the user can try again.
class FailedWrite : public WorkflowFixture
{
protected:
    void expectNothingWritten(const QStringList &before)
    {
        EXPECT_FALSE(PlugInGlobals::Session.system->inTransaction());
        EXPECT_EQ(DeviceState::difference(before, stateOf(QStringLiteral("RX24 Hall"), true)), "");
        EXPECT_TRUE(redLines().contains(ResourceStrings::LoadResString(1547)))
            << redLines().join(QLatin1Char('\n')).toStdString();
        EXPECT_TRUE(LogService::instance().ApplyEnabled());
        EXPECT_TRUE(LogService::instance().ParametersChanged());
    }
};

TEST_F(FailedWrite, ARefusedNvTypeChange)
{
    // A sunblind sends SNVT_setting, which this device's first channel
    // object refuses on its output; its input has taken the type by then.
    storeSlots(QStringLiteral("RX24 Hall"), {MT_JT2});
    changeDatabase(QStringLiteral("UPDATE nvs SET allowed_types = '95' WHERE name = 'Output' AND object_id = "
                                  "(SELECT o.id FROM lonmark_objects o JOIN devices d ON o.device_id = d.id "
                                  "WHERE d.name = 'RX24 Hall' AND o.position = 2)"));
    const QStringList before = stateOf(QStringLiteral("RX24 Hall"), true);

    open();
    pick(1, 1, "cboObject", QStringLiteral("Channel1"));
    ASSERT_EQ(config().Lmos().Item(1)->FptIndex()->Value(), 22400);
    config().WriteParameters();
    expectNothingWritten(before);
}

TEST_F(FailedWrite, TheDeviceBecameUnreachableAfterOpening)
{
    configureLightAndSwitch();
    const QStringList before = stateOf(QStringLiteral("RX24 Hall"), true);
    otherClient([](NetworkDatabase &db) {
        db.setDeviceReachable(QStringLiteral("Demo"), QStringLiteral("LNS System.Floor 1"),
                              QStringLiteral("RX24 Hall"), false);
    });
    config().WriteParameters();
    expectNothingWritten(before);
    // The edits are still there for the next try.
    EXPECT_EQ(config().Lmos().Item(1)->Name(), QStringLiteral("Light Hall"));
}

TEST_F(FailedWrite, ACpThatCannotBeFetched)
{
    configureLightAndSwitch();
    const QStringList before = stateOf(QStringLiteral("RX24 Hall"), true);
    // The CP of the switch's first event, which the new function changes,
    // vanished since the device was opened.
    changeDatabase(
        QStringLiteral("DELETE FROM cps WHERE name = 'PushEvent1' AND nv_id IS NULL AND object_id = "
                       "(SELECT o.id FROM lonmark_objects o JOIN devices d ON o.device_id = d.id "
                       "WHERE d.name = 'RX24 Hall' AND o.position = 3)"));
    QStringList expected = before;
    expected.removeOne(QStringLiteral("object 3 PushEvent1: 14"));
    ASSERT_EQ(expected.size(), before.size() - 1);

    config().WriteParameters();
    expectNothingWritten(expected);
    EXPECT_TRUE(redLines().join(QLatin1Char('\n')).contains(QStringLiteral("no longer exists")))
        << redLines().join(QLatin1Char('\n')).toStdString();
}

TEST_F(FailedWrite, AnotherClientHoldsTheDatabase)
{
    configureLightAndSwitch();
    const QStringList before = stateOf(QStringLiteral("RX24 Hall"), true);
    NetworkDatabase other(path("net.lnsdb"));
    other.connectServer(0);
    auto otherNetwork = other.openNetwork(QStringLiteral("Demo"), false);
    otherNetwork->system()->startTransaction();
    config().WriteParameters();
    otherNetwork->system()->cancelTransaction();
    expectNothingWritten(before);
    bool busyNamed = false;
    for (const QString &line : redLines())
        busyNamed = busyNamed || line.contains(QStringLiteral("busy"));
    EXPECT_TRUE(busyNamed) << redLines().join(QLatin1Char('\n')).toStdString();
}

} // namespace
