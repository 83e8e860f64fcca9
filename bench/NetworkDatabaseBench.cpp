// The network database as the plug-in uses it: reading every CP of one
// controller in RAW (16 channel objects with 30 CPs each), with the rows
// kept and after another client wrote; opening a device in a small and in a
// large network.
//
// The network of 10,000 devices is generated once into
// $RX24_BENCH_CACHE (default ~/.cache/rx24-bench) and reused by later runs.
#include "BenchNetwork.h"
#include "director/NetworkGenerator.h"
#include "platform/lns/LnsError.h"
#include "platform/netdb/DeviceInterfaceFile.h"
#include "platform/netdb/NetworkDatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {
using BenchNetwork::kNetwork;
using BenchNetwork::networkFile;

QString benchInterface()
{
    QString text = QStringLiteral("ProgramId 9000A5E018040100\nObject Node profile=0\n"
                                  "Object Channel%n profile=24000 count=16\n");
    for (int i = 1; i <= 30; ++i)
        text += QStringLiteral("CP Cp%1 length=%2 dim=%3 default=%1\n")
                    .arg(i)
                    .arg(1 + i % 4)
                    .arg(i % 5 == 0 ? 4 : 1);
    return text;
}

qsizetype readAllChannelCpsRaw(const LnsRef<LnsAppDevice> &device)
{
    auto objects = device->lonMarkObjects();
    qsizetype bytes = 0;
    for (int n = 2; n <= objects->count(); ++n) {
        auto cps = objects->item(n)->configProperties();
        for (int i = 1; i <= cps->count(); ++i) {
            auto cp = cps->item(i);
            const QString previous = cp->valueFormat();
            cp->setValueFormat(QStringLiteral("RAW"));
            const int dim = cp->dimension();
            if (dim == 1) {
                bytes += cp->value().size();
            } else {
                for (int k = 0; k < dim; ++k)
                    bytes += cp->elementValue(k).size();
            }
            cp->setValueFormat(previous);
        }
    }
    return bytes;
}

struct CpBench
{
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("bench.lnsdb"));
    NetworkDatabase db{path, NetworkDatabase::OpenMode::Create};
    LnsRef<LnsAppDevice> device;

    CpBench()
    {
        db.connectServer(0);
        db.createNetwork(QStringLiteral("Bench"));
        db.addDevice(QStringLiteral("Bench"), QStringLiteral("Bench.Sub"), QStringLiteral("RX"),
                     DeviceInterfaceFile::parseText(benchInterface(), QStringLiteral("bench.xif")));
        device = db.device(QStringLiteral("Bench"), QStringLiteral("Bench.Sub"), QStringLiteral("RX"));
    }
};

// Read again and again while nobody writes: the kept rows serve.
void readAllCpsRaw(benchmark::State &state)
{
    CpBench bench;
    for (auto _ : state)
        benchmark::DoNotOptimize(readAllChannelCpsRaw(bench.device));
}
BENCHMARK(readAllCpsRaw)->Unit(benchmark::kMillisecond);

// Another client writes one CP before every read: everything is read afresh.
void readAllCpsRawAfterOtherClientWrote(benchmark::State &state)
{
    CpBench bench;
    NetworkDatabase other(bench.path);
    other.connectServer(0);
    auto otherCp = other.device(QStringLiteral("Bench"), QStringLiteral("Bench.Sub"), QStringLiteral("RX"))
                       ->lonMarkObjects()
                       ->item(2)
                       ->configProperties()
                       ->item(1);
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        otherCp->setValue(QStringLiteral("%1 00").arg(++round % 256, 2, 16, QLatin1Char('0')));
        state.ResumeTiming();
        benchmark::DoNotOptimize(readAllChannelCpsRaw(bench.device));
    }
}
BENCHMARK(readAllCpsRawAfterOtherClientWrote)->Unit(benchmark::kMillisecond);

// What the connection start does: connect, open the network, walk the
// subsystem path by name, find the device, test it, list its objects.
void openDevice(benchmark::State &state)
{
    const int devices = static_cast<int>(state.range(0));
    const QString path = networkFile(devices);
    const int middle = devices / 2;
    const QStringList levels =
        NetworkGenerator::devicePath(middle, devices, NetworkGenerator::defaultSubsystems(devices))
            .split(QLatin1Char('.'));
    const QString deviceName = NetworkGenerator::deviceName(middle);
    for (auto _ : state) {
        NetworkDatabase db(path);
        db.connectServer(0);
        auto system = db.openNetwork(kNetwork, false)->system();
        auto level = system->subsystems();
        LnsRef<LnsSubsystem> subsystem;
        for (const QString &name : levels.mid(1)) {
            subsystem = level->item(name);
            level = subsystem->subsystems();
        }
        auto device = subsystem->appDevices()->item(deviceName);
        device->test(4);
        auto objects = device->lonMarkObjects();
        int keys = 0;
        for (int i = 1; i <= objects->count(); ++i)
            keys += objects->item(i)->functionalProfileKey();
        benchmark::DoNotOptimize(keys);
    }
}
BENCHMARK(openDevice)->Arg(10)->Arg(10000)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
