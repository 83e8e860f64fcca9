#include "host/CommandValidator.h"

#include "HostFixture.h"
#include "host/DirectorEntry.h"

TEST(ConnectMode, InternetOnlyWhenSpelledExactlyAndLocalWithoutRemoteFlag)
{
    EXPECT_EQ(CommandValidator::ConnectMode(false, QStringLiteral("Internet")), 0);
    EXPECT_EQ(CommandValidator::ConnectMode(true, QStringLiteral("Internet")), 2);
    for (const QString &name : {QStringLiteral("internet"), QStringLiteral("Internet "), QString()})
        EXPECT_EQ(CommandValidator::ConnectMode(true, name), 1) << name.toStdString();
}

class CommandValidation : public HostFixture
{
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        LcaPlugIn::InitApp();
        ASSERT_FALSE(PlugInGlobals::TerminateRequested);
    }
};

TEST_F(CommandValidation, ConfigurationCommandIsAccepted)
{
    CommandValidator::ValidateCommand(13, 7, QStringLiteral("Demo\\LNS System.Floor 1\\RX24 Hall"));
    EXPECT_EQ(PlugInGlobals::CommandIndex, 1);
    EXPECT_FALSE(PlugInGlobals::TerminateRequested);
    EXPECT_TRUE(MessageBox::shownBoxes().isEmpty());
    EXPECT_TRUE(traces().contains(QStringLiteral("[M_PlugIn] Public Sub ValidateCommand()")));
}

TEST_F(CommandValidation, UnsupportedCommandIsRefusedWithExactMessage)
{
    // Command 0 never matches the empty entries; numbers are shown in decimal.
    // The refusal is the same English text in German.
    for (const auto &[commandId, classId, language] :
         {std::tuple{13, 28, 0}, {0, 0, 0}, {-1, -2, 0}, {13, 28, ResourceStrings::German}}) {
        SCOPED_TRACE(commandId);
        ResourceStrings::SetLanguageOffset(language);
        MessageBox::clearTestRecord();
        PlugInGlobals::TerminateRequested = false;
        CommandValidator::ValidateCommand(commandId, classId,
                                          QStringLiteral("Demo\\LNS System.Floor 1\\RX24 Hall"));
        ASSERT_EQ(MessageBox::shownBoxes().size(), 1);
        const MessageBox::Shown shown = MessageBox::lastShown();
        EXPECT_EQ(shown.text,
                  QStringLiteral("The transmitted CommandId (%1) is not\nsupported for  ClassId %2 !")
                      .arg(commandId)
                      .arg(classId));
        EXPECT_EQ(shown.title, QStringLiteral("tarvina RX24"));
        EXPECT_EQ(shown.icon, MessageBox::Icon::Exclamation);
        EXPECT_TRUE(PlugInGlobals::TerminateRequested);
        EXPECT_TRUE(PlugInGlobals::Ended);
        EXPECT_EQ(PlugInGlobals::CommandIndex, 0);
    }
    EXPECT_TRUE(window.calls.isEmpty());
}

TEST_F(CommandValidation, RegistrationCommandIsNeverRefusedWhateverTheClass)
{
    CommandValidator::ValidateCommand(50, 28, QStringLiteral("Demo"));
    for (const QString &text : messageTexts())
        EXPECT_FALSE(text.startsWith(QStringLiteral("The transmitted CommandId")));
    EXPECT_TRUE(PlugInGlobals::Ended);
    EXPECT_FALSE(PlugInGlobals::TerminateRequested);
    EXPECT_EQ(PlugInGlobals::CommandIndex, 0);
    EXPECT_TRUE(window.calls.isEmpty());
}

TEST_F(CommandValidation, SendCommandStoresTheCommand)
{
    DirectorEntry::SendCommand(13, 7, QStringLiteral("Demo\\LNS System.Floor 1\\RX24 Hall"));
    EXPECT_EQ(PlugInGlobals::CommandId, 13);
    EXPECT_EQ(PlugInGlobals::ClassId, 7);
    EXPECT_EQ(PlugInGlobals::ObjectName, QStringLiteral("Demo\\LNS System.Floor 1\\RX24 Hall"));
    EXPECT_EQ(PlugInGlobals::CommandIndex, 1);
}

TEST_F(CommandValidation, HandedLonMarkObjectStartsWithoutConnecting)
{
    m_server->connectServer(0);
    const auto device = m_server->device(QStringLiteral("Demo"), QStringLiteral("LNS System.Floor 1"),
                                         QStringLiteral("RX24 Hall"));
    const auto lonMarkObject = device->lonMarkObjects()->item(2);
    DirectorEntry::setLnsObjectByTool(lonMarkObject);
    ASSERT_TRUE(PlugInGlobals::StartedFromLnsObject);

    DirectorEntry::SendCommand(13, 7, QString());
    EXPECT_EQ(window.calls, QStringList{QStringLiteral("Start")});
    ASSERT_TRUE(PlugInGlobals::Session.device);
    EXPECT_EQ(PlugInGlobals::Session.device->name(), QStringLiteral("RX24 Hall"));
    ASSERT_TRUE(PlugInGlobals::Session.network);
    EXPECT_EQ(PlugInGlobals::Session.network->name(), QStringLiteral("Demo"));
    EXPECT_TRUE(PlugInGlobals::Session.system);
    EXPECT_TRUE(PlugInGlobals::Session.appDevices);
    EXPECT_TRUE(PlugInGlobals::DeviceName.isEmpty());
    EXPECT_FALSE(PlugInGlobals::Session.subsystem);
    EXPECT_FALSE(traces().contains(QStringLiteral("Status: Connecting to LNS server ...")));
}

TEST_F(CommandValidation, HandedLonMarkObjectOfAnotherProductIsRefusedLikeAnUnknownDevice)
{
    addDevice(QStringLiteral("SX16 Hall"), QStringLiteral("9000A5E0FFFF0000"));
    m_server->connectServer(0);
    const auto device = m_server->device(QStringLiteral("Demo"), QStringLiteral("LNS System.Floor 1"),
                                         QStringLiteral("SX16 Hall"));
    DirectorEntry::setLnsObjectByTool(device->lonMarkObjects()->item(2));
    ASSERT_TRUE(PlugInGlobals::StartedFromLnsObject);

    DirectorEntry::SendCommand(13, 7, QString());
    EXPECT_FALSE(window.calls.contains(QStringLiteral("Start")));
    ASSERT_EQ(MessageBox::shownBoxes().size(), 1);
    EXPECT_EQ(
        MessageBox::lastShown().text,
        QStringLiteral("INI file consistency error !\n\nPlease reinstall and re-register the plug-in."));
    EXPECT_EQ(MessageBox::lastShown().icon, MessageBox::Icon::Critical);
    EXPECT_TRUE(PlugInGlobals::TerminateRequested);
    EXPECT_TRUE(PlugInGlobals::Ended);
    EXPECT_FALSE(PlugInGlobals::Session.device);
    EXPECT_EQ(traces().filter(QStringLiteral("9000A5E0FFFF0000")).size(), 1);
}
