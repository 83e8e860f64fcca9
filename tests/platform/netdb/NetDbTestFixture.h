#pragma once

#include "platform/lns/LnsError.h"
#include "platform/netdb/DeviceInterfaceFile.h"
#include "platform/netdb/NetworkDatabase.h"
#include "support/NetDbEngines.h"

#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

// A device with a node object, two channel objects with NVs and CPs (one an
// array CP, one a CP of an NV) and one device CP.
inline const QString kTestInterface = QStringLiteral("ProgramId 9000a5e018040100\n"
                                                     "Model TestDevice\n"
                                                     "DeviceCP DeviceModules length=8 default=255\n"
                                                     "Object Node profile=0\n"
                                                     "  NV nviRequest type=92 allowed=92\n"
                                                     "Object Channel%n profile=24000 count=2\n"
                                                     "  NV PrimeValue type=95 allowed=95,81 value=0.0_0\n"
                                                     "  NV Output type=81 allowed=81,95\n"
                                                     "  CP FptIndex length=2 default=255,255\n"
                                                     "  CP Scenes length=2 dim=3 default=1,2,3,4,5,6\n"
                                                     "  CP MinSend length=1 default=7 nv=Output\n");

inline long lnsErrorNumber(const std::function<void()> &call)
{
    try {
        call();
    } catch (const LnsError &error) {
        return error.number();
    }
    return 0;
}

inline QString lnsErrorText(const std::function<void()> &call)
{
    try {
        call();
    } catch (const LnsError &error) {
        return error.description();
    }
    return {};
}

// A database with network "Plant" (system "Plant"), subsystem "Plant.Floor1"
// and the device "RX1" of the test interface: a file, or a schema of its own
// on the test server.
class NetDbTestFixture : public ::testing::TestWithParam<NetDbEngineKind>
{
protected:
    bool onServer() const { return GetParam() == NetDbEngineKind::Server; }

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        if (onServer()) {
            schema = std::make_unique<PgTestSchema>(QStringLiteral("netdb"));
            path = schema->uri();
        } else {
            path = dir.filePath(QStringLiteral("networks.lnsdb"));
        }
        db = std::make_unique<NetworkDatabase>(path, NetworkDatabase::OpenMode::Create);
        db->connectServer(0);
        db->createNetwork(QStringLiteral("Plant"));
        db->addDevice(QStringLiteral("Plant"), QStringLiteral("Plant.Floor1"), QStringLiteral("RX1"),
                      DeviceInterfaceFile::parseText(kTestInterface, QStringLiteral("test.xif")));
    }

    std::unique_ptr<NetworkDatabase> openSecond() const
    {
        auto second = std::make_unique<NetworkDatabase>(path);
        second->connectServer(0);
        return second;
    }

    static LnsRef<LnsAppDevice> deviceOf(NetworkDatabase &database)
    {
        return database.device(QStringLiteral("Plant"), QStringLiteral("Plant.Floor1"),
                               QStringLiteral("RX1"));
    }
    LnsRef<LnsAppDevice> device() const { return deviceOf(*db); }
    LnsRef<LnsLonMarkObject> channel(int n) const { return device()->lonMarkObjects()->item(n + 1); }
    LnsRef<LnsConfigProperty> scenes(int n = 1) const
    {
        return channel(n)->configProperties()->item(QStringLiteral("Scenes"));
    }
    LnsRef<LnsNetworkVariable> primeValue(int n = 1) const
    {
        return channel(n)->networkVariables()->item(QStringLiteral("PrimeValue"));
    }
    LnsRef<LnsSystem> system() const { return db->openNetwork(QStringLiteral("Plant"), false)->system(); }

    void TearDown() override
    {
        db.reset(); // before its schema goes
    }

    QTemporaryDir dir;
    std::unique_ptr<PgTestSchema> schema;
    QString path; // the file, or the server URI
    std::unique_ptr<NetworkDatabase> db;
};
