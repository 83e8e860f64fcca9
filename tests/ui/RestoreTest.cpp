// An earlier configuration of the device taken back into the window from its
// history, and written by Apply like any other change.
#include "MainWindowFixture.h"
#include "workflows/WriteHistory.h"

#include <QDialog>
#include <QTableWidget>
#include <QTimer>
#include <QTreeWidget>

namespace {

class Restore : public MainWindowFixture
{
protected:
    // Three writes through Apply: a light and a switch, a name, another function.
    void writeThreeTimes()
    {
        storeSlots(QStringLiteral("RX24 Hall"), {MT_RP4, MT_KW8});
        start();
        original = window->Configuration()->TakeSet();
        pickEntry(channelRow(1, 1), "cboObject", QStringLiteral("Channel1"));
        pickEntry(channelRow(2, 1), "cboObject", QStringLiteral("Channel2"));
        pickEntry(channelRow(2, 1), "cboType", cActChannel::FptText(QStringLiteral("21201/3")));
        click(QStringLiteral("btnApply"));
        window->ShowPage(frmMain::ObjectsKey);
        find<QLineEdit>(QStringLiteral("txtName1"))->setText(QString());
        QTest::keyClicks(find<QLineEdit>(QStringLiteral("txtName1")), QStringLiteral("Light Desk"));
        click(QStringLiteral("btnApply"));
        pickEntry(channelRow(2, 1), "cboType", cActChannel::FptText(QStringLiteral("21201/1")));
        click(QStringLiteral("btnApply"));
        ASSERT_EQ(history().size(), 3) << redLines().join(QLatin1Char('\n')).toStdString();
    }
    QList<LnsHistoryEntry> history() const { return device(QStringLiteral("RX24 Hall"))->history(); }

    // The File menu's tool opens the dialog, work drives it, Cancel closes
    // what work left open. False: no dialog opened.
    bool throughDialog(const std::function<void(QDialog &)> &work)
    {
        bool opened = false;
        QTimer::singleShot(0, window.get(), [&] {
            if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
                opened = true;
                work(*dialog);
                if (dialog->isVisible())
                    QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("btnCancel")),
                                      Qt::LeftButton);
            }
        });
        trigger(QStringLiteral("RestoreConfiguration"));
        QCoreApplication::processEvents(); // a timer no dialog took runs now
        return opened;
    }
    static void select(QDialog &dialog, int row)
    {
        auto *list = dialog.findChild<QTreeWidget *>(QStringLiteral("lstEntries"));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->topLevelItem(row)).center());
    }
    ConfigurationSet original;
};

TEST_F(Restore, TheFirstWriteIsUndoneAfterSeeingWhatItChangedInWords)
{
    writeThreeTimes();
    QStringList numbers;
    QStringList nameRow;
    ASSERT_TRUE(throughDialog([&](QDialog &dialog) {
        auto *list = dialog.findChild<QTreeWidget *>(QStringLiteral("lstEntries"));
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            numbers << list->topLevelItem(i)->text(0);
        select(dialog, 2);
        auto *table = dialog.findChild<QTableWidget *>(QStringLiteral("tblDifference"));
        for (int r = 0; r < table->rowCount(); ++r)
            if (table->item(r, 1)->text() == ResourceStrings::LoadResString(1961, 4))
                nameRow = QStringList{table->item(r, 2)->text(), table->item(r, 3)->text()};
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("btnRestore")), Qt::LeftButton);
    }));
    EXPECT_EQ(numbers, (QStringList{QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("1")}));
    // Object 1 had its own name before the first write: a row says so in words.
    EXPECT_EQ(nameRow, (QStringList{QStringLiteral("Channel1"), QStringLiteral("Light Desk")}));
    // Only the window has the set so far, names included; Apply writes it.
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("txtName1"))->text(), QStringLiteral("Channel1"));
    EXPECT_EQ(history().size(), 3);
    click(QStringLiteral("btnApply"));
    restart();
    EXPECT_EQ(window->Configuration()->TakeSet().differences(original, true), QStringList());
    EXPECT_EQ(history().size(), 4) << "the restore can be undone in turn";
}

TEST_F(Restore, CancelChangesNothingAndUnwrittenChangesAreAskedAbout)
{
    writeThreeTimes();
    const ConfigurationSet written = window->Configuration()->TakeSet();
    ASSERT_TRUE(throughDialog([](QDialog &dialog) { select(dialog, 2); }));
    EXPECT_EQ(window->Configuration()->TakeSet().differences(written, true), QStringList());

    pickEntry(channelRow(1, 2), "cboObject", QStringLiteral("Channel3"));
    MessageBox::queueAnswer(MessageBox::Button::No);
    EXPECT_FALSE(throughDialog([](QDialog &) {}));
    EXPECT_EQ(MessageBox::lastShown().text, ResourceStrings::LoadResString(1984, 1));
    EXPECT_TRUE(find<QPushButton>(QStringLiteral("btnApply"))->isEnabled()) << "No keeps the edits";
    MessageBox::queueAnswer(MessageBox::Button::Yes);
    EXPECT_TRUE(throughDialog([](QDialog &) {}));
}

TEST_F(Restore, AGermanStartNamesTheToolInGermanAndAnEmptyHistoryOffersNothing)
{
    RegistryUtility::write(LcaPlugIn::LanguageKey(), QStringLiteral("Language"), QStringLiteral("1000"));
    start();
    EXPECT_EQ(find<QAction>(QStringLiteral("mnuRestoreConfiguration"))->text().remove(QLatin1Char('&')),
              QStringLiteral("Frühere Konfiguration wiederherstellen ..."));
    QString said;
    bool restorable = true;
    ASSERT_TRUE(throughDialog([&](QDialog &dialog) {
        said = dialog.findChild<QLabel *>(QStringLiteral("lblEntries"))->text();
        restorable = dialog.findChild<QPushButton *>(QStringLiteral("btnRestore"))->isEnabled();
    }));
    EXPECT_EQ(said, ResourceStrings::LoadResString(1981, 3, {QStringLiteral("RX24 Hall")}));
    EXPECT_FALSE(restorable);
}

} // namespace
