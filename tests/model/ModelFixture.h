#pragma once

#include "model/ChannelObjectRegistration.h"
#include "model/ModelContext.h"
#include "model/cActChannel.h"
#include "model/cActModule.h"
#include "model/cActModules.h"
#include "model/cLmo.h"
#include "model/cLmos.h"
#include "monitoring/cMonitoring.h"
#include "params/ParamsTestSupport.h"
#include "params/cParam1Byte.h"
#include "params/cParam2Byte.h"
#include "support/ChannelRowInput.h"
#include "template/ParamEnums.h"
#include "template/cRX24.h"
#include "widgets/ctlChannel.h"

#include <QComboBox>
#include <QWidget>
#include <array>

// The RX24 "RX1" of the parameter fixture as the configuration sees it: the
// CPs of its 16 channel objects registered, the NVs as monitor points, the
// shipped device template, and one (never shown) page per module slot.
class ModelFixture : public ParamsDbFixture
{
protected:
    void SetUp() override
    {
        ParamsDbFixture::SetUp();
        installLogger();
        PlugInGlobals::ObjectServer = db.get();
        PlugInGlobals::Session.lonMarkObjects = rx24()->lonMarkObjects();
        monitoring = std::make_unique<cMonitoring>();
        monitoring->FetchNVs();
        context.params = &params;
        context.monitorPoints = &monitoring->MonitorPoints();
        context.deviceTemplate = &rx24Template;
        context.lmos = &lmos;
        context.actModules = &modules;
        context.valueChanged = [this] { ++valueChanges; };
        context.modulePage = [this](int slot) { return &pages.at(static_cast<size_t>(slot - 1)); };
        for (int i = 1; i <= 16; ++i)
            ASSERT_TRUE(ChannelObjectRegistration::RegisterCps(params, channel(i), i));
    }
    void TearDown() override
    {
        modules.Clear();
        lmos.Clear();
        monitoring.reset();
        PlugInGlobals::Session.clear();
        PlugInGlobals::ObjectServer = nullptr;
        ParamsDbFixture::TearDown();
    }

    // As the configuration reads a device: the CPs, the objects, the slots
    // of "DeviceModules", the stored bindings, the last values.
    void readDevice()
    {
        params.ReadFromLns();
        modules.Clear();
        lmos.Clear();
        lmos.AddChannelObjects(rx24()->lonMarkObjects());
        const QList<int> slots = bytesOf(rx24()->configProperties()->item(QStringLiteral("DeviceModules")));
        for (int type : slots)
            modules.Add(type == 255 ? -1 : type);
        for (const auto &lmo : lmos.Items()) {
            if (lmo->ObjectConfigurationIsValid())
                lmo->ReadRequiredCps();
        }
        modules.BindObjects(lmos);
        for (const auto &lmo : lmos.Items())
            lmo->RefreshLastValues();
    }
    // Stores a binding in the CPs of channel object n, as a device holds it.
    void storeBinding(int n, int slot, int channel, int moduleType, int fpt)
    {
        setBytes(channelCp(QStringLiteral("FptIndex"), n), {fpt >> 8, fpt & 0xFF});
        setBytes(channelCp(QStringLiteral("ModuleType"), n), {moduleType});
        setBytes(channelCp(QStringLiteral("ModuleNumber"), n), {slot});
        setBytes(channelCp(QStringLiteral("ModuleChannel"), n), {channel});
    }
    void storeSlots(const QList<int> &types)
    {
        QList<int> bytes(8, 255);
        for (int i = 0; i < types.size(); ++i)
            bytes[i] = types.at(i);
        setBytes(rx24()->configProperties()->item(QStringLiteral("DeviceModules")), bytes);
    }

    cActChannel *channelOf(int slot, int channel) const
    {
        return modules.Item(slot)->ChannelByIndex(channel);
    }
    ctlChannel *row(int slot, int channel) const { return channelOf(slot, channel)->ChannelControl(); }
    static QComboBox *list(ctlChannel *row, const char *name)
    {
        return row->findChild<QComboBox *>(QLatin1String(name));
    }
    // The entries a list shows when the user opens it.
    static QStringList offered(ctlChannel *row, const char *name)
    {
        QComboBox *combo = list(row, name);
        combo->showPopup();
        QStringList texts;
        for (int i = 0; i < combo->count(); ++i)
            texts.append(combo->itemText(i));
        combo->hidePopup();
        return texts;
    }
    static void pick(ctlChannel *row, const char *name, const QString &text) { pickEntry(row, name, text); }
    // Every CP byte of the device, to prove that reading wrote nothing.
    QList<QList<int>> allCpBytes() const
    {
        QList<QList<int>> all;
        all.append(bytesOf(rx24()->configProperties()->item(1)));
        for (int n = 1; n <= 16; ++n) {
            const auto cps = channel(n)->configProperties();
            for (int i = 1; i <= cps->count(); ++i)
                all.append(bytesOf(cps->item(i)));
        }
        return all;
    }

    cRX24 rx24Template{QStringLiteral(RX24_SOURCE_DIR "/resources/data/RX24.ini")};
    std::unique_ptr<cMonitoring> monitoring;
    std::array<QWidget, 8> pages;
    ModelContext context;
    cLmos lmos{context};
    cActModules modules{context};
    int valueChanges = 0;
};
