// Reading every CP of one controller in RAW, as the plug-in does when it
// fetches a device: 16 channel objects with 30 CPs each.
#include "platform/netdb/DeviceInterfaceFile.h"
#include "platform/netdb/NetworkDatabase.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
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

void readAllCpsRaw(benchmark::State &state)
{
    QTemporaryDir dir;
    NetworkDatabase db(dir.filePath(QStringLiteral("bench.lnsdb")), NetworkDatabase::OpenMode::Create);
    db.connectServer(0);
    db.createNetwork(QStringLiteral("Bench"));
    db.addDevice(QStringLiteral("Bench"), QStringLiteral("Bench.Sub"), QStringLiteral("RX"),
                 DeviceInterfaceFile::parseText(benchInterface(), QStringLiteral("bench.xif")));
    auto device = db.device(QStringLiteral("Bench"), QStringLiteral("Bench.Sub"), QStringLiteral("RX"));
    for (auto _ : state) {
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
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(readAllCpsRaw)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
