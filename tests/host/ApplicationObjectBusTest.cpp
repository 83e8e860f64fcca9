// The automation object on a real session bus: a director's calls arrive as
// D-Bus messages from a second connection, made in a thread of their own
// while the plug-in's event loop answers them.
#include "HostFixture.h"
#include "host/ApplicationBusObject.h"
#include "host/AutomationServer.h"
#include "host/BusRegResultReceiver.h"
#include "host/LnsProjectRegistration.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QTest>
#include <QThread>
#include <atomic>
#include <thread>

namespace {
const QString Device = QStringLiteral("Demo\\LNS System.Floor 1\\RX24 Hall");
const QString ReadOnlyText = QStringLiteral(
    "0x80044E22 veltoTarvinaRX24.Application: Write not supported. This property is read-only.");

// Runs a director's blocking calls in a thread while this thread serves them.
template <class Call> auto fromDirector(Call call) -> decltype(call())
{
    decltype(call()) result{};
    std::atomic<bool> done{false};
    std::thread director([&] {
        result = call();
        done = true;
    });
    const QDeadlineTimer deadline(10000);
    while (!done && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    director.join();
    // Work the object queued while answering (a command) runs now.
    QCoreApplication::processEvents();
    return result;
}

// What a director serves to learn the registration result.
class ResultSink : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "veltoTarvinaRX24.RegResult")
    Q_PROPERTY(short RegResult READ regResult WRITE setRegResult)
public:
    short regResult() const { return m_result; }
    void setRegResult(short result)
    {
        m_result = result;
        received = true;
    }
    std::atomic<bool> received{false};

private:
    short m_result = 1;
};
} // namespace

class ApplicationObjectBusTest : public HostFixture
{
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        if (!QDBusConnection::sessionBus().isConnected())
            GTEST_SKIP() << "no session bus";
        // ctest runs test programs side by side on one bus: a name per process.
        m_serviceName = QStringLiteral("veltoTarvinaRX24.Test.p%1").arg(QCoreApplication::applicationPid());
        m_automation = std::make_unique<AutomationServer>(QDBusConnection::sessionBus(), m_serviceName);
        m_automation->setFinish([this] { finished = true; });
        ASSERT_TRUE(m_automation->start());
        m_client = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("director")));
        ASSERT_TRUE(m_client->isConnected());
    }

    void TearDown() override
    {
        m_automation.reset();
        m_client.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("director"));
        HostFixture::TearDown();
    }

    QDBusMessage properties(const QString &member, const QList<QVariant> &args)
    {
        QDBusMessage call =
            QDBusMessage::createMethodCall(m_serviceName, ApplicationBusObject::ObjectPath(),
                                           QStringLiteral("org.freedesktop.DBus.Properties"), member);
        call.setArguments(args);
        QDBusConnection client = *m_client;
        return fromDirector([client, call]() mutable { return client.call(call, QDBus::Block, 5000); });
    }

    QDBusMessage set(const QString &name, const QVariant &value)
    {
        return properties(QStringLiteral("Set"), {ApplicationBusObject::InterfaceName(), name,
                                                  QVariant::fromValue(QDBusVariant(value))});
    }

    QVariant get(const QString &name)
    {
        const QDBusMessage reply =
            properties(QStringLiteral("Get"), {ApplicationBusObject::InterfaceName(), name});
        EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
        return reply.arguments().isEmpty() ? QVariant()
                                           : qvariant_cast<QDBusVariant>(reply.arguments().first()).variant();
    }

    QDBusMessage sendCommand(qint32 commandId, qint16 classId, const QString &objectName)
    {
        QDBusMessage call = QDBusMessage::createMethodCall(m_serviceName, ApplicationBusObject::ObjectPath(),
                                                           ApplicationBusObject::InterfaceName(),
                                                           QStringLiteral("SendCommand"));
        call << commandId << QVariant::fromValue(classId) << objectName;
        QDBusConnection client = *m_client;
        return fromDirector([client, call]() mutable { return client.call(call, QDBus::Block, 5000); });
    }

    QString m_serviceName;
    std::unique_ptr<AutomationServer> m_automation;
    std::unique_ptr<QDBusConnection> m_client;
    bool finished = false;
};

// --- properties ------------------------------------------------------------

TEST_F(ApplicationObjectBusTest, FixedPropertiesReadTheirTextsAndTheObjectInitialisedThePlugIn)
{
    EXPECT_EQ(get(QStringLiteral("LcaVersion")).toString(), QStringLiteral("2.00"));
    EXPECT_EQ(get(QStringLiteral("ManufacturerName")).toString(), ResourceStrings::LoadResString(1802));
    EXPECT_TRUE(PlugInGlobals::Command(1).Enabled);
    EXPECT_TRUE(traces().contains(QStringLiteral("[M_LcaPlugIn] Public Sub InitApp()")));
}

TEST_F(ApplicationObjectBusTest, WritesToReadOnlyPropertiesAnswerTheReadOnlyError)
{
    for (const char *name : {"LcaVersion", "ManufacturerId", "ManufacturerName", "Name", "Version"}) {
        SCOPED_TRACE(name);
        const QDBusMessage reply = set(QLatin1String(name), QStringLiteral("changed"));
        ASSERT_EQ(reply.type(), QDBusMessage::ErrorMessage);
        EXPECT_EQ(reply.errorName(), QStringLiteral("veltoTarvinaRX24.Application.Error.ReadOnly"));
        EXPECT_EQ(reply.errorMessage(), ReadOnlyText);
        EXPECT_NE(get(QLatin1String(name)).toString(), QStringLiteral("changed"));
    }
    // The read-only error wins over a wrong type.
    EXPECT_EQ(set(QStringLiteral("Name"), 5).errorName(), ApplicationBusObject::ReadOnlyErrorName());
}

TEST_F(ApplicationObjectBusTest, NetworkNameReadsEmptyEvenAfterAWrite)
{
    const QDBusMessage reply = set(QStringLiteral("NetworkName"), QStringLiteral("Demo"));
    EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage);
    EXPECT_EQ(get(QStringLiteral("NetworkName")).toString(), QString());
}

TEST_F(ApplicationObjectBusTest, RemoteAndInterfaceNameAreTheHostsGlobals)
{
    EXPECT_EQ(set(QStringLiteral("Remote"), true).type(), QDBusMessage::ReplyMessage);
    EXPECT_EQ(set(QStringLiteral("NetworkInterfaceName"), QStringLiteral("Internet")).type(),
              QDBusMessage::ReplyMessage);
    EXPECT_TRUE(PlugInGlobals::Remote);
    EXPECT_EQ(PlugInGlobals::NetworkInterfaceName, QStringLiteral("Internet"));
    EXPECT_EQ(get(QStringLiteral("Remote")).toBool(), true);
    EXPECT_EQ(get(QStringLiteral("NetworkInterfaceName")).toString(), QStringLiteral("Internet"));
}

TEST_F(ApplicationObjectBusTest, WrongTypeUnknownPropertyAndForeignInterfaceAreRefused)
{
    EXPECT_EQ(set(QStringLiteral("Height"), QStringLiteral("tall")).errorName(),
              QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"));
    EXPECT_EQ(set(QStringLiteral("Colour"), 1).errorName(),
              QStringLiteral("org.freedesktop.DBus.Error.UnknownProperty"));
    const QDBusMessage reply =
        properties(QStringLiteral("Get"), {QStringLiteral("org.example.Other"), QStringLiteral("Name")});
    EXPECT_EQ(reply.errorName(), QStringLiteral("org.freedesktop.DBus.Error.UnknownInterface"));
}

TEST_F(ApplicationObjectBusTest, WriteOnlyPropertiesCannotBeReadAndStayOutOfGetAll)
{
    const QDBusMessage reply = properties(QStringLiteral("Get"), {ApplicationBusObject::InterfaceName(),
                                                                  QStringLiteral("ProgramIdsToRegister")});
    EXPECT_EQ(reply.type(), QDBusMessage::ErrorMessage);

    const QDBusMessage all = properties(QStringLiteral("GetAll"), {ApplicationBusObject::InterfaceName()});
    ASSERT_EQ(all.type(), QDBusMessage::ReplyMessage);
    const QVariantMap values = qdbus_cast<QVariantMap>(all.arguments().first());
    EXPECT_EQ(values.value(QStringLiteral("Name")).toString(), QStringLiteral("tarvina RX24"));
    EXPECT_TRUE(values.contains(QStringLiteral("LnsObjectByTool")));
    EXPECT_FALSE(values.contains(QStringLiteral("ProgramIdsToRegister")));
    EXPECT_FALSE(values.contains(QStringLiteral("RegResult")));
    EXPECT_EQ(values.size(), 15);
}

TEST_F(ApplicationObjectBusTest, IntrospectionAndAQDBusInterfaceSeeTheMembers)
{
    const QString service = m_serviceName;
    QDBusConnection client = *m_client;
    struct Seen
    {
        QString xml;
        QString name;
        bool valid = false;
    };
    const Seen seen = fromDirector([client, service]() {
        Seen s;
        QDBusMessage call = QDBusMessage::createMethodCall(
            service, ApplicationBusObject::ObjectPath(),
            QStringLiteral("org.freedesktop.DBus.Introspectable"), QStringLiteral("Introspect"));
        const QDBusMessage reply = client.call(call, QDBus::Block, 5000);
        if (!reply.arguments().isEmpty())
            s.xml = reply.arguments().first().toString();
        QDBusInterface application(service, ApplicationBusObject::ObjectPath(),
                                   ApplicationBusObject::InterfaceName(), client);
        s.valid = application.isValid();
        s.name = application.property("Name").toString();
        return s;
    });
    EXPECT_TRUE(
        seen.xml.contains(QStringLiteral("<property name=\"LcaVersion\" type=\"s\" access=\"read\"/>")));
    EXPECT_TRUE(
        seen.xml.contains(QStringLiteral("<property name=\"Height\" type=\"i\" access=\"readwrite\"/>")));
    EXPECT_TRUE(seen.xml.contains(QStringLiteral("<arg name=\"ClassId\" type=\"n\" direction=\"in\"/>")));
    EXPECT_TRUE(seen.valid);
    EXPECT_EQ(seen.name, QStringLiteral("tarvina RX24"));
}

// --- window placement ---------------------------------------------------------

TEST_F(ApplicationObjectBusTest, WindowPropertiesFollowTheMainWindow)
{
    RecordingMainWindow &placed = window;
    EXPECT_EQ(get(QStringLiteral("Height")).toInt(), 200);
    EXPECT_EQ(set(QStringLiteral("Left"), 55).type(), QDBusMessage::ReplyMessage);
    EXPECT_EQ(placed.left, 55);
    EXPECT_EQ(set(QStringLiteral("Visible"), false).type(), QDBusMessage::ReplyMessage);
    EXPECT_FALSE(placed.visible);
    EXPECT_TRUE(get(QStringLiteral("Minimized")).toBool());
}

TEST_F(ApplicationObjectBusTest, WindowPropertiesReadZeroAndIgnoreWritesOnceTheStartFailed)
{
    RecordingMainWindow &placed = window;
    PlugInGlobals::TerminateRequested = true;
    for (const char *name : {"Height", "Left", "Top", "Width"})
        EXPECT_EQ(get(QLatin1String(name)).toInt(), 0) << name;
    EXPECT_FALSE(get(QStringLiteral("Minimized")).toBool());
    EXPECT_FALSE(get(QStringLiteral("Visible")).toBool());
    EXPECT_EQ(set(QStringLiteral("Width"), 999).type(), QDBusMessage::ReplyMessage);
    EXPECT_EQ(placed.width, 300);
}

// --- commands -----------------------------------------------------------------

TEST_F(ApplicationObjectBusTest, SendCommandStartsTheDeviceConnection)
{
    EXPECT_EQ(sendCommand(13, 7, Device).type(), QDBusMessage::ReplyMessage);
    EXPECT_TRUE(QTest::qWaitFor([] { return PlugInGlobals::CommandIndex == 1; }, 5000));
    EXPECT_TRUE(window.calls.contains(QStringLiteral("Start")));
    EXPECT_EQ(PlugInGlobals::DeviceName, QStringLiteral("RX24 Hall"));
    // The window is open: the director is not done yet.
    EXPECT_FALSE(finished);
}

TEST_F(ApplicationObjectBusTest, SendCommandWithWrongArgumentTypesIsRefused)
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(m_serviceName, ApplicationBusObject::ObjectPath(),
                                       ApplicationBusObject::InterfaceName(), QStringLiteral("SendCommand"));
    call << 13 << 7 << Device; // ClassId as a 32-bit integer
    QDBusConnection client = *m_client;
    const QDBusMessage reply =
        fromDirector([client, call]() mutable { return client.call(call, QDBus::Block, 5000); });
    EXPECT_EQ(reply.errorName(), QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"));
    EXPECT_EQ(PlugInGlobals::CommandId, 0);
}

TEST_F(ApplicationObjectBusTest, SendCommandIsIgnoredOnceTheStartFailed)
{
    PlugInGlobals::TerminateRequested = true;
    EXPECT_EQ(sendCommand(13, 7, Device).type(), QDBusMessage::ReplyMessage);
    EXPECT_TRUE(QTest::qWaitFor([this] { return finished; }, 5000));
    EXPECT_EQ(PlugInGlobals::CommandId, 0);
    EXPECT_TRUE(window.calls.isEmpty());
    EXPECT_TRUE(MessageBox::shownBoxes().isEmpty());
}

TEST_F(ApplicationObjectBusTest, ARefusedCommandEndsThePlugInAndTheService)
{
    EXPECT_EQ(sendCommand(13, 28, Device).type(), QDBusMessage::ReplyMessage);
    EXPECT_TRUE(QTest::qWaitFor([this] { return finished; }, 5000));
    EXPECT_TRUE(PlugInGlobals::Ended);
    EXPECT_TRUE(PlugInGlobals::TerminateRequested);
    ASSERT_EQ(MessageBox::shownBoxes().size(), 1);
}

// --- LnsObjectByTool -------------------------------------------------------------

TEST_F(ApplicationObjectBusTest, ADeviceObjectIsIgnoredAndTheCommandConnectsFully)
{
    EXPECT_EQ(set(QStringLiteral("LnsObjectByTool"), Device).type(), QDBusMessage::ReplyMessage);
    EXPECT_EQ(get(QStringLiteral("LnsObjectByTool")).toString(), QString());
    EXPECT_FALSE(PlugInGlobals::StartedFromLnsObject);
    // Looking at the object left no connection open.
    EXPECT_FALSE(m_server->isConnected());

    sendCommand(13, 7, Device);
    EXPECT_TRUE(QTest::qWaitFor([] { return PlugInGlobals::CommandIndex == 1; }, 5000));
    EXPECT_EQ(PlugInGlobals::DeviceName, QStringLiteral("RX24 Hall"));
    EXPECT_TRUE(window.calls.contains(QStringLiteral("Start")));
}

TEST_F(ApplicationObjectBusTest, ALonMarkObjectMakesTheCommandStartFromIt)
{
    const QString channel = Device + QStringLiteral("\\#2");
    EXPECT_EQ(set(QStringLiteral("LnsObjectByTool"), channel).type(), QDBusMessage::ReplyMessage);
    EXPECT_EQ(get(QStringLiteral("LnsObjectByTool")).toString(), channel);
    EXPECT_TRUE(PlugInGlobals::StartedFromLnsObject);

    sendCommand(13, 7, Device);
    EXPECT_TRUE(QTest::qWaitFor([this] { return window.calls.contains(QStringLiteral("Start")); }, 5000));
    // No connection start: the device comes from the object's parents.
    EXPECT_TRUE(PlugInGlobals::DeviceName.isEmpty());
    ASSERT_TRUE(PlugInGlobals::Session.device);
    EXPECT_EQ(PlugInGlobals::Session.device->name(), QStringLiteral("RX24 Hall"));
    EXPECT_EQ(PlugInGlobals::Session.lonMarkObject->name(), QStringLiteral("Channel1"));
    // An object can be named, too.
    EXPECT_EQ(set(QStringLiteral("LnsObjectByTool"), Device + QStringLiteral("\\Channel16")).type(),
              QDBusMessage::ReplyMessage);
    EXPECT_EQ(PlugInGlobals::Session.lonMarkObject->name(), QStringLiteral("Channel16"));
}

TEST_F(ApplicationObjectBusTest, AnObjectThatDoesNotExistIsIgnored)
{
    for (const QString &name : {Device + QStringLiteral("\\Channel99"), Device + QStringLiteral("\\#0"),
                                QStringLiteral("Nowhere\\LNS System\\RX24"), QString()}) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(set(QStringLiteral("LnsObjectByTool"), name).type(), QDBusMessage::ReplyMessage);
        EXPECT_EQ(get(QStringLiteral("LnsObjectByTool")).toString(), QString());
        EXPECT_FALSE(PlugInGlobals::StartedFromLnsObject);
    }
}

// --- registration -------------------------------------------------------------------

TEST_F(ApplicationObjectBusTest, RegistrationReportsToTheDirectorsObject)
{
    // The director's receiver answers from a thread of its own, as another process would.
    QThread receiverThread;
    receiverThread.start();
    ResultSink sink;
    sink.moveToThread(&receiverThread);
    QDBusConnection receiverBus =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("receiver"));
    EXPECT_TRUE(receiverBus.registerObject(QStringLiteral("/RegResult"), &sink,
                                           QDBusConnection::ExportAllProperties));

    set(QStringLiteral("ProgramIdsToRegister"), QStringLiteral("9000A5E018040100"));
    EXPECT_EQ(
        set(QStringLiteral("RegResult"), receiverBus.baseService() + QStringLiteral(" /RegResult")).type(),
        QDBusMessage::ReplyMessage);
    sendCommand(50, 0, QStringLiteral("Demo"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return sink.received.load(); }, 8000));
    EXPECT_EQ(sink.regResult(), LnsProjectRegistration::resultValue(true));
    EXPECT_TRUE(QTest::qWaitFor([this] { return finished; }, 5000));
    // The result object suppresses the message box.
    EXPECT_TRUE(MessageBox::shownBoxes().isEmpty());

    receiverBus.unregisterObject(QStringLiteral("/RegResult"));
    QDBusConnection::disconnectFromBus(QStringLiteral("receiver"));
    receiverThread.quit();
    receiverThread.wait(5000);
}

TEST_F(ApplicationObjectBusTest, AReceiverThatIsGoneOnlyCostsALogEntry)
{
    set(QStringLiteral("ProgramIdsToRegister"), QStringLiteral("9000A5E018040100"));
    set(QStringLiteral("RegResult"), QStringLiteral("org.example.NobodyHere /RegResult"));
    sendCommand(50, 0, QStringLiteral("Demo"));
    EXPECT_TRUE(QTest::qWaitFor([this] { return finished; }, 8000));
    EXPECT_TRUE(MessageBox::shownBoxes().isEmpty());
}

// --- lifetime -------------------------------------------------------------------------

TEST_F(ApplicationObjectBusTest, NoDirectorWithinTheIdleTimeEndsTheService)
{
    m_automation->setIdleTimeout(100);
    EXPECT_TRUE(QTest::qWaitFor([this] { return finished; }, 3000));
}

TEST_F(ApplicationObjectBusTest, ASecondServerDoesNotGetTheName)
{
    QDBusConnection other =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("second"));
    {
        AutomationServer second(other, m_serviceName);
        EXPECT_FALSE(second.start());
    }
    QDBusConnection::disconnectFromBus(QStringLiteral("second"));
}

#include "ApplicationObjectBusTest.moc"
