// The plug-in's own work on fully configured controllers, as the user waits
// for it: opening a device (fetching and reading its whole set into the
// model), writing a changed set back, and copying a set to many devices.
//
// The second argument, where there is one, is the database: 0 the SQLite
// file, 1 a schema on the local PostgreSQL server (the figures side by side).
//
// Every figure is wall time of a first pass: each iteration starts from a
// new connection to the network database, so nothing read by an earlier
// iteration is kept, and every write puts a set that the device does not
// hold yet (two sources take turns), so each target really changes and
// commits. What an iteration needs beforehand is prepared outside the time.
#include "BenchNetwork.h"
#include "host/PlugInGlobals.h"
#include "model/cLmo.h"
#include "params/LogService.h"
#include "platform/services/MessageBox.h"
#include "support/ScriptedDeviceSelection.h"
#include "workflows/cConfiguration.h"

#include <QApplication>
#include <QElapsedTimer>
#include <benchmark/benchmark.h>
#include <ctime>

namespace {

using BenchNetwork::kNetwork;

// Device i of a generated network is configured like the demo's "RX24 Full"
// when i % 4 == 2 and like "RX24 Partial" when i % 4 == 1.
bool usable(int i)
{
    return !NetworkGenerator::isOtherKind(i) && !NetworkGenerator::isUnreachable(i);
}

int deviceFrom(int first, int state)
{
    int i = first;
    while (i % 4 != state || !usable(i))
        ++i;
    return i;
}

int fullDevice(int devices)
{
    return deviceFrom(devices / 2, 2);
}

int partialDevice(int devices)
{
    return deviceFrom(devices / 2, 1);
}

QString templatePath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/RX24.ini");
}

// The plug-in started for device i of a network: a new connection (nothing
// read yet) and the globals the connection start fills.
class Session
{
public:
    Session(const QString &file, int devices, int i) : m_db(file)
    {
        MessageBox::setTestMode(true);
        LogService::reset();
        PlugInGlobals::Utility = std::make_unique<UtilityComponent>(QCoreApplication::applicationDirPath() +
                                                                    QStringLiteral("/tarvinaRX24.ini"));
        m_db.connectServer(0);
        PlugInGlobals::ObjectServer = &m_db;
        LnsSession &s = PlugInGlobals::Session;
        s.objectServer = &m_db;
        s.network = m_db.openNetwork(kNetwork, false);
        s.system = s.network->system();
        s.device = m_db.device(
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
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    // The configuration as the window opens it.
    static std::unique_ptr<cConfiguration> open()
    {
        auto configuration = std::make_unique<cConfiguration>(templatePath());
        if (!configuration->Open())
            configuration.reset();
        return configuration;
    }

private:
    NetworkDatabase m_db;
};

// The sets of a fully and a partly configured device, for writes that
// change something whichever of the two the device holds.
std::array<ConfigurationSet, 2> twoSets(const QString &file, int devices)
{
    std::array<ConfigurationSet, 2> sets;
    int k = 0;
    for (int i : {fullDevice(devices), partialDevice(devices)}) {
        const Session session(file, devices, i);
        sets.at(static_cast<size_t>(k++)) = Session::open()->TakeSet();
    }
    return sets;
}

bool onServer(const benchmark::State &state)
{
    return state.range(1) == 1;
}

// The network to read: the file, or the same network on the server.
QString readLocation(const benchmark::State &state, int devices)
{
    return onServer(state) ? BenchNetwork::serverNetwork(devices) : BenchNetwork::networkFile(devices);
}

// The network to write, of this process alone.
QString writableLocation(const benchmark::State &state, int devices)
{
    return onServer(state) ? BenchNetwork::serverNetwork(devices) : BenchNetwork::writableCopy(devices);
}

double seconds(const QElapsedTimer &clock)
{
    return static_cast<double>(clock.nsecsElapsed()) / 1e9;
}

// The processor time of this thread: on a machine shared with other work,
// wall time grows with the load; this shows what the work itself took.
double cpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// Open: the configuration created, every CP fetched and read, the model built.
void openConfiguration(benchmark::State &state)
{
    const int devices = static_cast<int>(state.range(0));
    const QString file = readLocation(state, devices);
    double cpu = 0.0;
    for (auto _ : state) {
        const Session session(file, devices, fullDevice(devices));
        QElapsedTimer clock;
        clock.start();
        const double cpuStart = cpuSeconds();
        auto configuration = Session::open();
        cpu += cpuSeconds() - cpuStart;
        state.SetIterationTime(seconds(clock));
        if (!configuration) {
            state.SkipWithError("the device could not be opened");
            break;
        }
        benchmark::DoNotOptimize(configuration->Lmos().Count());
    }
    state.counters["cpu_ms"] = benchmark::Counter(cpu * 1e3, benchmark::Counter::kAvgIterations);
}
BENCHMARK(openConfiguration)
    ->Args({10, 0})
    ->Args({10000, 0})
    ->Args({300, 0})
    ->Args({300, 1})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// Apply after the window took another set (a parameter file): slots,
// bindings, functions, NV types and CPs change, in one transaction.
void writeConfiguration(benchmark::State &state)
{
    const int devices = onServer(state) ? 300 : 10;
    const QString file = writableLocation(state, devices);
    const auto sets = twoSets(file, devices);
    int round = 0;
    double cpu = 0.0;
    for (auto _ : state) {
        // The device holds the set of the previous round: put the other one.
        const Session session(file, devices, fullDevice(devices));
        auto configuration = Session::open();
        configuration->PutSet(sets.at(static_cast<size_t>(++round % 2)));
        QElapsedTimer clock;
        clock.start();
        const double cpuStart = cpuSeconds();
        const bool written = configuration->WriteSettings();
        // Back in the event loop, which flushes what the write committed.
        QCoreApplication::processEvents();
        cpu += cpuSeconds() - cpuStart;
        state.SetIterationTime(seconds(clock));
        if (!written) {
            state.SkipWithError("the write failed");
            break;
        }
    }
    state.counters["cpu_ms"] = benchmark::Counter(cpu * 1e3, benchmark::Counter::kAvgIterations);
}
BENCHMARK(writeConfiguration)->Args({0, 0})->Args({0, 1})->UseManualTime()->Unit(benchmark::kMillisecond);

// The scripted choice of the copy, which notes when the search ended and how
// many devices it chose.
class TimedSelection : public ScriptedDeviceSelection
{
public:
    TimedSelection(QStringList names, const QElapsedTimer &clock, double &searchSeconds, qsizetype &chosen)
        : ScriptedDeviceSelection(std::move(names)), m_clock(clock), m_searchSeconds(searchSeconds),
          m_chosen(chosen)
    {
    }
    QList<LnsRef<LnsAppDevice>> chooseDevices(const LnsRef<LnsNetwork> &network,
                                              const LnsRef<LnsSystem> &system,
                                              const LnsRef<LnsAppDevice> &current,
                                              const UtilityComponent &description, QWidget *parent) override
    {
        const auto devices =
            ScriptedDeviceSelection::chooseDevices(network, system, current, description, parent);
        m_searchSeconds = seconds(m_clock);
        m_chosen = devices.size();
        return devices;
    }

private:
    const QElapsedTimer &m_clock;
    double &m_searchSeconds;
    qsizetype &m_chosen;
};

// Copying a set to n devices of a network of 1,500, found by the search.
// The targets are the first devices that answer and do not hold the first
// round's set already. per_device leaves the search out; search is its share
// of one copy.
void copyConfiguration(benchmark::State &state)
{
    const int targets = static_cast<int>(state.range(0));
    const int devices = onServer(state) ? 300 : 1500;
    const QString file = writableLocation(state, devices);
    const std::array<int, 2> sources{fullDevice(devices), partialDevice(devices)};
    QStringList names;
    for (int i = 0; i < devices && names.size() < targets; ++i) {
        if (usable(i) && i % 4 != 2 && i != sources.at(1))
            names << NetworkGenerator::deviceName(i);
    }
    if (names.size() < targets) {
        state.SkipWithError("the network holds too few targets");
        return;
    }
    QElapsedTimer clock;
    double search = 0.0;
    qsizetype chosen = 0;
    MultiDeviceSelection::setFactory(
        [&] { return std::make_unique<TimedSelection>(names, clock, search, chosen); });
    double searchTotal = 0.0;
    double copyTotal = 0.0;
    double cpu = 0.0;
    int round = 0;
    for (auto _ : state) {
        // The targets hold the other source's set from the previous round
        // (the generated states before the first).
        const Session session(file, devices, sources.at(static_cast<size_t>(round++ % 2)));
        auto configuration = Session::open();
        clock.start();
        const double cpuStart = cpuSeconds();
        configuration->WriteParametersEx();
        QCoreApplication::processEvents();
        cpu += cpuSeconds() - cpuStart;
        const double total = seconds(clock);
        state.SetIterationTime(total);
        if (chosen != targets || LogService::instance().ErrorLogged()) {
            state.SkipWithError("not every target was written");
            break;
        }
        searchTotal += search;
        copyTotal += total - search;
    }
    MultiDeviceSelection::setFactory({});
    const double rounds = std::max(1, round);
    state.counters["per_device_ms"] = copyTotal / rounds / targets * 1e3;
    state.counters["search_ms"] = searchTotal / rounds * 1e3;
    state.counters["cpu_per_device_ms"] = cpu / rounds / targets * 1e3;
}
BENCHMARK(copyConfiguration)->Args({10, 0})->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(copyConfiguration)->Args({100, 0})->Iterations(4)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(copyConfiguration)->Args({100, 1})->Iterations(4)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(copyConfiguration)->Args({1000, 0})->Iterations(2)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    BenchNetwork::dropServerNetworks();
    return 0;
}
