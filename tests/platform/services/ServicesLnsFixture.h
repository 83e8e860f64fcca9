#pragma once

#include "platform/netdb/DeviceInterfaceFile.h"
#include "platform/netdb/NetworkDatabase.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

// A network database in a temporary folder holding one network:
//   "Building A" / "LNS System" with subsystems "Floor 1" and "Floor 1.Room 12"
//   and the RX24 devices "RX24 Room 12" (in Room 12) and "RX24 Hall" (in Floor 1).
class ServicesLnsFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_server = std::make_unique<NetworkDatabase>(m_dir.filePath(QStringLiteral("net.lnsdb")),
                                                     NetworkDatabase::OpenMode::Create);
        m_server->connectServer(0);
        const DeviceInterface rx24 =
            DeviceInterfaceFile::parse(QStringLiteral(RX24_SOURCE_DIR "/resources/data/RX24.xif"));
        m_server->createNetwork(QStringLiteral("Building A"), QStringLiteral("LNS System"));
        m_server->createSubsystem(QStringLiteral("Building A"), QStringLiteral("LNS System.Floor 1"));
        m_server->createSubsystem(QStringLiteral("Building A"), QStringLiteral("LNS System.Floor 1.Room 12"));
        m_server->addDevice(QStringLiteral("Building A"), QStringLiteral("LNS System.Floor 1.Room 12"),
                            QStringLiteral("RX24 Room 12"), rx24);
        m_server->addDevice(QStringLiteral("Building A"), QStringLiteral("LNS System.Floor 1"),
                            QStringLiteral("RX24 Hall"), rx24);
        m_server->disconnectServer();
    }

    static QString dataFile(const char *name)
    {
        return QStringLiteral(RX24_SOURCE_DIR "/resources/data/") + QString::fromLatin1(name);
    }

    QTemporaryDir m_dir;
    std::unique_ptr<NetworkDatabase> m_server;
};
