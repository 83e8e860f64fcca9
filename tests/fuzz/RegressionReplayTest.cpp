// Every input a fuzz target once failed on is kept in regressions/<target>/,
// the seeds each target starts from in seeds/<target>/ (with the shipped
// file it reads, when there is one). This test checks them all with the
// target's property in every test run, so a fixed finding stays fixed
// without clang.
#include "FuzzFailure.h"
#include "properties/ConfigurationSetProperty.h"
#include "properties/DescriptionFileProperty.h"
#include "properties/DeviceInterfaceProperty.h"
#include "properties/DeviceTemplateProperty.h"
#include "properties/ParameterFileProperty.h"
#include "properties/RawTextProperty.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <gtest/gtest.h>

namespace {
struct Target
{
    const char *name;
    void (*check)(QByteArrayView input);
    const char *shippedFile; // in resources/data; nullptr for none
};

// One line per fuzz target of tests/fuzz/CMakeLists.txt.
const Target Targets[] = {
    {"fuzz_parameter_file", ParameterFileProperty::check, nullptr},
    {"fuzz_raw_text", RawTextProperty::check, nullptr},
    {"fuzz_device_interface", DeviceInterfaceProperty::check, "RX24.xif"},
    {"fuzz_device_template", DeviceTemplateProperty::check, "RX24.ini"},
    {"fuzz_description_file", DescriptionFileProperty::check, "tarvinaRX24.ini"},
    {"fuzz_configuration_set", ConfigurationSetProperty::check, nullptr},
};

// Names the target in the test's messages.
[[maybe_unused]] void PrintTo(const Target &target, std::ostream *out)
{
    *out << target.name;
}

const QString Root = QStringLiteral(RX24_SOURCE_DIR "/tests/fuzz");

QStringList savedInputs(const QString &kind, const char *target)
{
    const QDir folder(Root + QLatin1Char('/') + kind + QLatin1Char('/') + QLatin1String(target));
    QStringList paths;
    for (const QString &name : folder.entryList(QDir::Files, QDir::Name))
        paths.append(folder.filePath(name));
    return paths;
}

class FuzzRegressions : public ::testing::TestWithParam<Target>
{
};
} // namespace

TEST_P(FuzzRegressions, SavedInputsKeepTheProperty)
{
    const Target target = GetParam();
    QStringList inputs = savedInputs(QStringLiteral("regressions"), target.name) +
                         savedInputs(QStringLiteral("seeds"), target.name);
    if (target.shippedFile)
        inputs.append(QStringLiteral(RX24_SOURCE_DIR "/resources/data/") + QLatin1String(target.shippedFile));
    EXPECT_FALSE(inputs.isEmpty()) << "no seeds for " << target.name;
    for (const QString &path : inputs) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        const QByteArray bytes = file.readAll();
        try {
            target.check(bytes);
        } catch (const FuzzFailure &failure) {
            ADD_FAILURE() << path.toStdString() << ": " << failure.what();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzRegressions, ::testing::ValuesIn(Targets),
                         [](const ::testing::TestParamInfo<Target> &target) {
                             return std::string(target.param.name);
                         });

// A folder of saved inputs without its target would never be replayed.
TEST(FuzzRegressionFolders, EachNamesATarget)
{
    for (const QString &kind : {QStringLiteral("regressions"), QStringLiteral("seeds")}) {
        for (const QString &folder :
             QDir(Root + QLatin1Char('/') + kind).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            const bool known = std::any_of(std::begin(Targets), std::end(Targets), [&](const Target &target) {
                return folder == QLatin1String(target.name);
            });
            EXPECT_TRUE(known) << kind.toStdString() << "/" << folder.toStdString();
        }
    }
}
