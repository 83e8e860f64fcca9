// The search of the device selection over a project of 10,000 devices in
// 100 subsystems: the search alone, the search filling the shown window, and
// for comparison the walk through the object server's collections that the
// search avoids.
#include "platform/netdb/DeviceInterfaceFile.h"
#include "platform/netdb/NetworkDatabase.h"
#include "platform/services/DeviceSearch.h"
#include "platform/services/MultiDeviceSelectionDialog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>

namespace {
constexpr int kDevices = 10000;
constexpr int kSubsystems = 100;
const QString kNetwork = QStringLiteral("Big");
const QString kOwnId = QStringLiteral("9000A5E018040100");

struct Project
{
    QTemporaryDir dir;
    NetworkDatabase db{dir.filePath(QStringLiteral("big.lnsdb")), NetworkDatabase::OpenMode::Create};
    LnsRef<LnsNetwork> network;
    LnsRef<LnsAppDevice> current;

    Project()
    {
        db.connectServer(0);
        const auto make = [](const char *id) {
            return DeviceInterfaceFile::parseText(
                QStringLiteral("ProgramId %1\nObject Node profile=0\n  NV nviRequest type=92 allowed=92\n")
                    .arg(QLatin1String(id)),
                QStringLiteral("bench.xif"));
        };
        const DeviceInterface own = make("9000A5E018040100"), other = make("9000A5E018050100");
        db.atomically([&] {
            db.createNetwork(kNetwork, QStringLiteral("LNS System"));
            for (int i = 0; i < kDevices; ++i) {
                const QString path = QStringLiteral("LNS System.Floor %1").arg(i % kSubsystems);
                if (i < kSubsystems)
                    db.createSubsystem(kNetwork, path);
                db.addDevice(kNetwork, path, QStringLiteral("RX %1").arg(i), i % 5 == 0 ? other : own);
            }
        });
        network = db.openNetwork(kNetwork, false);
        current = db.device(kNetwork, QStringLiteral("LNS System.Floor 1"), QStringLiteral("RX 1"));
    }
};

Project &project()
{
    static Project p;
    return p;
}

void searchOnly(benchmark::State &state)
{
    Project &p = project();
    qsizetype found = 0;
    for (auto _ : state) {
        DeviceSearch search(p.network, {kOwnId}, p.current);
        search.runToEnd();
        found = search.candidates().size();
    }
    state.counters["found"] = static_cast<double>(found);
}
BENCHMARK(searchOnly)->Unit(benchmark::kMillisecond);

// The search as the user sees it: steps on the event loop while the window
// is shown and fills. longest_step_ms is the longest time the window went
// without handling its events.
void searchInWindow(benchmark::State &state)
{
    Project &p = project();
    double longest = 0;
    int steps = 0;
    for (auto _ : state) {
        MultiDeviceSelectionDialog dialog{MultiDeviceSelectionTexts()};
        dialog.show();
        QApplication::processEvents();
        DeviceSearch search(p.network, {kOwnId}, p.current);
        QObject::connect(&search, &DeviceSearch::found, &dialog, &MultiDeviceSelectionDialog::addCandidates);
        QObject::connect(&search, &DeviceSearch::progress, &dialog, &MultiDeviceSelectionDialog::setProgress);
        QEventLoop loop;
        QObject::connect(&search, &DeviceSearch::finished, &loop, &QEventLoop::quit);
        QElapsedTimer step;
        QObject::connect(&search, &DeviceSearch::progress, [&] {
            longest = std::max(longest, step.nsecsElapsed() / 1e6);
            ++steps;
        });
        // A zero timer of the loop's own marks each turn of the event loop.
        QTimer turn;
        turn.setInterval(0);
        QObject::connect(&turn, &QTimer::timeout, [&] { step.restart(); });
        turn.start();
        step.start();
        search.start();
        loop.exec();
        turn.stop();
        benchmark::DoNotOptimize(dialog.chosen().size());
    }
    state.counters["longest_step_ms"] = longest;
    state.counters["steps"] = static_cast<double>(steps) / static_cast<double>(state.iterations());
}
BENCHMARK(searchInWindow)->Unit(benchmark::kMillisecond);

// What the search would cost through the collections: each subsystem's
// devices, each asked for its program id, name and state.
void walkCollections(benchmark::State &state)
{
    Project &p = project();
    int found = 0;
    for (auto _ : state) {
        found = 0;
        auto subsystems = p.network->system()->subsystems();
        for (int s = 1; s <= subsystems->count(); ++s) {
            auto devices = subsystems->item(s)->appDevices();
            for (int d = 1; d <= devices->count(); ++d) {
                auto device = devices->item(d);
                if (device->programId() != kOwnId)
                    continue;
                benchmark::DoNotOptimize(device->name());
                try {
                    device->test(4);
                } catch (...) {
                }
                ++found;
            }
        }
    }
    state.counters["found"] = found;
}
BENCHMARK(walkCollections)->Unit(benchmark::kMillisecond)->Iterations(3);
} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
