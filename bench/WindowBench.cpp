// The window as the user waits for it: from the start of the plug-in's run
// (command line, connection, reading the device, building and showing the
// window) to "Ready.", and switching to a module page of 16 channel rows.
// BM_ProcessStartAndEnd adds what a process start costs before that (loading
// the program and Qt, the application object); the program started without
// arguments shows its About text and ends.
#include "DemoNetwork.h"
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

void BM_ProcessStartAndEnd(benchmark::State &state)
{
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/tarvinaRX24");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // Offscreen the About text goes to standard output and the program ends.
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    for (auto _ : state) {
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(program, {});
        if (!process.waitForFinished(10000) || process.exitCode() != 0) {
            state.SkipWithError("tarvinaRX24 did not start and end");
            break;
        }
    }
}
BENCHMARK(BM_ProcessStartAndEnd)->Unit(benchmark::kMillisecond);

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
