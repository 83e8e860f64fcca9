#pragma once

#include "host/PlugInGlobals.h"
#include "params/CpDefinitions.h"
#include "params/LogService.h"
#include "params/cParams.h"
#include "platform/AppError.h"
#include "platform/lns/LnsError.h"
#include "platform/netdb/DeviceInterfaceFile.h"
#include "platform/netdb/NetworkDatabase.h"
#include "platform/services/MessageBox.h"
#include "platform/services/QX_IniFile.h"
#include "platform/services/QX_Logger.h"
#include "support/DeviceState.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

// A small device beside the RX24: one channel object with a 1-byte CP, a
// 4-byte CP, an array CP of three 2-byte elements and a CP of its second NV.
inline const QString kSmallInterface = QStringLiteral("ProgramId 9000A5E018040100\n"
                                                      "Model Small\n"
                                                      "DeviceCP DeviceModules length=8 default=255\n"
                                                      "Object Node profile=0\n"
                                                      "  NV nviRequest type=92 allowed=92\n"
                                                      "Object Channel%n profile=24000 count=1\n"
                                                      "  NV PrimeValue type=95 allowed=95,81 value=0.0_0\n"
                                                      "  NV SecValue type=95 allowed=95,81 value=0.0_0\n"
                                                      "  NV Output type=81 allowed=81,95\n"
                                                      "  CP Mode length=1 default=200\n"
                                                      "  CP Quad length=4 default=1,2,3,4\n"
                                                      "  CP Triple length=2 dim=3 default=1,2,3,4,5,6\n"
                                                      "  CP OutDelay length=2 default=0,9 nv=Output\n");

// The error an operation raised, or number 0 when it raised none.
struct RaisedError
{
    long number = 0;
    QString source;
    QString description;
};

inline RaisedError raisedBy(const std::function<void()> &call)
{
    try {
        call();
    } catch (const AppError &error) {
        return {error.number(), error.source(), error.description()};
    }
    return {};
}

// An in-memory CP that counts what is asked of it; it can be told to fail.
class FakeConfigProperty : public LnsConfigProperty
{
public:
    FakeConfigProperty(QString name, int elementLength, int dimension, QList<int> bytes)
        : m_name(std::move(name)), m_elementLength(elementLength), m_dimension(dimension),
          m_bytes(std::move(bytes))
    {
    }

    std::shared_ptr<LnsObject> parent() const override { return {}; }
    QString name() const override { return m_name; }
    int elementLength() const override { return m_elementLength; }
    int dimension() const override { return m_dimension; }
    QString valueFormat() const override { return m_format; }
    void setValueFormat(const QString &format) override { m_format = format; }
    QString value() const override
    {
        ++valueReads;
        if (!valueTextOverride.isEmpty())
            return valueTextOverride;
        return text(0, static_cast<int>(m_bytes.size()));
    }
    void setValue(const QString &text) override
    {
        ++valueWrites;
        if (failWrites)
            throw LnsError(LnsErrorCode::InvalidValue, QStringLiteral("refused"));
        store(0, text);
    }
    QString elementValue(int k) const override
    {
        ++elementReads;
        return text(k * m_elementLength, m_elementLength);
    }
    void setElementValue(int k, const QString &text) override
    {
        ++elementWrites;
        if (failWrites)
            throw LnsError(LnsErrorCode::InvalidValue, QStringLiteral("refused"));
        store(k * m_elementLength, text);
    }

    const QList<int> &bytes() const { return m_bytes; }
    void setBytes(const QList<int> &bytes) { m_bytes = bytes; }

    mutable int valueReads = 0;
    mutable int elementReads = 0;
    int valueWrites = 0;
    int elementWrites = 0;
    bool failWrites = false;
    QString valueTextOverride;
    QStringList formatsSeenOnWrite;

private:
    QString text(int from, int count) const
    {
        if (m_format != QStringLiteral("RAW"))
            return QStringLiteral("not raw");
        QStringList pieces;
        for (int i = from; i < from + count; ++i)
            pieces.append(QString::number(m_bytes.at(i)));
        return pieces.join(QLatin1Char('\t'));
    }
    void store(int from, const QString &text)
    {
        formatsSeenOnWrite.append(m_format);
        const QStringList pieces = text.split(QLatin1Char('\t'));
        for (int i = 0; i < pieces.size(); ++i)
            m_bytes[from + i] = pieces.at(i).toInt();
    }

    QString m_name;
    int m_elementLength;
    int m_dimension;
    QList<int> m_bytes;
    QString m_format = QStringLiteral("RAW_HEX");
};

// A transaction bracket that only counts.
class CountingSystem : public LnsSystem
{
public:
    std::shared_ptr<LnsObject> parent() const override { return {}; }
    QString name() const override { return QStringLiteral("Plant"); }
    LnsCollectionRef<LnsSubsystem> subsystems() const override { return {}; }
    void startTransaction() override
    {
        if (refuseStart)
            throw LnsError(LnsErrorCode::TransactionOpen, QStringLiteral("open"));
        ++starts;
        open = true;
    }
    void commitTransaction() override
    {
        ++commits;
        open = false;
    }
    void cancelTransaction() override
    {
        ++cancels;
        open = false;
    }
    bool inTransaction() const override { return open; }
    void prepareDeviceWrite(int) override {}
    void finishDeviceWrite() override {}
    void openMonitorSet() override {}
    void closeMonitorSet() override {}
    bool monitorSetOpen() const override { return false; }

    int starts = 0;
    int commits = 0;
    int cancels = 0;
    bool open = false;
    bool refuseStart = false;
};

// The real system of a network whose commits fail, as a commit does when the
// disk is full; the transaction stays open for the caller to cancel.
class FailingCommitSystem : public LnsSystem
{
public:
    explicit FailingCommitSystem(LnsRef<LnsSystem> inner) : m_inner(std::move(inner)) {}
    std::shared_ptr<LnsObject> parent() const override { return m_inner->parent(); }
    QString name() const override { return m_inner->name(); }
    LnsCollectionRef<LnsSubsystem> subsystems() const override { return m_inner->subsystems(); }
    void startTransaction() override { m_inner->startTransaction(); }
    void commitTransaction() override
    {
        throw LnsError(LnsErrorCode::InvalidValue, QStringLiteral("database or disk is full"));
    }
    void cancelTransaction() override { m_inner->cancelTransaction(); }
    bool inTransaction() const override { return m_inner->inTransaction(); }
    void prepareDeviceWrite(int value) override { m_inner->prepareDeviceWrite(value); }
    void finishDeviceWrite() override { m_inner->finishDeviceWrite(); }
    void openMonitorSet() override { m_inner->openMonitorSet(); }
    void closeMonitorSet() override { m_inner->closeMonitorSet(); }
    bool monitorSetOpen() const override { return m_inner->monitorSetOpen(); }

private:
    LnsRef<LnsSystem> m_inner;
};

// A LonMark object that counts every question asked of it.
class CountingLonMarkObject : public LnsLonMarkObject
{
public:
    explicit CountingLonMarkObject(LnsRef<LnsLonMarkObject> inner) : m_inner(std::move(inner)) {}
    std::shared_ptr<LnsObject> parent() const override { return m_inner->parent(); }
    QString name() const override { return m_inner->name(); }
    void setName(const QString &name) override { m_inner->setName(name); }
    int functionalProfileKey() const override { return m_inner->functionalProfileKey(); }
    LnsCollectionRef<LnsConfigProperty> configProperties() const override
    {
        ++calls;
        return m_inner->configProperties();
    }
    LnsCollectionRef<LnsNetworkVariable> networkVariables() const override
    {
        ++calls;
        return m_inner->networkVariables();
    }
    mutable int calls = 0;

private:
    LnsRef<LnsLonMarkObject> m_inner;
};

// The network "Plant" with the RX24 "RX1" (from the shipped device interface)
// and the small device "S1", the shipped plug-in description file, and a
// fresh log. Message boxes are recorded, not shown.
class ParamsDbFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        db = std::make_unique<NetworkDatabase>(dir.filePath(QStringLiteral("networks.lnsdb")),
                                               NetworkDatabase::OpenMode::Create);
        db->connectServer(0);
        db->createNetwork(QStringLiteral("Plant"));
        db->addDevice(QStringLiteral("Plant"), QStringLiteral("Plant.Floor1"), QStringLiteral("RX1"),
                      DeviceInterfaceFile::parse(QStringLiteral(RX24_SOURCE_DIR "/resources/data/RX24.xif")));
        db->addDevice(QStringLiteral("Plant"), QStringLiteral("Plant.Floor1"), QStringLiteral("S1"),
                      DeviceInterfaceFile::parseText(kSmallInterface, QStringLiteral("small.xif")));
        network = db->openNetwork(QStringLiteral("Plant"), false);
        ini.setPath(QStringLiteral(RX24_SOURCE_DIR "/resources/data/tarvinaRX24.ini"));
        CpDefinitions::setIniFile(&ini);
        params.setSystem(network->system());
        params.setIniFile(&ini);
        LogService::reset();
        MessageBox::setTestMode(true);
        MessageBox::clearTestRecord();
    }
    void TearDown() override
    {
        MessageBox::clearTestRecord();
        CpDefinitions::setIniFile(nullptr);
        PlugInGlobals::Logger.reset();
    }

    LnsRef<LnsAppDevice> rx24() const
    {
        return db->device(QStringLiteral("Plant"), QStringLiteral("Plant.Floor1"), QStringLiteral("RX1"));
    }
    LnsRef<LnsAppDevice> small() const
    {
        return db->device(QStringLiteral("Plant"), QStringLiteral("Plant.Floor1"), QStringLiteral("S1"));
    }
    // Channel object n of the RX24 (LonMark position n + 1).
    LnsRef<LnsLonMarkObject> channel(int n) const { return rx24()->lonMarkObjects()->item(n + 1); }
    LnsRef<LnsLonMarkObject> smallChannel() const { return small()->lonMarkObjects()->item(2); }
    LnsRef<LnsConfigProperty> cpOf(const LnsRef<LnsLonMarkObject> &object, const QString &name) const
    {
        return object->configProperties()->item(name);
    }
    // CP `name` of channel object n (1 = first channel object) of the RX24.
    LnsRef<LnsConfigProperty> channelCp(const QString &name, int n = 1) const
    {
        return cpOf(channel(n), name);
    }
    // The bytes of a CP as another client sees them; the CP's format is kept.
    static QList<int> bytesOf(const LnsRef<LnsConfigProperty> &cp) { return DeviceState::bytesOf(cp); }
    static void setBytes(const LnsRef<LnsConfigProperty> &cp, const QList<int> &bytes)
    {
        DeviceState::setBytes(cp, bytes);
    }
    // From now on the database refuses every new value of the CPs called
    // name, as a device refuses a value it cannot take.
    void refuseCpWrites(const QString &name) const
    {
        const QString connection = QStringLiteral("refuse");
        {
            QSqlDatabase sql = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
            sql.setDatabaseName(dir.filePath(QStringLiteral("networks.lnsdb")));
            ASSERT_TRUE(sql.open());
            QSqlQuery query(sql);
            ASSERT_TRUE(
                query.exec(QStringLiteral("CREATE TRIGGER refuse_%1 BEFORE UPDATE OF bytes ON cps WHEN "
                                          "NEW.name = '%1' BEGIN SELECT RAISE(ABORT, 'value refused'); END")
                               .arg(name)))
                << query.lastError().text().toStdString();
            sql.close();
        }
        QSqlDatabase::removeDatabase(connection);
    }
    // A logger that keeps entries in memory only, installed as the shared one.
    QX_Logger &installLogger()
    {
        PlugInGlobals::Logger = std::make_unique<QX_Logger>();
        QX_Logger::Config config;
        config.fileOutput = false;
        PlugInGlobals::Logger->configure(config);
        PlugInGlobals::Logger->clearEntries();
        return *PlugInGlobals::Logger;
    }

    QTemporaryDir dir;
    std::unique_ptr<NetworkDatabase> db;
    LnsRef<LnsNetwork> network;
    QX_IniFile ini;
    cParams params;
};
