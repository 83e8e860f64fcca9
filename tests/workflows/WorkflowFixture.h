#pragma once

#include "host/HostFixture.h"
#include "model/cActChannel.h"
#include "model/cActModule.h"
#include "model/cLmo.h"
#include "params/LogService.h"
#include "params/cConfigProp.h"
#include "params/cParam1Byte.h"
#include "params/cParam2Byte.h"
#include "platform/services/MultiDeviceSelection.h"
#include "support/ChannelRowInput.h"
#include "support/DeviceState.h"
#include "template/ParamEnums.h"
#include "widgets/ctlChannel.h"
#include "workflows/cConfiguration.h"

#include <QComboBox>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QWidget>
#include <array>

// A window that opens the configuration of the device when the host starts
// it, as the plug-in's window does, without showing anything.
class ConfiguringWindow : public RecordingMainWindow
{
public:
    void Start() override
    {
        RecordingMainWindow::Start();
        configuration =
            std::make_unique<cConfiguration>(QStringLiteral(RX24_SOURCE_DIR "/resources/data/RX24.ini"));
        configuration->Context().modulePage = [this](int slot) {
            return &pages.at(static_cast<size_t>(slot - 1));
        };
        configuration->Context().valueChanged = [] { LogService::instance().setParametersChanged(true); };
        fetched = configuration->FetchCPs();
        configuration->ReadSettings();
    }
    void Unload() override
    {
        configuration.reset();
        RecordingMainWindow::Unload();
    }

    std::array<QWidget, 8> pages;
    std::unique_ptr<cConfiguration> configuration;
    bool fetched = false;
};

// The host fixture's network with the configuration opened on a device
// through the command line a director uses.
class WorkflowFixture : public HostFixture
{
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        PlugInGlobals::MainWindow = &configWindow;
        LogService::reset();
    }
    void TearDown() override
    {
        MultiDeviceSelection::setFactory({});
        configWindow.configuration.reset();
        HostFixture::TearDown();
    }

    cConfiguration &open(const QString &device = QStringLiteral("RX24 Hall"))
    {
        PlugInMain::Main(QStringLiteral(" /COMMANDID:13 /CLASSID:7 /OBJECTNAME:Demo\\LNS System.Floor 1\\") +
                         device);
        EXPECT_TRUE(configWindow.configuration) << "the window did not start";
        return *configWindow.configuration;
    }
    cConfiguration &config() { return *configWindow.configuration; }

    // The device as a second client of the database sees it.
    QStringList stateOf(const QString &device, bool withNames = false)
    {
        NetworkDatabase other(databaseLocation(), NetworkDatabase::OpenMode::ReadOnly);
        other.connectServer(0);
        return DeviceState::of(
            other.device(QStringLiteral("Demo"), QStringLiteral("LNS System.Floor 1"), device), withNames);
    }
    LnsRef<LnsAppDevice> device(const QString &name) const
    {
        return m_server->device(QStringLiteral("Demo"), QStringLiteral("LNS System.Floor 1"), name);
    }

    // The user's choices on a channel row of the open configuration.
    ctlChannel *row(int slot, int channel)
    {
        return config().ActModules().Item(slot)->ChannelByIndex(channel)->ChannelControl();
    }
    void pick(int slot, int channel, const char *list, const QString &text)
    {
        pickEntry(row(slot, channel), list, text);
    }
    void pickSlot(int slot, int moduleType)
    {
        QComboBox *box = config().SlotComboBox(slot);
        const int index = box->findData(moduleType);
        ASSERT_GE(index, 0);
        box->setCurrentIndex(index);
        config().Parameters().ComboBox_Change_Event(box);
    }
    // Slots 1 and 2 as an RP4 and a KW8, lighting on RP4 channel 1 (object
    // 1, named) and a switch on KW8 channel 1 (object 2): the set the tests
    // write, reopened afterwards.
    void configureLightAndSwitch()
    {
        storeSlots(QStringLiteral("RX24 Hall"), {MT_RP4, MT_KW8});
        open();
        pick(1, 1, "cboObject", QStringLiteral("Channel1"));
        pick(2, 1, "cboObject", QStringLiteral("Channel2"));
        pick(2, 1, "cboType", cActChannel::FptText(QStringLiteral("21201/3")));
        config().Lmos().Item(1)->setName(QStringLiteral("Light Hall"));
    }
    void storeSlots(const QString &deviceName, const QList<int> &types)
    {
        m_server->connectServer(0);
        QList<int> bytes(8, 255);
        for (int i = 0; i < types.size(); ++i)
            bytes[i] = types.at(i);
        DeviceState::setBytes(device(deviceName)->configProperties()->item(QStringLiteral("DeviceModules")),
                              bytes);
        m_server->disconnectServer();
    }

    // A binding stored in channel object n of a device, as a device holds it.
    void storeBinding(const QString &deviceName, int n, int slot, int channel, int moduleType, int fpt)
    {
        m_server->connectServer(0);
        const auto cps = device(deviceName)->lonMarkObjects()->item(n + 1)->configProperties();
        DeviceState::setBytes(cps->item(QStringLiteral("FptIndex")), {fpt >> 8, fpt & 0xFF});
        DeviceState::setBytes(cps->item(QStringLiteral("ModuleType")), {moduleType});
        DeviceState::setBytes(cps->item(QStringLiteral("ModuleNumber")), {slot});
        DeviceState::setBytes(cps->item(QStringLiteral("ModuleChannel")), {channel});
        m_server->disconnectServer();
    }
    // Another client of the database changes it while the plug-in has it open.
    void otherClient(const std::function<void(NetworkDatabase &)> &change) const
    {
        NetworkDatabase other(databaseLocation());
        other.connectServer(0);
        change(other);
    }

    // A change made behind the plug-in's back, straight in the database file.
    void changeDatabase(const QString &statement) const
    {
        {
            QSqlDatabase sql = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("behind"));
            sql.setDatabaseName(path("net.lnsdb"));
            ASSERT_TRUE(sql.open());
            ASSERT_TRUE(QSqlQuery(sql).exec(statement)) << statement.toStdString();
            sql.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("behind"));
    }

    static QStringList redLines()
    {
        QStringList lines;
        for (const LogLine &line : LogService::instance().Lines()) {
            if (line.colour == LogService::Red)
                lines << line.text;
        }
        return lines;
    }

    ConfiguringWindow configWindow;
};
