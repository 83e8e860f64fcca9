// The fuzz target's promise for parameter files put on a device, kept
// without clang: the saved sets of the demo devices, files bent the ways a
// hand edit bends them, and every input the fuzzer once found.
#include "fuzz/ConfigurationSetRoundTrip.h"

#include "support/DeviceState.h"

#include <QDirIterator>
#include <gtest/gtest.h>

namespace {

const QString Root = QStringLiteral(RX24_SOURCE_DIR "/tests/fuzz");

QByteArray contentsOf(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every seed and every saved finding of the target.
QStringList inputs()
{
    QStringList files;
    for (const QString &folder : {QStringLiteral("/seeds/fuzz_configuration_set"),
                                  QStringLiteral("/regressions/fuzz_configuration_set")}) {
        QDirIterator it(Root + folder, QDir::Files);
        while (it.hasNext())
            files << it.next();
    }
    files.sort();
    return files;
}

TEST(ConfigurationSetRoundTrip, EverySavedInputHoldsThePromise)
{
    ConfigurationSetRoundTrip roundTrip(QStringLiteral(RX24_SOURCE_DIR));
    const QStringList files = inputs();
    ASSERT_GE(files.size(), 4);
    for (const QString &file : files)
        EXPECT_EQ(roundTrip.check(contentsOf(file)).toStdString(), "") << file.toStdString();
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
