#include "platform/services/LnsSessionHelper.h"

#include "ServicesLnsFixture.h"
#include "platform/lns/LnsError.h"

namespace {
class LnsSessionHelperTest : public ServicesLnsFixture
{
protected:
    void open(const QString &systemPart)
    {
        ASSERT_TRUE(m_helper.connect(m_session, m_server.get(), 0));
        ASSERT_TRUE(m_helper.openNetwork(m_session, QStringLiteral("Building A"), false));
        m_helper.openSystem(m_session, systemPart);
    }

    LnsSessionHelper m_helper;
    LnsSession m_session;
};
} // namespace

TEST_F(LnsSessionHelperTest, ConnectsAndOpensTheDeepestSubsystem)
{
    open(QStringLiteral("LNS System.Floor 1.Room 12"));
    ASSERT_TRUE(m_session.system);
    ASSERT_TRUE(m_session.subsystem);
    EXPECT_EQ(m_session.subsystem->name(), QStringLiteral("Room 12"));
    ASSERT_TRUE(m_session.appDevices);
    EXPECT_EQ(m_session.appDevices->count(), 1);
    EXPECT_EQ(m_session.appDevices->item(1)->name(), QStringLiteral("RX24 Room 12"));
    // A middle subsystem has its own devices; the system alone takes the first subsystem.
    m_helper.openSystem(m_session, QStringLiteral("LNS System.Floor 1"));
    EXPECT_EQ(m_session.appDevices->item(QStringLiteral("RX24 Hall"))->name(), QStringLiteral("RX24 Hall"));
    m_helper.openSystem(m_session, QStringLiteral("LNS System"));
    EXPECT_EQ(m_session.subsystem->name(), QStringLiteral("Floor 1"));
}

TEST_F(LnsSessionHelperTest, UnknownSystemOrSubsystemRaisesNotFound)
{
    ASSERT_TRUE(m_helper.connect(m_session, m_server.get(), 0));
    ASSERT_TRUE(m_helper.openNetwork(m_session, QStringLiteral("Building A"), false));
    for (const char *systemPart : {"LNS System.Floor 9", "Other System.Floor 1", "Other System"}) {
        SCOPED_TRACE(systemPart);
        try {
            m_helper.openSystem(m_session, QString::fromUtf8(systemPart));
            FAIL() << "no error raised";
        } catch (const LnsError &error) {
            EXPECT_EQ(error.number(), LnsErrorCode::NotFound);
        }
        EXPECT_FALSE(m_session.appDevices);
    }
}

TEST_F(LnsSessionHelperTest, FailuresGiveFalseInsteadOfErrors)
{
    EXPECT_FALSE(m_helper.openNetwork(m_session, QStringLiteral("Building A"), false)); // not connected
    EXPECT_FALSE(m_helper.connect(m_session, nullptr, 0));
    EXPECT_FALSE(m_helper.connect(m_session, m_server.get(), 1)); // remote needs a server database
    ASSERT_TRUE(m_helper.connect(m_session, m_server.get(), 0));
    EXPECT_FALSE(m_helper.openNetwork(m_session, QStringLiteral("No Such Network"), false));
    EXPECT_FALSE(m_session.network);
    EXPECT_FALSE(m_helper.openNetwork(m_session, QString(), false));
}

TEST_F(LnsSessionHelperTest, CloseClearsEverythingAndDisconnects)
{
    open(QStringLiteral("LNS System.Floor 1.Room 12"));
    m_session.device = m_session.appDevices->item(1);
    m_session.lonMarkObjects = m_session.device->lonMarkObjects();
    m_session.system->startTransaction();
    m_helper.close(m_session);
    EXPECT_FALSE(m_session.objectServer);
    EXPECT_FALSE(m_session.network);
    EXPECT_FALSE(m_session.system);
    EXPECT_FALSE(m_session.subsystem);
    EXPECT_FALSE(m_session.appDevices);
    EXPECT_FALSE(m_session.device);
    EXPECT_FALSE(m_session.lonMarkObjects);
    EXPECT_FALSE(m_server->isConnected());
    // Closing again does nothing.
    m_helper.close(m_session);
}

TEST_F(LnsSessionHelperTest, RegistersOneCommand)
{
    open(QStringLiteral("LNS System"));
    LnsPluginRegistration registration;
    registration.programId = QStringLiteral("9000A5E018040100");
    registration.objectType = 3;
    registration.name = QStringLiteral("Configure tarvina RX24");
    registration.commandId = 13;
    registration.classId = 7;
    registration.description = QStringLiteral("Configures the device");
    registration.projectName = QStringLiteral("veltoTarvinaRX24");
    registration.className = QStringLiteral("Application");
    registration.version = QStringLiteral("2.0");
    registration.manufacturerId = QStringLiteral("0005E");
    EXPECT_TRUE(m_helper.registerCommand(m_session.network, registration));
    EXPECT_TRUE(m_session.network->pluginRegistrations().contains(registration));
    EXPECT_FALSE(m_helper.registerCommand(nullptr, registration));
}
