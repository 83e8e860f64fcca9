// Every road a configuration takes to a device, a copy or a parameter file,
// leaves the device holding exactly the source's set; the device a set came
// from and the one it went to cannot be told apart, names aside.
#include "DemoNetworkFixture.h"
#include "support/ScriptedDeviceSelection.h"

#include <QFile>

namespace {

enum class Road { Copy, File };

struct SetRoad
{
    const char *source;
    const char *target;
    Road road;
};

void PrintTo(const SetRoad &r, std::ostream *os)
{
    *os << r.source << " -> " << r.target << (r.road == Road::Copy ? " (copy)" : " (file)");
}

QByteArray contentsOf(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class DemoSets : public DemoNetworkFixture
{
protected:
    // The set and the file a device gives when it is opened.
    ConfigurationSet setOf(const QString &device, const QString &file)
    {
        cConfiguration &c = open(device);
        ConfigurationSet set = c.TakeSet();
        EXPECT_TRUE(c.SaveSetToFile(file));
        close();
        return set;
    }
    // A file loaded into the open device as the window's Load does.
    void load(const QString &file)
    {
        ConfigurationSet set;
        ASSERT_EQ(config().LoadSetFromFile(file, set), LE_NO_ERROR)
            << config().Parameters().LoadFromFileProblem().toStdString();
        config().PutSet(set);
    }
    void expectWrittenCleanly()
    {
        EXPECT_TRUE(config().WriteParameters());
        EXPECT_TRUE(redLines().isEmpty()) << redLines().join(QLatin1Char('\n')).toStdString();
        EXPECT_FALSE(LogService::instance().ApplyEnabled());
    }
};

class SetRoads : public DemoSets, public ::testing::WithParamInterface<SetRoad>
{
};

TEST_P(SetRoads, TheTargetThenHoldsTheSourcesSetAndSavesTheSourcesFile)
{
    const QString source = QLatin1String(GetParam().source);
    const QString target = QLatin1String(GetParam().target);
    const ConfigurationSet sourceSet = setOf(source, path("source.dat"));
    const QByteArray sourceFile = contentsOf(path("source.dat"));
    ASSERT_FALSE(sourceFile.isEmpty());
    const QStringList targetNames = setOf(target, path("unused.dat")).names.values();

    if (GetParam().road == Road::Copy) {
        MultiDeviceSelection::setFactory(
            [target] { return std::make_unique<ScriptedDeviceSelection>(QStringList{target}); });
        open(source).WriteParametersEx();
        EXPECT_TRUE(redLines().isEmpty()) << redLines().join(QLatin1Char('\n')).toStdString();
    } else {
        open(target);
        load(path("source.dat"));
        expectWrittenCleanly();
    }
    close();

    // Read back: the source's set, NV types included; the names stay the target's.
    cConfiguration &again = open(target);
    const ConfigurationSet got = again.TakeSet();
    EXPECT_EQ(got.differences(sourceSet).join(QLatin1Char('\n')).toStdString(), "");
    EXPECT_EQ(got.names.values(), targetNames);
    for (const auto &lmo : again.Lmos().Items())
        EXPECT_TRUE(lmo->ObjectParametersValid()) << "object " << int(lmo->Index());

    // A second write with no edit changes no byte, and the file is the source's.
    const QStringList written = stateOf(target, true);
    LogService::instance().setParametersChanged(true);
    expectWrittenCleanly();
    EXPECT_EQ(DeviceState::difference(written, stateOf(target, true)), "");
    ASSERT_TRUE(again.SaveSetToFile(path("target.dat")));
    EXPECT_EQ(contentsOf(path("target.dat")), sourceFile);

    // Loading a file and saving it again gives the same file.
    load(path("source.dat"));
    ASSERT_TRUE(again.SaveSetToFile(path("again.dat")));
    EXPECT_EQ(contentsOf(path("again.dat")), sourceFile);
}

INSTANTIATE_TEST_SUITE_P(DemoDevices, SetRoads,
                         ::testing::Values(SetRoad{"RX24 Full", "RX24 New", Road::Copy},
                                           SetRoad{"RX24 Full", "RX24 New", Road::File},
                                           SetRoad{"RX24 Full", "RX24 Partial", Road::Copy},
                                           SetRoad{"RX24 Full", "RX24 Partial", Road::File},
                                           SetRoad{"RX24 Partial", "RX24 Full", Road::Copy},
                                           SetRoad{"RX24 Partial", "RX24 Full", Road::File},
                                           SetRoad{"RX24 New", "RX24 Full", Road::Copy},
                                           SetRoad{"RX24 New", "RX24 Full", Road::File}));

// A device configured in ways the demo does not show: an analog output
// range, a three-point valve, a user-defined switch and tuned values. Its set reaches a
// device that held the full demo by either road.
TEST_F(DemoSets, AVariedConfigurationTakesEitherRoadWhole)
{
    storeSlots(QStringLiteral("RX24 Partial"), {MT_RP4, MT_JT2, MT_YS4, MT_HF4, MT_KW8});
    cConfiguration &c = open(QStringLiteral("RX24 Partial"));
    pick(3, 2, "cboObject", QStringLiteral("Channel3"));
    pick(3, 2, "cboType", cActChannel::FptText(QStringLiteral("521/2")));
    pick(4, 1, "cboObject", QStringLiteral("Channel4"));
    pick(4, 1, "cboType", cActChannel::FptText(QStringLiteral("23400/6")));
    pick(5, 3, "cboObject", QStringLiteral("Channel5"));
    pick(5, 3, "cboType", cActChannel::FptText(QStringLiteral("21201/14")));
    expectWrittenCleanly();
    // Tuned after the functions were written: kept, not replaced by defaults.
    c.Lmos().Item(3)->MaxRange()->setValue(1234);
    c.Lmos().Item(5)->HoldEvent1()->setValue(EV_SCENE_RCL);
    c.Lmos().Item(4)->SecInputPriority()->setValue(6);
    expectWrittenCleanly();
    close();
    const ConfigurationSet varied = setOf(QStringLiteral("RX24 Partial"), path("varied.dat"));
    EXPECT_EQ(varied.values.value(QStringLiteral("AnalogOutputType_3")), QStringLiteral("2"));
    EXPECT_EQ(varied.values.value(QStringLiteral("MaxRange_3")), QStringLiteral("4,210"));

    MultiDeviceSelection::setFactory(
        [] { return std::make_unique<ScriptedDeviceSelection>(QStringList{QStringLiteral("RX24 Full")}); });
    open(QStringLiteral("RX24 Partial")).WriteParametersEx();
    close();
    EXPECT_EQ(setOf(QStringLiteral("RX24 Full"), path("full.dat"))
                  .differences(varied)
                  .join(QLatin1Char('\n'))
                  .toStdString(),
              "");
    EXPECT_EQ(contentsOf(path("full.dat")), contentsOf(path("varied.dat")));

    // The file road onto the factory-new device.
    open(QStringLiteral("RX24 New"));
    load(path("varied.dat"));
    expectWrittenCleanly();
    close();
    EXPECT_EQ(setOf(QStringLiteral("RX24 New"), path("new.dat"))
                  .differences(varied)
                  .join(QLatin1Char('\n'))
                  .toStdString(),
              "");
}

// A switch whose events share no output NV type is an invalid function on
// its row, like any other; the rest of the device stays writable once the
// user gives the row a function.
TEST_F(DemoSets, ASwitchWhoseEventsShareNoOutputTypeIsRedAndNamedNotABlockedWrite)
{
    otherClient([](NetworkDatabase &db) {
        const auto hall = db.device(QStringLiteral("Demo"), QStringLiteral("LNS System.Floor 1"),
                                    QStringLiteral("RX24 Full"))
                              ->lonMarkObjects()
                              ->item(6);
        ASSERT_EQ(hall->name(), QStringLiteral("Switch Hall"));
        DeviceState::setBytes(hall->configProperties()->item(QStringLiteral("ReleaseEvent1")), {16});
    });
    const QStringList before = stateOf(QStringLiteral("RX24 Full"), true);
    open(QStringLiteral("RX24 Full"));
    EXPECT_FALSE(row(4, 1)->TypeComboValid());
    EXPECT_TRUE(row(4, 2)->TypeComboValid());
    LogService::instance().setParametersChanged(true);
    EXPECT_FALSE(config().WriteParameters());
    EXPECT_TRUE(redLines().contains(QStringLiteral("  - Module 4 (Switch Hall)")))
        << redLines().join(QLatin1Char('\n')).toStdString();
    EXPECT_FALSE(MessageBox::lastShown().text.contains(QStringLiteral("Error fetching CPs")));
    EXPECT_EQ(DeviceState::difference(before, stateOf(QStringLiteral("RX24 Full"), true)), "");

    pick(4, 1, "cboType", cActChannel::FptText(QStringLiteral("21201/3")));
    EXPECT_TRUE(row(4, 1)->TypeComboValid());
    EXPECT_TRUE(config().WriteParameters());
    EXPECT_TRUE(stateOf(QStringLiteral("RX24 Full")).contains(QStringLiteral("object 6 ReleaseEvent1: 14")));
}

} // namespace
