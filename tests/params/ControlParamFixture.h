#pragma once

#include "platform/AppError.h"
#include "platform/lns/LnsNetwork.h"
#include "platform/netdb/DeviceInterfaceFile.h"
#include "platform/netdb/NetworkDatabase.h"
#include "platform/services/MessageBox.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

// An RX24 device "RX1" in network "Plant" of a fresh network database, reached
// through the object-server interface as the plug-in reaches it. Message
// boxes are recorded, not shown.
class ControlParamFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        db = std::make_unique<NetworkDatabase>(dir.filePath(QStringLiteral("networks.lnsdb")));
        db->connectServer(0);
        db->createNetwork(QStringLiteral("Plant"));
        db->addDevice(QStringLiteral("Plant"), QStringLiteral("Plant.Floor1"), QStringLiteral("RX1"),
                      DeviceInterfaceFile::parse(QStringLiteral(RX24_SOURCE_DIR "/resources/data/RX24.xif")));
        LnsObjectServer &server = *db;
        network = server.openNetwork(QStringLiteral("Plant"), false);
        device = network->system()
                     ->subsystems()
                     ->item(QStringLiteral("Floor1"))
                     ->appDevices()
                     ->item(QStringLiteral("RX1"));
        MessageBox::setTestMode(true);
        MessageBox::clearTestRecord();
    }

    void TearDown() override { MessageBox::clearTestRecord(); }

    // CP `name` of channel object `channel` (1 = first channel object).
    LnsRef<LnsConfigProperty> channelCp(const QString &name, int channel = 1) const
    {
        return device->lonMarkObjects()->item(channel + 1)->configProperties()->item(name);
    }

    static QString rawOf(const LnsRef<LnsConfigProperty> &cp)
    {
        const QString format = cp->valueFormat();
        cp->setValueFormat(QStringLiteral("RAW"));
        const QString value = cp->value();
        cp->setValueFormat(format);
        return value;
    }

    static void setRaw(const LnsRef<LnsConfigProperty> &cp, const QString &raw)
    {
        const QString format = cp->valueFormat();
        cp->setValueFormat(QStringLiteral("RAW"));
        cp->setValue(raw);
        cp->setValueFormat(format);
    }

    QTemporaryDir dir;
    std::unique_ptr<NetworkDatabase> db;
    LnsRef<LnsNetwork> network;
    LnsRef<LnsAppDevice> device;
};

// The error an operation raised, or number 0 when it raised none.
struct RaisedError
{
    long number = 0;
    QString source;
    QString description;
};

template <class F> RaisedError raisedBy(F &&call)
{
    try {
        call();
    } catch (const AppError &error) {
        return {error.number(), error.source(), error.description()};
    }
    return {};
}
