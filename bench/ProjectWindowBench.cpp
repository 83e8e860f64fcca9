// The project window over a network of 10,000 devices as its user waits for
// it: from the window's making to its table painted, one keystroke in the
// filter box with the table painted again, and the memory the process holds
// with the network shown.
#include "BenchNetwork.h"
#include "platform/services/MessageBox.h"
#include "platform/services/SettingsLocation.h"
#include "project/DeviceFilterModel.h"
#include "project/ProjectTree.h"
#include "project/ProjectWindow.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>
#include <chrono>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int Devices = 10000;

// The process's resident and peak memory in MB, from the kernel's count.
double memoryMb(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0;
}

// Drops the file's pages from the kernel's page cache (no root needed).
void forgetCachedPages(const QString &file)
{
    for (const QString &suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")}) {
        const int fd = ::open(QFile::encodeName(file + suffix).constData(), O_RDONLY);
        if (fd < 0)
            continue;
        ::fdatasync(fd);
        ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
        ::close(fd);
    }
}

void settle(QWidget &window)
{
    // grab() paints every widget: offscreen, a repaint of a window nobody
    // sees may not happen at all.
    QCoreApplication::processEvents();
    benchmark::DoNotOptimize(window.grab());
}

std::unique_ptr<ProjectWindow> openWindow(const QString &file)
{
    auto window = std::make_unique<ProjectWindow>(file);
    window->show();
    window->open();
    settle(*window);
    return window;
}

void BM_ProjectWindowTableShown(benchmark::State &state)
{
    const QString file = BenchNetwork::networkFile(Devices);
    for (auto _ : state) {
        // A window of its own each pass, on a database file no longer in the
        // system's cache: its session reads the network as after a boot.
        forgetCachedPages(file);
        const auto start = std::chrono::steady_clock::now();
        auto window = openWindow(file);
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        if (window->filterModel().rowCount() != Devices) {
            state.SkipWithError("the table does not hold the network");
            break;
        }
    }
    state.counters["rss_MB"] = memoryMb("VmRSS:");
    state.counters["peak_MB"] = memoryMb("VmHWM:");
}
BENCHMARK(BM_ProjectWindowTableShown)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_FilterKeystroke(benchmark::State &state)
{
    auto window = openWindow(BenchNetwork::networkFile(Devices));
    auto *filter = window->findChild<QLineEdit *>(QStringLiteral("deviceFilter"));
    // Typing "rx24 0012" and taking it back, a key at a time: the narrowing
    // and the widening both cost a pass over every row.
    const QString typed = QStringLiteral("rx24 0012");
    int at = 0;
    bool back = false;
    for (auto _ : state) {
        if (back)
            QTest::keyClick(filter, Qt::Key_Backspace);
        else
            QTest::keyClick(filter, typed.at(at).toLatin1());
        settle(*window);
        at += back ? -1 : 1;
        if (at == typed.size() || at == 0)
            back = !back;
    }
    state.counters["rows"] = window->filterModel().rowCount();
}
BENCHMARK(BM_FilterKeystroke)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir settings;
    SettingsLocation::setFilePath(settings.filePath(QStringLiteral("registry.ini")));
    MessageBox::setTestMode(true);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
