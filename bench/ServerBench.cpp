// A team on one server: how many device writes the server takes from eight
// engineers at once against one alone, and how soon another client hears of
// a commit.
//
// A write here is what the plug-in's write does to the database: in one
// transaction, the device locked, every CP of its channel objects written
// with bytes it does not hold yet, and a history entry recorded.
#include "BenchNetwork.h"
#include "platform/lns/LnsAppDevice.h"
#include "platform/lns/LnsConfigProperty.h"
#include "platform/lns/LnsLonMarkObject.h"
#include "platform/lns/LnsNetwork.h"
#include "platform/lns/LnsSystem.h"
#include "platform/netdb/NetDbServerNotices.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <atomic>
#include <benchmark/benchmark.h>

namespace {

using BenchNetwork::kNetwork;
constexpr int kDevices = 40;
constexpr int kWritesPerWriter = 40;

// The value text of n bytes counting up from first.
QString hexBytes(int n, int first)
{
    QStringList bytes;
    for (int b = 0; b < n; ++b)
        bytes << QStringLiteral("%1").arg((first + b) % 200, 2, 16, QLatin1Char('0')).toUpper();
    return bytes.join(QLatin1Char(' '));
}

// Writes device i of the network `rounds` times; false when one failed.
bool writeDevice(const QString &location, int i, int rounds)
{
    try {
        NetworkDatabase db(location);
        db.connectServer(0);
        const LnsRef<LnsSystem> system = db.openNetwork(kNetwork, false)->system();
        const LnsRef<LnsAppDevice> device = db.device(
            kNetwork,
            NetworkGenerator::devicePath(i, kDevices, NetworkGenerator::defaultSubsystems(kDevices)),
            NetworkGenerator::deviceName(i));
        for (int round = 0; round < rounds; ++round) {
            system->startTransaction();
            const LnsHistoryEntry last = device->lastWrite();
            const auto objects = device->lonMarkObjects();
            for (int k = 1; k <= objects->count(); ++k) {
                const auto cps = objects->item(k)->configProperties();
                for (int c = 1; c <= cps->count(); ++c) {
                    const LnsRef<LnsConfigProperty> cp = cps->item(c);
                    cp->setValue(hexBytes(cp->elementLength() * cp->dimension(), round + k + c));
                }
            }
            LnsHistoryEntry entry;
            entry.when = QDateTime::currentDateTimeUtc();
            entry.user = QStringLiteral("bench");
            entry.host = QStringLiteral("bench");
            entry.program = QStringLiteral("ServerBench");
            entry.before = QString::number(last.number);
            entry.after = QString::number(last.number + 1) + QStringLiteral("-%1").arg(i);
            device->recordHistory(entry, 100);
            system->commitTransaction();
        }
        return true;
    } catch (const std::exception &error) {
        std::fprintf(stderr, "writer %d: %s\n", i, error.what());
        return false;
    }
}

int writerDevice(int writer)
{
    int found = -1;
    for (int i = 0; i < kDevices; ++i) {
        if (!NetworkGenerator::isOtherKind(i) && ++found == writer)
            return i;
    }
    return 0;
}

// Writes per second of all writers together.
void writers(benchmark::State &state)
{
    const int count = static_cast<int>(state.range(0));
    const QString location = BenchNetwork::serverNetwork(kDevices);
    double total = 0.0;
    for (auto _ : state) {
        std::atomic<int> failed{0};
        std::vector<QThread *> threads;
        for (int w = 0; w < count; ++w) {
            threads.push_back(QThread::create([&, w] {
                if (!writeDevice(location, writerDevice(w), kWritesPerWriter))
                    ++failed;
            }));
        }
        QElapsedTimer clock;
        clock.start();
        for (QThread *thread : threads)
            thread->start();
        for (QThread *thread : threads) {
            thread->wait();
            delete thread;
        }
        const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        state.SetIterationTime(seconds);
        total += count * kWritesPerWriter / seconds;
        if (failed > 0) {
            state.SkipWithError("a write failed");
            break;
        }
    }
    state.counters["writes_per_s"] = benchmark::Counter(total, benchmark::Counter::kAvgIterations);
}
BENCHMARK(writers)->Arg(1)->Arg(8)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

// From the start of one client's write (an update committed on its own)
// until another client's event loop has the notification of its commit.
void notificationDelay(benchmark::State &state)
{
    const QString location = BenchNetwork::serverNetwork(kDevices);
    NetworkDatabase writer(location);
    writer.connectServer(0);
    const LnsRef<LnsConfigProperty> cp =
        writer
            .device(kNetwork,
                    NetworkGenerator::devicePath(0, kDevices, NetworkGenerator::defaultSubsystems(kDevices)),
                    NetworkGenerator::deviceName(0))
            ->configProperties()
            ->item(1);
    QSqlDatabase listener = PgTestServer::open(location, QStringLiteral("listener"));
    NetDbServerNotices notices;
    notices.attach(listener);
    QElapsedTimer clock;
    qint64 heardAt = -1;
    notices.setHandler([&] { heardAt = clock.nsecsElapsed(); });
    int round = 0;
    for (auto _ : state) {
        heardAt = -1;
        clock.start();
        cp->setValue(hexBytes(cp->elementLength() * cp->dimension(), ++round));
        while (heardAt < 0 && clock.elapsed() < 2000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        if (heardAt < 0) {
            state.SkipWithError("no notification within 2 s");
            break;
        }
        state.SetIterationTime(static_cast<double>(heardAt) / 1e9);
    }
    notices.detach();
    listener.close();
}
BENCHMARK(notificationDelay)->Iterations(50)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    BenchNetwork::dropServerNetworks();
    return 0;
}
