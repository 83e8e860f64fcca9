#pragma once

// Generated networks for the benchmarks: small ones in a temporary folder,
// big ones generated once into $RX24_BENCH_CACHE (default
// ~/.cache/rx24-bench) and reused by later runs; benchmarks that write get
// a copy of their own.
#include "director/NetworkGenerator.h"
#include "platform/AppError.h"
#include "platform/netdb/NetworkDatabase.h"
#include "support/PgTestServer.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>
#include <map>
#include <memory>

namespace BenchNetwork {

inline const QString kNetwork = QStringLiteral("Big");

// A file holding the generated network "Big" of `devices` devices.
// cached false: always a fresh file of this process, for benchmarks that write.
inline QString networkFile(int devices, bool cached = true)
{
    static QTemporaryDir small;
    QString folder = small.path();
    if (devices > 100 && cached) {
        folder = qEnvironmentVariable("RX24_BENCH_CACHE");
        if (folder.isEmpty())
            folder = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
                     QStringLiteral("/rx24-bench");
    }
    QDir().mkpath(folder);
    const QString path = folder + QStringLiteral("/network-%1.lnsdb").arg(devices);
    if (QFile::exists(path)) {
        try {
            NetworkDatabase db(path);
            db.connectServer(0);
            const int last = devices - 1;
            db.device(
                kNetwork,
                NetworkGenerator::devicePath(last, devices, NetworkGenerator::defaultSubsystems(devices)),
                NetworkGenerator::deviceName(last));
            return path;
        } catch (const AppError &) {
            // an interrupted generation: start afresh
        }
        for (const QString &suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
            QFile::remove(path + suffix);
    }
    std::fprintf(stderr, "Generating a network of %d devices in %s ...\n", devices, qPrintable(path));
    NetworkDatabase db(path, NetworkDatabase::OpenMode::Create);
    db.connectServer(0);
    const auto summary = NetworkGenerator(db).generate({kNetwork, devices, 0, {}, {}});
    std::fprintf(stderr, "... done in %lld ms\n", static_cast<long long>(summary.milliseconds));
    return path;
}

// A copy of the network of `devices` devices in a temporary folder of this
// process, for benchmarks that write.
inline QString writableCopy(int devices)
{
    static QTemporaryDir copies;
    const QString source = networkFile(devices, devices > 100);
    const QString copy = copies.filePath(QStringLiteral("network-%1.lnsdb").arg(devices));
    QFile::remove(copy);
    for (const QString &suffix : {QStringLiteral("-wal"), QStringLiteral("-shm")})
        QFile::remove(copy + suffix);
    if (!QFile::copy(source, copy))
        throw AppError(75, QStringLiteral("BenchNetwork"), QStringLiteral("cannot copy ") + source);
    return copy;
}

// The generated network "Big" of `devices` devices in a schema of its own
// on the throw-away test server (started when none runs: stop it with
// scripts/pg-test-server.sh stop <build>/pgtest), generated once per process.
// RX24_BENCH_SSLMODE (default "disable": the server on this machine) asks for
// another encryption.
inline std::map<int, std::unique_ptr<PgTestSchema>> &serverSchemas()
{
    static std::map<int, std::unique_ptr<PgTestSchema>> schemas;
    return schemas;
}

// Drops the server networks; before the application object goes, which the
// server's driver needs.
inline void dropServerNetworks()
{
    serverSchemas().clear();
}

inline QString serverNetwork(int devices)
{
    auto &schema = serverSchemas()[devices];
    if (!schema) {
        schema = std::make_unique<PgTestSchema>(QStringLiteral("bench%1").arg(devices));
        std::fprintf(stderr, "Generating a network of %d devices on the server ...\n", devices);
        NetworkDatabase db(schema->uri(), NetworkDatabase::OpenMode::Create);
        db.connectServer(0);
        const auto summary = NetworkGenerator(db).generate({kNetwork, devices, 0, {}, {}});
        std::fprintf(stderr, "... done in %lld ms\n", static_cast<long long>(summary.milliseconds));
    }
    const QString mode = qEnvironmentVariable("RX24_BENCH_SSLMODE", QStringLiteral("disable"));
    return schema->uri() + QStringLiteral("&sslmode=") + mode;
}

} // namespace BenchNetwork
