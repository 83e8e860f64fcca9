#include "properties/DeviceTemplateProperty.h"

#include "FuzzFailure.h"
#include "platform/AppError.h"
#include "template/cRX24.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <optional>

namespace {
// Module types 0 .. 20 and the empty slot.
constexpr int ModuleTypes[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 255};
constexpr int FptKeys[] = {520, 521, 21400, 22400, 23400, 21201};
// Enough to reach every branch; a list of thousands of items adds nothing.
constexpr int MaxFptsPerModule = 4;
constexpr int MaxFptKeys = 12;

// Runs one query, which answers or raises AppError with a reason. Anything
// else it throws ends the run as a crash.
void answers(const std::function<void()> &query, const QString &refusal)
{
    try {
        query();
    } catch (const AppError &error) {
        FUZZ_CHECK(!error.description().isEmpty());
        // A refused template says so from every query.
        FUZZ_CHECK(refusal.isEmpty() || (error.number() == 75 && error.description() == refusal));
        return;
    }
    FUZZ_CHECK(refusal.isEmpty());
}

// The channel count the template text gives, by the C library rather than
// the template's own number reading; nothing when no byte holds it.
std::optional<int> expectedCount(const QString &text)
{
    static const QRegularExpression leading(QStringLiteral("^[ \\t]*([+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+))"));
    const QRegularExpressionMatch match = leading.match(text);
    if (!match.hasMatch())
        return 0;
    const double rounded = std::nearbyint(std::strtod(match.captured(1).toLatin1().constData(), nullptr));
    if (!(rounded >= 0.0 && rounded <= 255.0))
        return std::nullopt;
    return static_cast<int>(rounded);
}

void checkChannelCount(const cRX24 &rx24, const QX_IniFile &ini, int moduleType)
{
    const QString text =
        ini.read(QStringLiteral("Modules"), QStringLiteral("ChannelCount_%1").arg(moduleType));
    const std::optional<int> expected = expectedCount(text);
    try {
        const int count = rx24.ChannelCountByModuleType(moduleType);
        FUZZ_CHECK(expected && count == *expected);
    } catch (const AppError &error) {
        FUZZ_CHECK(!expected && error.number() == 6);
    }
}

// The FPT key of a supported-FPT string ("23400/7" is 23400).
int keyOf(const QString &fpt)
{
    return fpt.section(QLatin1Char('/'), 0, 0).toInt();
}

// Asks what the model asks of a module type; adds the FPT keys its
// functions name to keys.
void askModule(cRX24 &rx24, int moduleType, const QString &refusal, QList<int> &keys)
{
    int channels = 0;
    answers([&] { channels = rx24.ChannelCountByModuleType(moduleType); }, refusal);
    answers([&] { rx24.TerminalsPerChannelByModuleType(moduleType); }, refusal);
    answers([&] { rx24.SupportsDimmingByModuleType(moduleType); }, refusal);
    answers([&] { rx24.DefaultFptByModuleType(moduleType); }, refusal);
    QStringList fpts;
    rx24.setExtendedFptsEnabled(true);
    answers([&] { fpts = rx24.SupportedFptsByModuleType(moduleType); }, refusal);
    rx24.setExtendedFptsEnabled(false);
    for (const QString &fpt : fpts.mid(0, MaxFptsPerModule)) {
        if (!keys.contains(keyOf(fpt)) && keys.size() < MaxFptKeys)
            keys.append(keyOf(fpt));
        answers([&] { rx24.UsedChannelsByModuleTypeAndSupportedFpt(moduleType, fpt); }, refusal);
        // The first channels, where functions of several channels start, and
        // the last one and the one behind it.
        for (int channel : {1, 2, 3, channels, channels + 1}) {
            if (channel >= 1)
                answers([&] { rx24.ModuleChannelSupportsFpt(moduleType, channel, fpt); }, refusal);
        }
    }
}

// The defaults a LonMark object takes for its function.
void askFunction(const cRX24 &rx24, int key, const QString &refusal)
{
    answers([&] { rx24.DefaultNvTypePrimeInputByFptIndex(key); }, refusal);
    answers([&] { rx24.DefaultNvTypeSecInputByFptIndex(key); }, refusal);
    answers([&] { rx24.DefaultNvTypeOutputByFptIndex(key); }, refusal);
    answers([&] { rx24.DefaultSecInputPriorityByFptIndex(key); }, refusal);
}

// The queries of the current FPT key that nothing in the plug-in asks yet;
// asked for one key only, as each reads many lists.
void askCurrentFunction(cRX24 &rx24, int key, const QString &refusal)
{
    rx24.setFptIndex(key);
    answers([&] { rx24.SupportedModuleTypes(); }, refusal);
    answers([&] { rx24.SupportedPrioritiesSecInput(); }, refusal);
    QList<int> outputs;
    answers([&] { outputs = rx24.SupportedNvTypesOuput(); }, refusal);
    for (int out : outputs.mid(0, 2)) {
        answers([&] { rx24.DefaultNvTypePrimeInputByOutputNvType(out); }, refusal);
        answers([&] { rx24.DefaultNvTypeSecInputByOutputNvTypeAll(out); }, refusal);
        answers([&] { rx24.SupportedPrioritiesSecInputByNvTypes(95, out); }, refusal);
    }
}

// What a switch object asks of its events and NV types.
void askSwitch(const cRX24 &rx24, const QString &refusal)
{
    // Without events nothing is read, so there is nothing to refuse either.
    answers([&] { rx24.NvTypesCombiIsValidBySwitchEvents({}, 0, 95, 95, 95); }, QString());
    const QList<QList<int>> eventLists = {{-1}, {9, 14, 14, 14, 14, 14, 14, 14}, {0, 1, 2, 3, 4, 5, 6, 19}};
    for (const QList<int> &events : eventLists) {
        int out = 95;
        answers([&] { out = rx24.DefaultNvTypeOutputBySwitchEvents(events); }, refusal);
        for (int priority : {0, 3, 7})
            answers([&] { rx24.NvTypesCombiIsValidBySwitchEvents(events, priority, out, out, out); },
                    refusal);
    }
}

QString templatePath()
{
    static QTemporaryDir folder;
    return folder.filePath(QStringLiteral("RX24.ini"));
}
} // namespace

void DeviceTemplateProperty::check(QByteArrayView input)
{
    QFile file(templatePath());
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(input.data(), input.size()) == input.size());
    file.close();

    cRX24 rx24(templatePath());
    const QX_IniFile ini(templatePath());
    const QString refusal = ini.problem();
    FUZZ_CHECK(refusal.isEmpty() || refusal.contains(templatePath()));

    QList<int> keys(std::begin(FptKeys), std::end(FptKeys));
    for (int moduleType : ModuleTypes) {
        if (refusal.isEmpty())
            checkChannelCount(rx24, ini, moduleType);
        askModule(rx24, moduleType, refusal, keys);
    }
    for (int key : std::as_const(keys))
        askFunction(rx24, key, refusal);
    askCurrentFunction(rx24, keys.last(), refusal);
    askSwitch(rx24, refusal);
}
