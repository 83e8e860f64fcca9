// The main window driven as a user drives it.
#include "MainWindowFixture.h"
#include "host/ApplicationObject.h"
#include "support/ScriptedDeviceSelection.h"

#include <QMenu>
#include <QTimer>

namespace {

class MainWindow : public MainWindowFixture
{
protected:
    // RP4 in slot 1 with lighting on channel 1 (object 1, "Light Hall"), a
    // KW8 in slot 2 with a switch on channel 1 (object 3), an HF4 in slot 3.
    void storeConfiguredDevice(const QString &device = QStringLiteral("RX24 Hall"))
    {
        storeSlots(device, {MT_RP4, MT_KW8, MT_HF4});
        storeBinding(device, 1, 1, 1, MT_RP4, 21400);
        storeBinding(device, 3, 2, 1, MT_KW8, 21201);
    }
    QString objectOf(int slot, int channel) const
    {
        return channelRow(slot, channel)->findChild<QComboBox *>(QStringLiteral("cboObject"))->currentText();
    }
};

TEST_F(MainWindow, OpensWithTheStoredModulesChannelsAndNames)
{
    storeConfiguredDevice();
    start();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("RX24 Hall"));
    // Tabs of unused slots are hidden; slot n's tab reads "Module n".
    EXPECT_EQ(visibleTabs(), (QStringList{QStringLiteral("Device"), QStringLiteral("Objects"),
                                          QStringLiteral("Module 1"), QStringLiteral("Module 2"),
                                          QStringLiteral("Module 3"), QStringLiteral("Logger")}));
    EXPECT_EQ(slotList(2)->currentText().toStdString(), "sorvan KW8");
    EXPECT_EQ(objectOf(1, 1).toStdString(), "Channel1");
    EXPECT_EQ(objectOf(2, 1).toStdString(), "Channel3");
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("txtName3"))->text(), QStringLiteral("Channel3"));
    // The lighting modules offer their own configuration.
    EXPECT_FALSE(find<QPushButton>(QStringLiteral("cmdConfigure1"))->isVisibleTo(window.get()));
    EXPECT_TRUE(find<QPushButton>(QStringLiteral("cmdConfigure2"))->isVisibleTo(window.get()));
    EXPECT_EQ(find<QLabel>(QStringLiteral("lblStatus"))->text(), QStringLiteral("Ready."));
    EXPECT_FALSE(find<QPushButton>(QStringLiteral("btnApply"))->isEnabled());
    // The window loads before it is displayed.
    const QStringList trace = traces();
    ASSERT_TRUE(trace.contains(QStringLiteral("[frmMain] Private Sub Form_Load()")));
    EXPECT_LT(trace.indexOf(QStringLiteral("[frmMain] Private Sub Form_Load()")),
              trace.indexOf(QStringLiteral("[frmMain] Public Sub Display()")));
    // Module pages hold the rows.
    EXPECT_EQ(channelRow(2, 1)->parentWidget()->objectName(), QStringLiteral("pageModule2"));
}

TEST_F(MainWindow, SlotsFillFromTheFirstWithoutGaps)
{
    storeConfiguredDevice();
    start();
    EXPECT_EQ(slotList(2)->findData(-1), -1) << "slot 2 cannot be emptied while slot 3 is used";
    EXPECT_FALSE(slotList(5)->isEnabled()) << "the slot after an empty one is greyed";
    chooseSlot(4, MT_RP8);
    EXPECT_EQ(slotList(3)->findData(-1), -1);
    EXPECT_TRUE(slotList(5)->isEnabled());
    EXPECT_TRUE(visibleTabs().contains(QStringLiteral("Module 4")));
    EXPECT_TRUE(find<QPushButton>(QStringLiteral("btnApply"))->isEnabled());
    EXPECT_EQ(window->Configuration()->ActModules().Item(4)->ChannelCount(), 8) << "channels follow the list";

    chooseSlot(4, -1);
    EXPECT_NE(slotList(3)->findData(-1), -1) << "slot 3 may be emptied again";
    EXPECT_FALSE(visibleTabs().contains(QStringLiteral("Module 4")));
    chooseSlot(4, MT_KW4);
    // The tab comes back at its place, between Module 3 and Logger.
    const QStringList tabsShown = visibleTabs();
    EXPECT_EQ(tabsShown.indexOf(QStringLiteral("Module 4")),
              tabsShown.indexOf(QStringLiteral("Module 3")) + 1);

    // The last slot has no next one to grey; emptying it gives slot 7 the choice back.
    for (int slot = 5; slot <= 8; ++slot)
        chooseSlot(slot, MT_RP4);
    EXPECT_EQ(slotList(7)->findData(-1), -1);
    chooseSlot(8, -1);
    EXPECT_NE(slotList(7)->findData(-1), -1);
    EXPECT_FALSE(visibleTabs().contains(QStringLiteral("Module 8")));
    EXPECT_EQ(visibleTabs().last(), QStringLiteral("Logger"));
}

TEST_F(MainWindow, AFunctionPickedAndAppliedIsThereAfterReopening)
{
    storeConfiguredDevice();
    start();
    pickEntry(channelRow(1, 2), "cboObject", QStringLiteral("Channel2"));
    pickEntry(channelRow(2, 3), "cboObject", QStringLiteral("Channel4"));
    // The dual-pushbutton switch takes channels 3 and 4 of the KW8.
    pickEntry(channelRow(2, 3), "cboType", cActChannel::FptText(QStringLiteral("21201/8")));
    EXPECT_FALSE(
        channelRow(2, 4)->findChild<QComboBox *>(QStringLiteral("cboObject"))->isEnabledTo(channelRow(2, 4)));
    window->ShowPage(frmMain::ObjectsKey);
    find<QLineEdit>(QStringLiteral("txtName2"))->setText(QString());
    // "\\" separates the levels of object names: the field refuses it.
    QTest::keyClicks(find<QLineEdit>(QStringLiteral("txtName2")), QStringLiteral("Light\\ Office"));
    EXPECT_EQ(objectOf(1, 2).toStdString(), "Light Office") << "the closed list shows the new name at once";
    ASSERT_TRUE(find<QPushButton>(QStringLiteral("btnApply"))->isEnabled());
    click(QStringLiteral("btnApply"));
    EXPECT_FALSE(find<QPushButton>(QStringLiteral("btnApply"))->isEnabled());
    EXPECT_TRUE(redLines().isEmpty()) << redLines().join(QLatin1Char('\n')).toStdString();

    restart();
    EXPECT_EQ(objectOf(1, 2).toStdString(), "Light Office");
    EXPECT_EQ(channelRow(2, 3)->GetCurrentTypeComboItemText().toStdString(),
              cActChannel::FptText(QStringLiteral("21201/8")).toStdString());
    EXPECT_FALSE(
        channelRow(2, 4)->findChild<QComboBox *>(QStringLiteral("cboObject"))->isEnabledTo(channelRow(2, 4)));
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("txtName2"))->text().toStdString(), "Light Office");
}

TEST_F(MainWindow, ChangesAreNotLostByClosingOrByAFailedOk)
{
    storeConfiguredDevice();
    storeBinding(QStringLiteral("RX24 Hall"), 5, 1, 3, MT_RP4, 21201);
    start();
    pickEntry(channelRow(1, 2), "cboObject", QStringLiteral("Channel2"));
    MessageBox::queueAnswer(MessageBox::Button::No);
    click(QStringLiteral("btnCancel"));
    EXPECT_EQ(MessageBox::lastShown().text, ResourceStrings::LoadResString(1428, 3));
    EXPECT_TRUE(window->IsLoaded()) << "No keeps the window";

    // The stored switch on a relay channel cannot be written: OK writes
    // nothing and the Logger page shows why.
    window->ShowPage(frmMain::ObjectsKey);
    QTest::keyClicks(find<QLineEdit>(QStringLiteral("txtName6")), QStringLiteral(" x"));
    click(QStringLiteral("btnOK"));
    EXPECT_TRUE(window->IsLoaded());
    EXPECT_EQ(selectedTab(), QStringLiteral("Logger"));
    EXPECT_TRUE(redLines().contains(ResourceStrings::LoadResString(1555)));
    EXPECT_TRUE(find<QListWidget>(QStringLiteral("lstLog"))->count() > 0);

    // Put right, OK writes and closes: the refused check before is no
    // failure of this write.
    pickEntry(channelRow(1, 3), "cboType", cActChannel::FptText(QStringLiteral("21400")));
    click(QStringLiteral("btnOK"));
    EXPECT_FALSE(window->IsLoaded());
    // Channel object 5 is LonMark object 6: the node object comes first.
    EXPECT_TRUE(stateOf(QStringLiteral("RX24 Hall")).contains(QStringLiteral("object 6 FptIndex: 83 152")));
}

TEST_F(MainWindow, ASavedSetLoadsIntoAnotherDeviceAndAForeignFileIsRefused)
{
    storeConfiguredDevice();
    addDevice(QStringLiteral("RX24 Office"), QStringLiteral("9000A5E018040100"));
    start();
    const QString file = path("hall.dat");
    FileDialog::queueAnswer(file);
    trigger(QStringLiteral("SaveFile"));
    ASSERT_TRUE(QFile::exists(file));

    // What the file carries: the slots and every channel object's binding.
    const auto binding = [this](const QString &device) {
        QStringList lines;
        for (const QString &line : stateOf(device)) {
            if (line.startsWith(QLatin1String("DeviceModules")) ||
                line.contains(QLatin1String(" FptIndex:")) || line.contains(QLatin1String(" Module")))
                lines << line;
        }
        return lines;
    };
    const QStringList hall = binding(QStringLiteral("RX24 Hall"));
    restart(QStringLiteral("RX24 Office"));
    FileDialog::queueAnswer(file);
    trigger(QStringLiteral("OpenFile"));
    EXPECT_EQ(slotList(2)->currentText().toStdString(), "sorvan KW8");
    // The slots the file filled, and the one after them, are the user's again.
    for (int slot = 2; slot <= 4; ++slot)
        EXPECT_TRUE(slotList(slot)->isEnabled()) << "slot " << slot;
    EXPECT_FALSE(slotList(5)->isEnabled());
    EXPECT_TRUE(find<QPushButton>(QStringLiteral("btnApply"))->isEnabled());
    click(QStringLiteral("btnApply"));
    EXPECT_EQ(DeviceState::difference(hall, binding(QStringLiteral("RX24 Office"))), "");

    // A file of another kind of device changes nothing.
    QFile other(path("other.dat"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("[General]\r\nPlugInName = veltoTarvinaRX24\r\nProgramId = 9000A5E0FF000001\r\n"
                "DataFileVersion = 1\r\n[Parameters]\r\nDeviceModules_1 = 5\r\n");
    other.close();
    FileDialog::queueAnswer(path("other.dat"));
    trigger(QStringLiteral("OpenFile"));
    EXPECT_EQ(MessageBox::lastShown().text.toStdString(),
              ResourceStrings::LoadResString(1520, 2).toStdString());
    EXPECT_EQ(slotList(1)->currentData().toInt(), MT_RP4);
}

TEST_F(MainWindow, CopyParametersWritesTheSetToTheChosenDevices)
{
    storeConfiguredDevice();
    addDevice(QStringLiteral("RX24 Office"), QStringLiteral("9000A5E018040100"));
    addDevice(QStringLiteral("RX24 Lab"), QStringLiteral("9000A5E018040100"));
    MultiDeviceSelection::setFactory([] {
        return std::make_unique<ScriptedDeviceSelection>(
            QStringList{QStringLiteral("RX24 Office"), QStringLiteral("RX24 Lab")});
    });
    start();
    click(QStringLiteral("btnOK")); // nothing changed: no write, the window closes
    EXPECT_FALSE(window->IsLoaded());
    restart();
    trigger(QStringLiteral("SpreadParameters"));
    // The copies carry the set as a write leaves it; the source gets the same.
    trigger(QStringLiteral("WriteParameters"));
    const QStringList hallCps = DeviceState::of(device(QStringLiteral("RX24 Hall")), false, false);
    for (const char *name : {"RX24 Office", "RX24 Lab"}) {
        NetworkDatabase other(path("net.lnsdb"), NetworkDatabase::OpenMode::ReadOnly);
        other.connectServer(0);
        const auto copy =
            other.device(QStringLiteral("Demo"), QStringLiteral("LNS System.Floor 1"), QLatin1String(name));
        EXPECT_EQ(DeviceState::difference(hallCps, DeviceState::of(copy, false, false)), "") << name;
    }
}

// The plug-in description file says which program ids take the set; an
// edit made while the window is open counts from the next command on.
TEST_F(MainWindow, AnEditOfTheDescriptionFileShowsAtTheNextCommand)
{
    addDevice(QStringLiteral("RX24 Annex"), QStringLiteral("9000A5E0180401FF"));
    QStringList offered;
    MultiDeviceSelection::setFactory([&offered] {
        struct Recording : ScriptedDeviceSelection
        {
            explicit Recording(QStringList &record) : m_record(record) {}
            QList<LnsRef<LnsAppDevice>> chooseDevices(const LnsRef<LnsNetwork> &network,
                                                      const LnsRef<LnsSystem> &system,
                                                      const LnsRef<LnsAppDevice> &current,
                                                      const UtilityComponent &description,
                                                      QWidget *parent) override
            {
                const auto none =
                    ScriptedDeviceSelection::chooseDevices(network, system, current, description, parent);
                m_record = offered();
                return none;
            }
            QStringList &m_record;
        };
        return std::make_unique<Recording>(offered);
    });
    start();
    const auto copy = [this] { trigger(QStringLiteral("SpreadParameters")); };
    copy();
    EXPECT_FALSE(offered.contains(QStringLiteral("RX24 Annex")));

    QFile description(path("prog/tarvinaRX24.ini"));
    ASSERT_TRUE(description.open(QIODevice::ReadOnly));
    QByteArray text = description.readAll();
    description.close();
    text.replace("9000A5E018040100=9000A5E018040100,", "9000A5E018040100=9000A5E018040100,9000A5E0180401FF,");
    ASSERT_TRUE(description.open(QIODevice::WriteOnly | QIODevice::Truncate));
    description.write(text);
    description.close();

    copy();
    EXPECT_TRUE(offered.contains(QStringLiteral("RX24 Annex")));
}

TEST_F(MainWindow, MenuLanguageHelpAndTheCommandsThatDoNotConfigure)
{
    start();
    // Help is offered exactly when the manual is there.
    EXPECT_FALSE(find<QAction>(QStringLiteral("mnuManual"))->isEnabled());
    provideManual();
    restart();
    EXPECT_TRUE(find<QAction>(QStringLiteral("mnuManual"))->isEnabled());

    EXPECT_TRUE(find<QAction>(QStringLiteral("mnuEnglish"))->isChecked());
    trigger(QStringLiteral("English"));
    EXPECT_TRUE(MessageBox::shownBoxes().isEmpty()) << "the stored language needs no switch";
    EXPECT_TRUE(find<QAction>(QStringLiteral("mnuEnglish"))->isChecked());
    trigger(QStringLiteral("German"));
    EXPECT_EQ(MessageBox::lastShown().text,
              ResourceStrings::LoadResString(1490, 1, QStringList{QStringLiteral("German")}));
    EXPECT_EQ(LcaPlugIn::ReadLanguage(), 1000);
    EXPECT_TRUE(find<QAction>(QStringLiteral("mnuGerman"))->isChecked());
    EXPECT_FALSE(find<QAction>(QStringLiteral("mnuEnglish"))->isChecked());
    EXPECT_TRUE(
        settingsContent().contains(QStringLiteral("SOFTWARE/velto/koradesk Register/Options/Language=1000")));

    QTest::keyClick(window.get(), Qt::Key_F1);
    window->ShowPage(frmMain::LoggerKey);
    QTest::keyClick(window.get(), Qt::Key_F1);
    EXPECT_EQ(help.topics, (QList<int>{1001, 1000}));

    // A command that does not configure offers no configuration.
    window->SetOfferedTabs(27);
    EXPECT_FALSE(find<QWidget>(QStringLiteral("btnConfiguration"))->isVisibleTo(window.get()));
    window->PrepareMenu(3);
    for (const char *tool : {"OpenFile", "SaveFile", "ReadParameters", "WriteParameters", "SpreadParameters"})
        EXPECT_FALSE(find<QAction>(QStringLiteral("mnu") + QLatin1String(tool))->isVisible()) << tool;
    EXPECT_TRUE(find<QAction>(QStringLiteral("mnuQuit"))->isVisible());
}

} // namespace

namespace {

TEST_F(MainWindow, AStartInGermanShowsGermanCaptionsAndMenu)
{
    RegistryUtility::write(LcaPlugIn::LanguageKey(), QStringLiteral("Language"), QStringLiteral("1000"));
    start();
    EXPECT_EQ(visibleTabs().first(), QStringLiteral("Gerät"));
    EXPECT_EQ(visibleTabs().last(), QStringLiteral("Protokoll"));
    EXPECT_EQ(find<QLabel>(QStringLiteral("lblSlot3"))->text(), QStringLiteral("Modul 3"));
    // Every text built before the language was known follows it too.
    QWidget *modulePage = find<QWidget>(QStringLiteral("pageModule1"));
    EXPECT_EQ(modulePage->findChild<QLabel *>(QStringLiteral("lblTitle"))->text(), QStringLiteral("Modul 1"));
    EXPECT_EQ(modulePage->findChild<QLabel *>(QStringLiteral("lblObject"))->text(), QStringLiteral("Objekt"));
    EXPECT_EQ(
        find<QWidget>(QStringLiteral("pageDevice"))->findChild<QLabel *>(QStringLiteral("lblTitle"))->text(),
        ResourceStrings::LoadResString(1030));
    EXPECT_EQ(find<QMenu>(QStringLiteral("mnuFile"))->title(), QStringLiteral("&Datei"));
    EXPECT_EQ(find<QPushButton>(QStringLiteral("btnCancel"))->text(), QStringLiteral("Abbrechen"));
    EXPECT_EQ(find<QLabel>(QStringLiteral("lblStatus"))->text(), ResourceStrings::LoadResString(1517));
    EXPECT_NE(ResourceStrings::LoadResString(1517), QStringLiteral("Ready."));
    // Help opens the German manual.
    provideManual();
    QTest::keyClick(window.get(), Qt::Key_F1);
    ASSERT_EQ(help.paths.size(), 1);
    EXPECT_TRUE(help.paths.first().endsWith(QLatin1String("/help/de/index.html")))
        << help.paths.first().toStdString();
}

TEST_F(MainWindow, AHandedLonMarkObjectOpensItsDeviceWithoutConnecting)
{
    storeSlots(QStringLiteral("RX24 Hall"), {MT_RP4, MT_KW8});
    PlugInGlobals::Help = &help;
    // A director drives the automation object: it hands over a LonMark
    // object of the device, then sends the configuration command.
    ApplicationObject application;
    application.setLnsObjectByTool(QStringLiteral("Demo\\LNS System.Floor 1\\RX24 Hall\\Channel2"));
    application.SendCommand(13, 7, QString());
    ASSERT_TRUE(window->IsLoaded());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("RX24 Hall"));
    ASSERT_TRUE(window->Configuration());
    EXPECT_EQ(slotList(2)->currentData().toInt(), MT_KW8);
    EXPECT_EQ(visibleTabs().size(), 5);
}

TEST_F(MainWindow, AnApplyThatCannotReachTheDeviceOrTheDatabaseKeepsTheEditsForTheNextTry)
{
    storeSlots(QStringLiteral("RX24 Hall"), {MT_RP4});
    start();
    pickEntry(channelRow(1, 2), "cboObject", QStringLiteral("Channel2"));
    const auto reachable = [this](bool yes) {
        otherClient([yes](NetworkDatabase &db) {
            db.setDeviceReachable(QStringLiteral("Demo"), QStringLiteral("LNS System.Floor 1"),
                                  QStringLiteral("RX24 Hall"), yes);
        });
    };
    reachable(false);
    click(QStringLiteral("btnApply"));
    EXPECT_FALSE(redLines().isEmpty());
    EXPECT_TRUE(find<QPushButton>(QStringLiteral("btnApply"))->isEnabled());
    EXPECT_EQ(objectOf(1, 2).toStdString(), "Channel2");

    reachable(true);
    // Another user holds the database: the busy message, and the edits stay.
    {
        LogService::reset();
        NetworkDatabase other(path("net.lnsdb"));
        other.connectServer(0);
        auto otherNetwork = other.openNetwork(QStringLiteral("Demo"), false);
        otherNetwork->system()->startTransaction();
        click(QStringLiteral("btnApply"));
        otherNetwork->system()->cancelTransaction();
        EXPECT_TRUE(redLines().join(QLatin1Char(' ')).contains(QStringLiteral("busy")))
            << redLines().join(QLatin1Char('\n')).toStdString();
        EXPECT_TRUE(find<QPushButton>(QStringLiteral("btnApply"))->isEnabled());
        EXPECT_EQ(objectOf(1, 2).toStdString(), "Channel2");
    }
    LogService::reset();
    click(QStringLiteral("btnApply"));
    EXPECT_TRUE(redLines().isEmpty()) << redLines().join(QLatin1Char('\n')).toStdString();
    EXPECT_FALSE(find<QPushButton>(QStringLiteral("btnApply"))->isEnabled());
}

} // namespace

namespace {

TEST_F(MainWindow, DeviceInfoTellsWhatTheDeviceIsAndWhetherItAnswers)
{
    storeSlots(QStringLiteral("RX24 Hall"), {MT_RP4});
    start();
    QStringList seen;
    const auto readAndClose = [&seen] {
        QWidget *dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        for (const char *name : {"lblDeviceName", "lblProgramId", "lblSubsystem", "lblState"})
            seen << dialog->findChild<QLabel *>(QLatin1String(name))->text();
        const auto *objects = dialog->findChild<QListWidget *>(QStringLiteral("lstObjects"));
        seen << QString::number(objects->count()) << objects->item(0)->text() << objects->item(3)->text();
        dialog->close();
    };
    QTimer::singleShot(0, readAndClose);
    trigger(QStringLiteral("DeviceInfo"));
    // The objects numbered as on the Objects page: the node object has no number.
    EXPECT_EQ(seen.join(QLatin1Char('|')).toStdString(),
              "RX24 Hall|9000A5E018040100|LNS System.Floor 1|" +
                  ResourceStrings::LoadResString(1380, 7).toStdString() + "|17|Node|3. Channel3");

    otherClient([](NetworkDatabase &db) {
        db.setDeviceReachable(QStringLiteral("Demo"), QStringLiteral("LNS System.Floor 1"),
                              QStringLiteral("RX24 Hall"), false);
    });
    seen.clear();
    QTimer::singleShot(0, readAndClose);
    trigger(QStringLiteral("DeviceInfo"));
    EXPECT_EQ(seen.value(3), ResourceStrings::LoadResString(1380, 8));
}

TEST_F(MainWindow, TheRefreshTakesBackAPointerThatACommandLeftBehind)
{
    start();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    for (int i = 0; i < 10; ++i)
        window->Heartbeat();
    EXPECT_TRUE(QApplication::overrideCursor()) << "only every eleventh notification refreshes";
    window->Heartbeat();
    EXPECT_FALSE(QApplication::overrideCursor());

    // A running workflow keeps its hourglass.
    window->SetBusy(true);
    for (int i = 0; i < 11; ++i)
        window->Heartbeat();
    EXPECT_TRUE(QApplication::overrideCursor());
    window->SetBusy(false);
    EXPECT_FALSE(QApplication::overrideCursor());
}

} // namespace
