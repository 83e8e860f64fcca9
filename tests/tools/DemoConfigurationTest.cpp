// The demo devices must hold nothing the plug-in could not have written:
// configured by the demo, a device ends up byte for byte where the model
// leaves a device on which a user picked the same objects and functions.
#include "director/DemoNetwork.h"
#include "model/ModelFixture.h"
#include "platform/netdb/DeviceInterfaceFile.h"
#include "support/DeviceState.h"

namespace {

using DemoConfiguration = ModelFixture;

TEST_F(DemoConfiguration, FullDeviceIsWhatTheModelWritesAndReadsBackValid)
{
    const DemoNetwork::DeviceSetup full = DemoNetwork::rx24Devices().at(2);
    ASSERT_EQ(full.name, QStringLiteral("RX24 Full"));
    db->addDevice(QStringLiteral("Plant"), QStringLiteral("Plant.Floor1"), QStringLiteral("Demo"),
                  DeviceInterfaceFile::parse(QStringLiteral(RX24_SOURCE_DIR "/resources/data/RX24.xif")));
    const auto demo =
        db->device(QStringLiteral("Plant"), QStringLiteral("Plant.Floor1"), QStringLiteral("Demo"));
    DemoNetwork(*db, QStringLiteral(RX24_SOURCE_DIR "/resources/data/RX24.ini")).configure(demo, full);

    // The same set made by hand on RX1: slots, objects, functions, defaults.
    storeSlots(full.slots);
    readDevice();
    for (const DemoNetwork::Binding &b : full.bindings) {
        pick(row(b.slot, b.channel), "cboObject", QStringLiteral("Channel%1").arg(b.object));
        const QString fpt =
            b.subType >= 0 ? QStringLiteral("%1/%2").arg(b.fptKey).arg(b.subType) : QString::number(b.fptKey);
        pick(row(b.slot, b.channel), "cboType", cActChannel::FptText(fpt));
    }
    for (const auto &lmo : lmos.Items()) {
        ASSERT_TRUE(lmo->SetDefaultValuesIfRequired());
        ASSERT_TRUE(lmo->WriteNvTypes());
    }
    params.WriteToLns();
    const QStringList expected = DeviceState::of(rx24());
    const QStringList written = DeviceState::of(demo);
    ASSERT_EQ(written.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i)
        EXPECT_EQ(written.at(i).toStdString(), expected.at(i).toStdString());

    // Read back, every bound channel shows its object and a valid function.
    readDevice();
    for (const DemoNetwork::Binding &b : full.bindings) {
        const cLmo *lmo = channelOf(b.slot, b.channel)->LonmarkObject();
        ASSERT_NE(lmo, nullptr) << b.name.toStdString();
        EXPECT_EQ(lmo->Index(), b.object);
        EXPECT_TRUE(lmo->ObjectParametersValid()) << b.name.toStdString();
        EXPECT_FALSE(lmo->SwitchNvTypesInvalid()) << b.name.toStdString();
    }
}

} // namespace
