#include "platform/services/UtilityComponent.h"

#include "ServicesLnsFixture.h"
#include "platform/services/LnsSessionHelper.h"

#include <QFile>

namespace {
class UtilityComponentTest : public ServicesLnsFixture
{
protected:
    QString writeIni(const QByteArray &content)
    {
        const QString path = m_dir.filePath(QStringLiteral("plugin.ini"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
        return path;
    }

    LnsCollectionRef<LnsAppDevice> devicesOf(const QString &systemPart)
    {
        EXPECT_TRUE(m_helper.connect(m_session, m_server.get(), 0));
        EXPECT_TRUE(m_helper.openNetwork(m_session, QStringLiteral("Building A"), false));
        m_helper.openSystem(m_session, systemPart);
        return m_session.appDevices;
    }

    LnsSessionHelper m_helper;
    LnsSession m_session;
};
} // namespace

TEST_F(UtilityComponentTest, DeviceEntriesEndAtTheFirstGap)
{
    const UtilityComponent utility(
        writeIni("[Devices]\nDevice1=AAAA000000000001,Dev One,one.html\n"
                 "Device2=AAAA000000000002,Dev Two\nDevice4=AAAA000000000004,x,y\n"));
    const QList<UtilityComponent::DeviceEntry> entries = utility.deviceEntries();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries.at(0).name, QStringLiteral("Dev One"));
    EXPECT_EQ(entries.at(0).documentationFile, QStringLiteral("one.html"));
    EXPECT_EQ(entries.at(1).documentationFile, QString());
    EXPECT_TRUE(utility.deviceEntry(3).isEmpty());
    EXPECT_TRUE(utility.deviceEntry(0).isEmpty());
    EXPECT_EQ(utility.deviceEntry(4).programId, QStringLiteral("AAAA000000000004"));
}

TEST_F(UtilityComponentTest, ProgramIdsMatchWithoutRegardToCase)
{
    const UtilityComponent utility(writeIni("[Devices]\nDevice1=9000a5e018040100,RX24,RX24.html\n"));
    EXPECT_TRUE(utility.servesProgramId(QStringLiteral("9000A5E018040100")));
    EXPECT_FALSE(utility.servesProgramId(QStringLiteral("9000A5E018040101")));
    EXPECT_FALSE(utility.servesProgramId(QString()));
    EXPECT_EQ(utility.documentationFile(QStringLiteral("9000A5E018040100")), QStringLiteral("RX24.html"));
    EXPECT_EQ(utility.documentationFile(QStringLiteral("0000000000000000")), QString());
    const UtilityComponent compatible(writeIni("[Compatible]\nA1=A1, B2 ,C3\n"));
    EXPECT_EQ(compatible.compatibleProgramIds(QStringLiteral("A1")),
              (QStringList{QStringLiteral("A1"), QStringLiteral("B2"), QStringLiteral("C3")}));
    EXPECT_TRUE(compatible.compatibleProgramIds(QStringLiteral("ZZ")).isEmpty());
}

TEST_F(UtilityComponentTest, ShippedFileDescribesTheRx24)
{
    const UtilityComponent utility(dataFile("tarvinaRX24.ini"));
    EXPECT_TRUE(utility.iniFileExists());
    const UtilityComponent::DeviceEntry first = utility.deviceEntry(1);
    EXPECT_EQ(first.programId, QStringLiteral("9000A5E018040100"));
    EXPECT_FALSE(first.name.isEmpty());
    EXPECT_FALSE(first.documentationFile.isEmpty());
    EXPECT_TRUE(utility.compatibleProgramIds(first.programId).contains(QStringLiteral("9000A5E018040000")));
    EXPECT_FALSE(utility.helpPath().isEmpty());
    EXPECT_FALSE(
        utility.read(QStringLiteral("velto tarvinaRX24 CPs 1.0 "), QStringLiteral("FptIndex")).isEmpty());
}

TEST_F(UtilityComponentTest, HelpPathFallsBackToTheOlderSection)
{
    const UtilityComponent older(writeIni("[velto tarvinaRX24 Help 1.0]\nHelpFilePath=old.html\n"));
    EXPECT_EQ(older.helpPath(), QStringLiteral("old.html"));
    const UtilityComponent missing(m_dir.filePath(QStringLiteral("none.ini")));
    EXPECT_FALSE(missing.iniFileExists());
    EXPECT_EQ(missing.helpPath(), QString());
    EXPECT_TRUE(missing.deviceEntries().isEmpty());
}

TEST_F(UtilityComponentTest, FindsAServedDeviceByNameButNoUnknownNameOrForeignProgramId)
{
    const LnsCollectionRef<LnsAppDevice> devices = devicesOf(QStringLiteral("LNS System.Floor 1.Room 12"));
    const UtilityComponent rx24(dataFile("tarvinaRX24.ini"));
    LnsRef<LnsAppDevice> device;
    EXPECT_TRUE(rx24.findDevice(devices, QStringLiteral("RX24 Room 12"), device));
    ASSERT_TRUE(device);
    EXPECT_EQ(device->name(), QStringLiteral("RX24 Room 12"));
    device.reset();
    EXPECT_FALSE(rx24.findDevice(devices, QStringLiteral("RX24 Hall"), device)); // lives in Floor 1
    EXPECT_FALSE(device);
    EXPECT_FALSE(rx24.findDevice(devices, QString(), device));
    EXPECT_FALSE(rx24.findDevice(nullptr, QStringLiteral("RX24 Room 12"), device));

    const UtilityComponent other(writeIni("[Devices]\nDevice1=1111222233334444,Other,o.html\n"));
    EXPECT_FALSE(other.findDevice(devices, QStringLiteral("RX24 Room 12"), device));
    EXPECT_FALSE(device);
}
