// The batch tool as an integrator runs it over a big project: applying a
// set to 1,000 devices, checking 1,000 and 10,000 devices against a
// reference, and what keeping the history costs a write.
//
// Wall time of first passes: every run is a new process state (a new
// connection to the network database, nothing read kept), and every apply
// puts a set the targets do not hold yet (two sets take turns), so each
// target really writes. Peak memory is the process's high-water mark,
// reset before each run.
#include "BenchNetwork.h"
#include "Rx24CfgTool.h"
#include "batch/SetDifference.h"
#include "host/PlugInGlobals.h"
#include "params/LogService.h"
#include "platform/services/MessageBox.h"
#include "workflows/WriteHistory.h"
#include "workflows/cConfiguration.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

using BenchNetwork::kNetwork;

double seconds(const QElapsedTimer &clock)
{
    return static_cast<double>(clock.nsecsElapsed()) / 1e9;
}

// The peak resident memory since the last reset, in MB.
double peakMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0.0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0.0;
}

void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

int runTool(const QStringList &args)
{
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    Rx24CfgTool tool(outStream, errStream);
    return tool.run(args);
}

// The subsystems that hold the first `devices` devices of a generated network.
QStringList subsystemsOf(int devices, int networkDevices)
{
    QStringList names;
    const int subsystems = NetworkGenerator::defaultSubsystems(networkDevices);
    for (int k = 0; k < subsystems && names.size() * NetworkGenerator::DevicesPerSubsystem < devices; ++k)
        names << kNetwork + QLatin1Char('/') + NetworkGenerator::subsystemPath(k);
    return names;
}

// Two parameter files of the network: a fully and a partly configured device.
QStringList twoFiles(const QString &db, int networkDevices, const QTemporaryDir &dir)
{
    QStringList files;
    const int subsystems = NetworkGenerator::defaultSubsystems(networkDevices);
    for (int i : {2, 5}) {
        const QString file = dir.filePath(QStringLiteral("set-%1.dat").arg(i));
        const QString device = kNetwork + QLatin1Char('/') +
                               NetworkGenerator::devicePath(i, networkDevices, subsystems) +
                               QLatin1Char('/') + NetworkGenerator::deviceName(i);
        runTool({QStringLiteral("--db"), db, QStringLiteral("export"), device, file});
        files << file;
    }
    return files;
}

// rx24cfg apply to the 1,000 devices of 20 subsystems of a 1,500-device network.
void applyToDevices(benchmark::State &state)
{
    const int targets = static_cast<int>(state.range(0));
    const int devices = 1500;
    const QString db = BenchNetwork::writableCopy(devices);
    const QTemporaryDir dir;
    const QStringList files = twoFiles(db, devices, dir);
    const QStringList subsystems = subsystemsOf(targets, devices);
    int round = 0;
    double total = 0.0;
    for (auto _ : state) {
        QStringList args{QStringLiteral("--db"), db, QStringLiteral("apply"), files.at(round++ % 2)};
        args += subsystems;
        QElapsedTimer clock;
        clock.start();
        const int status = runTool(args);
        total += seconds(clock);
        state.SetIterationTime(seconds(clock));
        // Two of every 50 are unreachable or of another kind: status 2.
        if (status != Rx24CfgTool::NotAllWritten && status != Rx24CfgTool::Ok) {
            state.SkipWithError("the apply failed");
            break;
        }
    }
    state.counters["per_device_ms"] = total / std::max(1, round) / targets * 1e3;
}
BENCHMARK(applyToDevices)->Arg(1000)->Iterations(2)->UseManualTime()->Unit(benchmark::kMillisecond);

// rx24cfg conformance over the first n devices of a 10,000-device network.
void conformance(benchmark::State &state)
{
    const int targets = static_cast<int>(state.range(0));
    const int devices = 10000;
    const QString db = BenchNetwork::networkFile(devices);
    const QTemporaryDir dir;
    const QString reference = twoFiles(db, devices, dir).first();
    const QStringList subsystems = subsystemsOf(targets, devices);
    double peak = 0.0;
    for (auto _ : state) {
        QStringList args{QStringLiteral("--db"), db, QStringLiteral("conformance"),
                         QStringLiteral("--reference"), reference};
        args += subsystems;
        resetPeak();
        QElapsedTimer clock;
        clock.start();
        runTool(args);
        state.SetIterationTime(seconds(clock));
        peak = std::max(peak, peakMegabytes());
    }
    state.counters["peak_MB"] = peak;
}
BENCHMARK(conformance)->Arg(1000)->Arg(10000)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

// What the history adds to one write: the set written taken from the model,
// worded against the set before, and both stored, inside the write's
// transaction. The device held a partly configured set; the write puts a
// fully configured one, as a parameter file would.
void historyOfAWrite(benchmark::State &state)
{
    const int devices = 10;
    const QString db = BenchNetwork::writableCopy(devices);
    NetworkDatabase database(db);
    database.connectServer(0);
    LnsSession &s = PlugInGlobals::Session;
    PlugInGlobals::Utility = std::make_unique<UtilityComponent>(QCoreApplication::applicationDirPath() +
                                                                QStringLiteral("/tarvinaRX24.ini"));
    s.network = database.openNetwork(kNetwork, false);
    s.system = s.network->system();
    const QString templateFile = QCoreApplication::applicationDirPath() + QStringLiteral("/RX24.ini");
    ConfigurationSet full;
    {
        cConfiguration other(database.device(kNetwork, NetworkGenerator::devicePath(2, devices, 1),
                                             NetworkGenerator::deviceName(2)),
                             templateFile);
        other.Open();
        full = other.TakeSet();
    }
    s.device = database.device(kNetwork, NetworkGenerator::devicePath(1, devices, 1),
                               NetworkGenerator::deviceName(1));
    s.lonMarkObjects = s.device->lonMarkObjects();
    cConfiguration configuration(templateFile);
    configuration.Open();
    configuration.PutSet(full);
    configuration.PrepareDefaults();
    for (auto _ : state) {
        s.system->startTransaction();
        QElapsedTimer clock;
        clock.start();
        WriteHistory::record(*s.device, configuration.ReadSet(), configuration.TakeSet());
        state.SetIterationTime(seconds(clock));
        s.system->cancelTransaction();
    }
    PlugInGlobals::Session.clear();
    PlugInGlobals::Utility.reset();
}
BENCHMARK(historyOfAWrite)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    MessageBox::setTestMode(true);
    // The history's line in words, as both programs write it.
    SetDifference::summariseHistory();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
