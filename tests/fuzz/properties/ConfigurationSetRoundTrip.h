#pragma once

// Bytes as a parameter file put on a device's model, the way the window's
// Load and Apply put it: a refused file changes nothing; a file that loads
// gives a set that either fails the check (and nothing is written) or is
// written and reads back as it was taken. Shared by the fuzz target and by
// the test that replays its inputs.

#include "host/PlugInGlobals.h"
#include "params/LogService.h"
#include "platform/netdb/DeviceInterfaceFile.h"
#include "platform/netdb/NetworkDatabase.h"
#include "platform/services/MessageBox.h"
#include "platform/services/SettingsLocation.h"
#include "platform/services/UtilityComponent.h"
#include "template/ParamEnums.h"
#include "workflows/cConfiguration.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

class ConfigurationSetRoundTrip
{
public:
    // sourceDir: the repository, for the device interface, template and
    // description file.
    explicit ConfigurationSetRoundTrip(const QString &sourceDir)
        : m_template(sourceDir + QStringLiteral("/resources/data/RX24.ini"))
    {
        PlugInGlobals::Reset();
        MessageBox::setTestMode(true);
        SettingsLocation::setFilePath(m_dir.filePath(QStringLiteral("registry.ini")));
        QDir().mkpath(m_dir.filePath(QStringLiteral("prog")));
        QFile::copy(sourceDir + QStringLiteral("/resources/data/tarvinaRX24.ini"),
                    m_dir.filePath(QStringLiteral("prog/tarvinaRX24.ini")));
        PlugInGlobals::ProgramFolderOverride = m_dir.filePath(QStringLiteral("prog"));
        PlugInGlobals::Utility =
            std::make_unique<UtilityComponent>(m_dir.filePath(QStringLiteral("prog/tarvinaRX24.ini")));

        const QString network = QStringLiteral("Fuzz"), subsystem = QStringLiteral("LNS System.Floor 1");
        m_db = std::make_unique<NetworkDatabase>(m_dir.filePath(QStringLiteral("net.lnsdb")),
                                                 NetworkDatabase::OpenMode::Create);
        m_db->connectServer(0);
        m_db->createNetwork(network, QStringLiteral("LNS System"));
        m_db->createSubsystem(network, subsystem);
        m_db->addDevice(network, subsystem, QStringLiteral("RX24"),
                        DeviceInterfaceFile::parse(sourceDir + QStringLiteral("/resources/data/RX24.xif")));
        PlugInGlobals::ObjectServer = m_db.get();
        LnsSession &session = PlugInGlobals::Session;
        session.network = m_db->openNetwork(network, false);
        session.system = session.network->system();
        session.device = m_db->device(network, subsystem, QStringLiteral("RX24"));
        session.lonMarkObjects = session.device->lonMarkObjects();

        cConfiguration factory(m_template);
        factory.Open();
        m_factory = factory.TakeSet();
    }

    ~ConfigurationSetRoundTrip()
    {
        PlugInGlobals::Session.clear();
        PlugInGlobals::ObjectServer = nullptr;
        PlugInGlobals::Utility.reset();
        m_db.reset();
        SettingsLocation::setFilePath({});
    }

    // The first promise the input breaks; empty when all held.
    QString check(const QByteArray &bytes)
    {
        LogService::reset();
        const QString file = m_dir.filePath(QStringLiteral("input.dat"));
        {
            QFile out(file);
            if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
                return QStringLiteral("the input could not be stored");
        }
        cConfiguration c(m_template);
        if (!c.Open())
            return QStringLiteral("the device did not open: ") + MessageBox::lastShown().text;
        const ConfigurationSet before = c.TakeSet();
        ConfigurationSet set;
        if (c.LoadSetFromFile(file, set) != LE_NO_ERROR) {
            const QStringList changed = c.TakeSet().differences(before, true);
            return changed.isEmpty() ? QString()
                                     : QStringLiteral("a refused file changed ") + changed.first();
        }
        c.PutSet(set);
        if (!c.checkValues())
            return {}; // an invalid set is refused by the check; nothing is written
        if (!c.PrepareDefaults())
            return QStringLiteral("the defaults of a set that checks could not be set");
        const ConfigurationSet taken = c.TakeSet();
        if (!c.WriteSettings())
            return QStringLiteral("a set that checks was not written: ") + redLines();
        cConfiguration again(m_template);
        again.Open();
        const QStringList differences = again.TakeSet().differences(taken, true);
        const QString verdict =
            differences.isEmpty() ? QString() : QStringLiteral("read back differs: ") + differences.first();
        restoreFactorySet();
        return verdict;
    }

private:
    static QString redLines()
    {
        QStringList red;
        for (const LogLine &line : LogService::instance().Lines()) {
            if (line.colour == LogService::Red)
                red << line.text;
        }
        return red.join(QLatin1Char('|'));
    }
    void restoreFactorySet()
    {
        cConfiguration c(m_template);
        c.Open();
        c.PutSet(m_factory);
        c.WriteSettings(true);
    }

    QTemporaryDir m_dir;
    QString m_template;
    std::unique_ptr<NetworkDatabase> m_db;
    ConfigurationSet m_factory;
};
