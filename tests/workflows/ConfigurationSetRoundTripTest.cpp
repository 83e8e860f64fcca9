// The configuration-set fuzz target's promise for files bent the ways a hand
// edit bends them (its seeds and findings are replayed with the other
// targets' inputs).
#include "fuzz/properties/ConfigurationSetRoundTrip.h"

#include "support/DeviceState.h"

#include <gtest/gtest.h>

namespace {

const QString Root = QStringLiteral(RX24_SOURCE_DIR "/tests/fuzz");

QByteArray contentsOf(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The full demo device's file with one line changed as a user's editor
// might: each either refuses, fails the check, or writes and reads back.
TEST(ConfigurationSetRoundTrip, HandEditedFilesHoldThePromise)
{
    ConfigurationSetRoundTrip roundTrip(QStringLiteral(RX24_SOURCE_DIR));
    const QByteArray full = contentsOf(Root + QStringLiteral("/seeds/fuzz_configuration_set/full.dat"));
    ASSERT_FALSE(full.isEmpty());
    const std::pair<const char *, const char *> edits[] = {
        {"ReleaseEvent1_5 = 14", "ReleaseEvent1_5 = 16"}, // events sharing no output type
        {"FptIndex_2 = 83,152", "FptIndex_2 = 87,144"},   // a sunblind on a relay channel
        {"ModuleChannel_1 = 1", "ModuleChannel_1 = 2"},   // two objects on one channel
        {"DeviceModules_1 = 2", "DeviceModules_1 = 300"}, // no module type at all
        {"DeviceModules_1 = 2", "DeviceModules_1 = 5"},   // another module under the objects
        {"DeviceModules_1 = 2", "DeviceModules_1 ="},     // a value left empty
    };
    for (const auto &[from, to] : edits) {
        QByteArray edited = full;
        ASSERT_TRUE(edited.contains(from)) << from;
        edited.replace(from, to);
        EXPECT_EQ(roundTrip.check(edited).toStdString(), "") << to;
    }
}

} // namespace
