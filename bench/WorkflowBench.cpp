// The plug-in's own work on a fully configured controller: opening it
// (fetching and reading its CPs), writing it back, and copying its set to
// many devices, in generated networks.
#include "BenchNetwork.h"
#include "host/PlugInGlobals.h"
#include "model/cLmo.h"
#include "params/LogService.h"
#include "platform/lns/LnsSubsystem.h"
#include "platform/services/MessageBox.h"
#include "support/ScriptedDeviceSelection.h"
#include "workflows/cConfiguration.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

using BenchNetwork::kNetwork;

// Device i of a generated network is configured like the demo's "RX24 Full"
// when i % 4 == 2; this is the first such device from the middle on.
int fullDevice(int devices)
{
    int i = devices / 2;
    while (i % 4 != 2 || NetworkGenerator::isOtherKind(i) || NetworkGenerator::isUnreachable(i))
        ++i;
    return i;
}

// The plug-in started for device i: the globals the connection start fills.
struct Session
{
    Session(const QString &file, int devices, int i) : db(file)
    {
        MessageBox::setTestMode(true);
        PlugInGlobals::Utility = std::make_unique<UtilityComponent>(QCoreApplication::applicationDirPath() +
                                                                    QStringLiteral("/tarvinaRX24.ini"));
        db.connectServer(0);
        PlugInGlobals::ObjectServer = &db;
        LnsSession &s = PlugInGlobals::Session;
        s.objectServer = &db;
        s.network = db.openNetwork(kNetwork, false);
        s.system = s.network->system();
        s.device = db.device(
            kNetwork, NetworkGenerator::devicePath(i, devices, NetworkGenerator::defaultSubsystems(devices)),
            NetworkGenerator::deviceName(i));
        s.lonMarkObjects = s.device->lonMarkObjects();
    }
    ~Session()
    {
        PlugInGlobals::Session.clear();
        PlugInGlobals::ObjectServer = nullptr;
        PlugInGlobals::Utility.reset();
    }
    std::unique_ptr<cConfiguration> open() const
    {
        auto configuration = std::make_unique<cConfiguration>(QCoreApplication::applicationDirPath() +
                                                              QStringLiteral("/RX24.ini"));
        configuration->FetchCPs();
        configuration->ReadSettings();
        return configuration;
    }
    NetworkDatabase db;
};

// Open: the configuration created, every CP fetched, the model read.
void openConfiguration(benchmark::State &state)
{
    const int devices = static_cast<int>(state.range(0));
    const Session session(BenchNetwork::networkFile(devices), devices, fullDevice(devices));
    for (auto _ : state) {
        auto configuration = session.open();
        benchmark::DoNotOptimize(configuration->Lmos().Count());
    }
}
BENCHMARK(openConfiguration)->Arg(10)->Arg(10000)->Unit(benchmark::kMillisecond);

// A full write: the name of a channel object changes, the device's CPs and
// names are written in one transaction.
void writeConfiguration(benchmark::State &state)
{
    const Session session(BenchNetwork::networkFile(10, false), 10, fullDevice(10));
    auto configuration = session.open();
    int round = 0;
    for (auto _ : state) {
        LogService::reset();
        configuration->Lmos().Item(1)->setName(QStringLiteral("Light %1").arg(++round));
        if (!configuration->WriteSettings())
            state.SkipWithError("the write failed");
    }
}
BENCHMARK(writeConfiguration)->Unit(benchmark::kMillisecond);

// Copying the set to n devices of a network of 1,001, found by the search.
void copyConfiguration(benchmark::State &state)
{
    const int targets = static_cast<int>(state.range(0));
    const int devices = 1001;
    const int source = fullDevice(devices);
    const Session session(BenchNetwork::networkFile(devices, false), devices, source);
    QStringList names;
    for (int i = 0; names.size() < targets; ++i) {
        if (i != source && !NetworkGenerator::isOtherKind(i) && !NetworkGenerator::isUnreachable(i))
            names << NetworkGenerator::deviceName(i);
    }
    MultiDeviceSelection::setFactory([names] { return std::make_unique<ScriptedDeviceSelection>(names); });
    auto configuration = session.open();
    for (auto _ : state) {
        LogService::reset();
        configuration->WriteParametersEx();
        if (LogService::instance().ErrorLogged())
            state.SkipWithError("a copy failed");
    }
    state.counters["per_device"] = benchmark::Counter(targets, benchmark::Counter::kIsIterationInvariantRate |
                                                                   benchmark::Counter::kInvert);
    MultiDeviceSelection::setFactory({});
}
BENCHMARK(copyConfiguration)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
