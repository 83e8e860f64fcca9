#include "params/ParameterRegistration.h"

#include "ParamsTestSupport.h"
#include "params/cConfigProp.h"
#include "params/cParam1Byte.h"
#include "params/cParam2Byte.h"
#include "params/cParamComboBox.h"

#include <QComboBox>

namespace {

class ParameterRegistrationTest : public ParamsDbFixture
{
};

TEST_F(ParameterRegistrationTest, FetchesAtOnceAndNamesByKey)
{
    cParam2Byte *fpt = nullptr;
    ASSERT_TRUE(ParameterRegistration::Register2ByteParameter(params, QStringLiteral("FptIndex"), channel(3),
                                                              QStringLiteral("FptIndex_3"), false, fpt));
    EXPECT_EQ(params.Parameter2ByteByName(QStringLiteral("FptIndex_3")), fpt);
    EXPECT_TRUE(fpt->CpFetched());
    EXPECT_TRUE(fpt->Available());
    fpt->ReadFromLns();
    EXPECT_EQ(fpt->Value(), 65535);
    // An empty key takes the CP name.
    cParam1Byte *type = nullptr;
    ASSERT_TRUE(ParameterRegistration::Register1ByteParameter(params, QStringLiteral("ModuleType"),
                                                              channel(1), QString(), false, type));
    EXPECT_EQ(type->Name(), QStringLiteral("ModuleType"));
}

TEST_F(ParameterRegistrationTest, LateFetchAsksNothingOfLnsUntilTheFirstRead)
{
    auto counting = std::make_shared<CountingLonMarkObject>(channel(2));
    cParam1Byte *events = nullptr;
    ASSERT_TRUE(ParameterRegistration::Register1ByteParameter(params, QStringLiteral("PushEvent1"), counting,
                                                              QStringLiteral("PushEvent1_2"), true, events));
    EXPECT_EQ(counting->calls, 0);
    EXPECT_FALSE(events->CpFetched());
    EXPECT_TRUE(events->Available());
    params.ReadFromLns(); // the collection skips a CP not fetched yet
    EXPECT_EQ(counting->calls, 0);
    events->ReadFromLns(true);
    EXPECT_GT(counting->calls, 0);
    EXPECT_TRUE(events->CpFetched());
    EXPECT_EQ(events->Value(), 14);
}

TEST_F(ParameterRegistrationTest, LateConfigPropertyFetchesOnFirstRead)
{
    cConfigProp *scenes = nullptr;
    ASSERT_TRUE(ParameterRegistration::RegisterConfigProp(params, QStringLiteral("Scenes"), channel(1),
                                                          QStringLiteral("Scenes_1"), true, scenes));
    EXPECT_EQ(params.ConfigPropByName(QStringLiteral("Scenes_1")), scenes);
    EXPECT_FALSE(scenes->CpFetched());
    EXPECT_TRUE(scenes->Available());
    scenes->ReadFromLns(true);
    EXPECT_EQ(scenes->ByteLength(), 64);
}

TEST_F(ParameterRegistrationTest, UnknownCpFailsAndAddsNothing)
{
    cParam1Byte *none = nullptr;
    EXPECT_FALSE(ParameterRegistration::Register1ByteParameter(params, QStringLiteral("NoSuchCp"), channel(1),
                                                               QStringLiteral("X"), false, none));
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(params.Parameter1ByteCount(), 0);
    EXPECT_EQ(params.AllParameters().Count(), 0);
}

TEST_F(ParameterRegistrationTest, DeviceParameterIsBoundToItsComboBox)
{
    QList<QComboBox *> boxes;
    for (int i = 0; i < 8; ++i)
        boxes.append(new QComboBox);
    const auto lookup = [&](int n) { return boxes.at(n - 1); };
    ParameterRegistration::DeviceCpSource source;
    source.appDevice = rx24();
    source.fetchThroughDevice = true;
    cParamComboBox *slot3 = nullptr;
    ASSERT_TRUE(ParameterRegistration::RegisterDeviceParameter(params, QStringLiteral("DeviceModules"),
                                                               source, lookup, 3,
                                                               QStringLiteral("DeviceModules_3"), slot3));
    EXPECT_EQ(slot3->ComboBoxControl(), boxes.at(2));
    EXPECT_EQ(boxes.at(2)->property("Tag").toString(), QStringLiteral("DeviceModules_3"));
    EXPECT_EQ(slot3->ConfigProperty()->name(), QStringLiteral("DeviceModules"));

    // From the device's own object the device CP line names nothing.
    source.fetchThroughDevice = false;
    source.deviceObject = rx24()->lonMarkObjects()->item(1);
    cParamComboBox *other = nullptr;
    EXPECT_FALSE(ParameterRegistration::RegisterDeviceParameter(params, QStringLiteral("DeviceModules"),
                                                                source, lookup, 4,
                                                                QStringLiteral("DeviceModules_4"), other));
    qDeleteAll(boxes);
}

} // namespace
