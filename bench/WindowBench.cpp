// The window as the user waits for it: from the start of the plug-in's run
// (command line, connection, reading the device, building and showing the
// window) to "Ready.", and switching to a module page of 16 channel rows.
// BM_ProcessStartAndEnd adds what a process start costs before that (loading
// the program and Qt, the application object): the program started without
// arguments shows its About text and ends, beside a Qt Widgets program that
// does nothing else.
#include "director/DemoNetwork.h"
#include "host/PlugInGlobals.h"
#include "host/PlugInMain.h"
#include "host/ServerRegistration.h"
#include "host/ServerRegistrationStore.h"
#include "params/LogService.h"
#include "platform/netdb/NetworkDatabase.h"
#include "platform/services/MessageBox.h"
#include "platform/services/SettingsLocation.h"
#include "template/ParamEnums.h"
#include "ui/frmMain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPixmap>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

const QString Command = QStringLiteral(" /COMMANDID:13 /CLASSID:7 /OBJECTNAME:Demo\\LNS System.Floor 1\\");

// A demo network of this process; "RX24 New" gets a KW16 in slot 1.
class BenchHost
{
public:
    BenchHost()
    {
        MessageBox::setTestMode(true);
        SettingsLocation::setFilePath(m_dir.filePath(QStringLiteral("registry.ini")));
        ServerRegistrationStore::setServicesDir(m_dir.filePath(QStringLiteral("services")));
        ServerRegistration::setExecutable(QCoreApplication::applicationDirPath() +
                                          QStringLiteral("/tarvinaRX24"));
        m_db = std::make_unique<NetworkDatabase>(m_dir.filePath(QStringLiteral("net.lnsdb")),
                                                 NetworkDatabase::OpenMode::Create);
        m_db->connectServer(0);
        DemoNetwork(*m_db).create(DemoNetwork::defaultInterfaceFile());
        const auto slots =
            m_db->device(DemoNetwork::networkName(), DemoNetwork::subsystemPath(), QStringLiteral("RX24 New"))
                ->configProperties()
                ->item(QStringLiteral("DeviceModules"));
        slots->setValueFormat(QStringLiteral("RAW"));
        slots->setValue(QStringLiteral("1\t255\t255\t255\t255\t255\t255\t255"));
        m_db->disconnectServer();
    }
    ~BenchHost() { SettingsLocation::setFilePath({}); }

    // The plug-in started on device as the program starts it.
    std::unique_ptr<frmMain> open(const QString &device)
    {
        PlugInGlobals::Reset();
        LogService::reset();
        PlugInGlobals::ProgramFolderOverride = QCoreApplication::applicationDirPath();
        PlugInGlobals::ObjectServerOverride = m_db.get();
        auto window = std::make_unique<frmMain>();
        PlugInGlobals::MainWindow = window.get();
        PlugInMain::Main(Command + device);
        return window;
    }
    static bool ready(const frmMain &window)
    {
        const auto *status = window.findChild<QLabel *>(QStringLiteral("lblStatus"));
        return window.IsLoaded() && status && status->text() == QStringLiteral("Ready.");
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<NetworkDatabase> m_db;
};

BenchHost &host()
{
    static BenchHost instance;
    return instance;
}

void BM_StartToReady(benchmark::State &state)
{
    for (auto _ : state) {
        auto window = host().open(QStringLiteral("RX24 Full"));
        // The first paint is part of what the user waits for. grab() paints
        // every widget: offscreen, repaint() of a window nobody sees may not.
        benchmark::DoNotOptimize(window->grab());
        if (!BenchHost::ready(*window)) {
            state.SkipWithError("the window did not reach Ready.");
            break;
        }
        state.PauseTiming();
        window->Unload();
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartToReady)->Unit(benchmark::kMillisecond);

void BM_SwitchToModulePageOf16Rows(benchmark::State &state)
{
    auto window = host().open(QStringLiteral("RX24 New"));
    if (!BenchHost::ready(*window)) {
        state.SkipWithError("the window did not reach Ready.");
        return;
    }
    for (auto _ : state) {
        window->ShowPage(frmMain::FirstModuleKey);
        benchmark::DoNotOptimize(window->grab());
        state.PauseTiming();
        window->ShowPage(frmMain::DeviceKey);
        state.ResumeTiming();
    }
    window->Unload();
}
BENCHMARK(BM_SwitchToModulePageOf16Rows)->Unit(benchmark::kMillisecond);

// The plug-in started without arguments, as its menu entry starts it
// (loading the program and Qt, the About text on standard output, the
// self-registration started, the registration refreshed at the end), until
// it ended; in turn with a Qt Widgets program that does nothing else,
// started the same way, so that both meet the same load of the machine.
// bare_ms is that program's time, ratio the plug-in's over it. The settings
// store and data folder are the benchmark's own and kept from one start to
// the next, as a user's are.
void BM_ProcessStartAndEnd(benchmark::State &state)
{
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // Offscreen the About text goes to standard output and the program ends.
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    const auto run = [&env](const char *name) {
        QProcess process;
        process.setProcessEnvironment(env);
        QElapsedTimer clock;
        clock.start();
        process.start(QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(name), {});
        const bool ended = process.waitForFinished(10000) && process.exitCode() == 0;
        return ended ? static_cast<double>(clock.nsecsElapsed()) / 1e9 : -1.0;
    };
    run("tarvinaRX24"); // the first start writes the registration
    double plugIn = 0.0;
    double bare = 0.0;
    for (auto _ : state) {
        const double own = run("tarvinaRX24");
        const double yardstick = run("BareWidgetsProgram");
        if (own < 0.0 || yardstick < 0.0) {
            state.SkipWithError("a program did not start and end");
            return;
        }
        state.SetIterationTime(own);
        plugIn += own;
        bare += yardstick;
    }
    state.counters["bare_ms"] = benchmark::Counter(bare * 1e3, benchmark::Counter::kAvgIterations);
    state.counters["ratio"] = bare > 0.0 ? plugIn / bare : 0.0;
}
BENCHMARK(BM_ProcessStartAndEnd)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    // Offscreen unless told otherwise (xvfb-run with QT_QPA_PLATFORM=xcb measures a real X server).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
