// An earlier configuration of the device taken back into the window from its
// history, and written by Apply like any other change.
#include "MainWindowFixture.h"
#include "batch/SetDifference.h"
#include "ui/RestoreDialog.h"
#include "workflows/WriteHistory.h"

#include <QTableWidget>
#include <QTimer>
#include <QTreeWidget>

namespace {

class Restore : public MainWindowFixture
{
protected:
    // Three writes through the window's Apply: a light and a switch with a
    // name, the name changed, the switch's function changed.
    void writeThreeTimes()
    {
        storeSlots(QStringLiteral("RX24 Hall"), {MT_RP4, MT_KW8});
        start();
        original = window->Configuration()->TakeSet();
        pickEntry(channelRow(1, 1), "cboObject", QStringLiteral("Channel1"));
        pickEntry(channelRow(2, 1), "cboObject", QStringLiteral("Channel2"));
        pickEntry(channelRow(2, 1), "cboType", cActChannel::FptText(QStringLiteral("21201/3")));
        rename(1, QStringLiteral("Light Hall"));
        apply();
        rename(1, QStringLiteral("Light Desk"));
        apply();
        pickEntry(channelRow(2, 1), "cboType", cActChannel::FptText(QStringLiteral("21201/1")));
        apply();
    }
    void rename(int object, const QString &name)
    {
        window->ShowPage(frmMain::ObjectsKey);
        auto *field = find<QLineEdit>(QStringLiteral("txtName%1").arg(object));
        field->setText(QString());
        QTest::keyClicks(field, name);
    }
    void apply()
    {
        click(QStringLiteral("btnApply"));
        ASSERT_FALSE(find<QPushButton>(QStringLiteral("btnApply"))->isEnabled())
            << redLines().join(QLatin1Char('\n')).toStdString();
    }
    QList<LnsHistoryEntry> history() const { return device(QStringLiteral("RX24 Hall"))->history(); }

    // The File menu's tool opens the dialog; work drives it as the user
    // does, and a dialog it leaves open is cancelled. False: none opened.
    bool throughDialog(const std::function<void(QDialog &)> &work)
    {
        bool opened = false;
        QTimer::singleShot(0, window.get(), [&] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            opened = true;
            work(*dialog);
            if (dialog->isVisible())
                QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("btnCancel")),
                                  Qt::LeftButton);
        });
        trigger(QStringLiteral("RestoreConfiguration"));
        // A timer no dialog took runs now, not in a later step.
        QCoreApplication::processEvents();
        return opened;
    }
    static void select(QDialog &dialog, int row)
    {
        auto *list = dialog.findChild<QTreeWidget *>(QStringLiteral("lstEntries"));
        ASSERT_NE(list->topLevelItem(row), nullptr);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->topLevelItem(row)).center());
    }
    static void restoreEntry(QDialog &dialog, int row)
    {
        select(dialog, row);
        auto *restore = dialog.findChild<QPushButton *>(QStringLiteral("btnRestore"));
        ASSERT_TRUE(restore->isEnabled());
        QTest::mouseClick(restore, Qt::LeftButton);
    }

    ConfigurationSet original;
};

TEST_F(Restore, TheDialogListsTheWritesNewestFirstAndNamesWhatDiffersInWords)
{
    writeThreeTimes();
    QStringList numbers;
    QString who;
    bool restoreBeforeSelecting = true;
    QList<QStringList> rows;
    ASSERT_TRUE(throughDialog([&](QDialog &dialog) {
        auto *list = dialog.findChild<QTreeWidget *>(QStringLiteral("lstEntries"));
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            numbers << list->topLevelItem(i)->text(0);
        who = list->topLevelItem(0)->text(2);
        restoreBeforeSelecting = dialog.findChild<QPushButton *>(QStringLiteral("btnRestore"))->isEnabled();
        select(dialog, 2);
        auto *table = dialog.findChild<QTableWidget *>(QStringLiteral("tblDifference"));
        for (int r = 0; r < table->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < table->columnCount(); ++c)
                cells << table->item(r, c)->text();
            rows << cells;
        }
    }));
    EXPECT_EQ(numbers, (QStringList{QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("1")}));
    EXPECT_EQ(who, WriteHistory::userName() + QLatin1Char('@') + WriteHistory::hostName());
    EXPECT_FALSE(restoreBeforeSelecting) << "nothing is chosen before the user picks a write";

    // Before the first write object 1 had its own name and switch 2 no function.
    const auto rowOf = [&rows](int item) {
        for (const QStringList &row : rows)
            if (row.value(1) == ResourceStrings::LoadResString(1961, item))
                return row;
        return QStringList();
    };
    const QStringList name = rowOf(4);
    ASSERT_FALSE(name.isEmpty()) << "no name row";
    EXPECT_EQ(name.mid(2), (QStringList{QStringLiteral("Channel1"), QStringLiteral("Light Desk")}));
    const QStringList function = rowOf(2);
    ASSERT_FALSE(function.isEmpty()) << "no function row";
    EXPECT_NE(function.at(2), function.at(3));
    for (const QStringList &row : rows)
        EXPECT_FALSE(row.value(0).contains(QLatin1Char('_'))) << "a parameter name instead of words";
}

TEST_F(Restore, RestoreThenApplyGivesTheDeviceBackTheSetBeforeTheFirstWrite)
{
    writeThreeTimes();
    ASSERT_TRUE(throughDialog([](QDialog &dialog) { restoreEntry(dialog, 2); }));
    // Only the window has it so far, names included.
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("txtName1"))->text(), QStringLiteral("Channel1"));
    EXPECT_EQ(history().size(), 3);
    EXPECT_TRUE(find<QPushButton>(QStringLiteral("btnApply"))->isEnabled());
    EXPECT_EQ(find<QLabel>(QStringLiteral("lblStatus"))->text(),
              ResourceStrings::LoadResString(1984, 2, {QStringLiteral("1")}));

    apply();
    restart();
    EXPECT_EQ(window->Configuration()->TakeSet().differences(original, true), QStringList());
    // The restore is a write of its own: it can be undone in turn.
    EXPECT_EQ(history().size(), 4);
}

TEST_F(Restore, CancelChangesNothingAndUnwrittenChangesAreAskedAbout)
{
    writeThreeTimes();
    const ConfigurationSet written = window->Configuration()->TakeSet();
    ASSERT_TRUE(throughDialog([](QDialog &dialog) { select(dialog, 2); }));
    EXPECT_FALSE(find<QPushButton>(QStringLiteral("btnApply"))->isEnabled());
    EXPECT_EQ(window->Configuration()->TakeSet().differences(written, true), QStringList());

    rename(3, QStringLiteral("Spare"));
    MessageBox::queueAnswer(MessageBox::Button::No);
    EXPECT_FALSE(throughDialog([](QDialog &) {}));
    EXPECT_EQ(MessageBox::lastShown().text, ResourceStrings::LoadResString(1984, 1));
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("txtName3"))->text(), QStringLiteral("Spare"));
    MessageBox::queueAnswer(MessageBox::Button::Yes);
    EXPECT_TRUE(throughDialog([](QDialog &dialog) { restoreEntry(dialog, 0); }));
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("txtName3"))->text(), QStringLiteral("Channel3"));
}

TEST_F(Restore, AnEmptyHistoryOrAnUnreadableEntryOffersNoRestore)
{
    start();
    QString said;
    bool restorable = true;
    ASSERT_TRUE(throughDialog([&](QDialog &dialog) {
        said = dialog.findChild<QLabel *>(QStringLiteral("lblEntries"))->text();
        restorable = dialog.findChild<QPushButton *>(QStringLiteral("btnRestore"))->isEnabled();
    }));
    EXPECT_EQ(said, ResourceStrings::LoadResString(1981, 3, {QStringLiteral("RX24 Hall")}));
    EXPECT_FALSE(restorable);

    // An entry pruned by another client after the list was read.
    LnsHistoryEntry gone;
    gone.number = 7;
    RestoreDialog dialog(
        QStringLiteral("RX24 Hall"), {gone}, [](int, ConfigurationSet &) { return false; },
        ConfigurationSet(), window.get());
    dialog.show();
    select(dialog, 0);
    EXPECT_FALSE(dialog.findChild<QPushButton *>(QStringLiteral("btnRestore"))->isEnabled());
    EXPECT_EQ(dialog.findChild<QLabel *>(QStringLiteral("lblDifference"))->text(),
              ResourceStrings::LoadResString(1983, 4, {QStringLiteral("7")}));
}

TEST_F(Restore, TheToolIsGermanInAGermanStartAndGoesWithTheOtherParameterTools)
{
    RegistryUtility::write(LcaPlugIn::LanguageKey(), QStringLiteral("Language"), QStringLiteral("1000"));
    start();
    QAction *tool = find<QAction>(QStringLiteral("mnuRestoreConfiguration"));
    EXPECT_EQ(tool->text().remove(QLatin1Char('&')),
              QStringLiteral("Frühere Konfiguration wiederherstellen ..."));
    window->PrepareMenu(3);
    EXPECT_FALSE(tool->isVisible());
}

} // namespace
