// The project window over a generated network, driven as a user drives it.
#include "ProjectWindowFixture.h"
#include "batch/ConformanceCheck.h"
#include "batch/SetApplier.h"
#include "batch/SetDifference.h"
#include "platform/services/MessageBox.h"
#include "project/DeviceTableModel.h"
#include "workflows/WriteHistory.h"
#include "workflows/cConfiguration.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTreeWidget>

namespace {

class ProjectWindowTest : public ProjectWindowFixture
{
protected:
    void SetUp() override
    {
        ProjectWindowFixture::SetUp();
        openWindow(project());
        ASSERT_TRUE(tree()->choose(QStringLiteral("Gen")));
    }

    // Generated device 2 (the fully configured setup) saved as a parameter file.
    QString exportFull()
    {
        choose({2});
        const QString file = path("full.par");
        FileDialog::queueAnswer(file);
        action("actionExport")->trigger();
        EXPECT_TRUE(QFileInfo::exists(file)) << MessageBox::lastShown().text.toStdString();
        return file;
    }

    BatchTexts::State standing(int i, const QString &file)
    {
        ConformanceCheck check(*window->session(), file);
        return check.check(generated(i)).state;
    }
};

TEST_F(ProjectWindowTest, TheTreeHoldsEveryLevelAndATreeLevelShowsItsDevicesAndThoseBelow)
{
    ASSERT_EQ(tree()->topLevelItemCount(), 1);
    EXPECT_EQ(tree()->topLevelItem(0)->text(0), QStringLiteral("Gen"));
    // The whole network, in the order a person counts.
    EXPECT_EQ(shownRows(), Devices);
    EXPECT_EQ(cell(0, DeviceTableModel::Name), NetworkGenerator::deviceName(0));
    EXPECT_EQ(cell(9, DeviceTableModel::Name), NetworkGenerator::deviceName(9));

    // "LNS System" › "Building 1": the four floors and their 200 devices.
    ASSERT_TRUE(tree()->choose(QStringLiteral("Gen"), QStringLiteral("LNS System.Building 1")));
    EXPECT_EQ(shownRows(), Devices);
    const QString floor2 = NetworkGenerator::subsystemPath(1);
    ASSERT_TRUE(tree()->choose(QStringLiteral("Gen"), floor2));
    ASSERT_EQ(shownRows(), 50);
    for (int row = 0; row < shownRows(); ++row)
        ASSERT_EQ(cell(row, DeviceTableModel::Subsystem), floor2);

    // What a row says of a device: generated 53 is partly configured, 57
    // does not answer, 62 is another maker's sensor.
    const auto rowOf = [this](int i) {
        for (int row = 0; row < shownRows(); ++row) {
            if (cell(row, DeviceTableModel::Name) == NetworkGenerator::deviceName(i))
                return row;
        }
        return -1;
    };
    EXPECT_EQ(cell(rowOf(53), DeviceTableModel::Modules),
              QStringLiteral("RP4 · JT2 · — · — · — · — · — · —"));
    EXPECT_EQ(cell(rowOf(53), DeviceTableModel::Reachable), QStringLiteral("yes"));
    EXPECT_EQ(cell(rowOf(57), DeviceTableModel::Reachable), QStringLiteral("no"));
    EXPECT_TRUE(cell(rowOf(62), DeviceTableModel::ProgramId).endsWith(QStringLiteral("(other)")));
    EXPECT_TRUE(cell(rowOf(53), DeviceTableModel::LastWritten).isEmpty());
    EXPECT_EQ(window->findChild<QLabel *>(QStringLiteral("lblShown"))->text(),
              QStringLiteral("50 of 200 devices shown"));
}

TEST_F(ProjectWindowTest, TheFilterNarrowsTheTableAsOneTypesByNameModuleAndState)
{
    auto *filter = window->findChild<QLineEdit *>(QStringLiteral("deviceFilter"));
    QTest::keyClicks(filter, QStringLiteral("jt2"));
    // The partly and fully configured setups hold a JT2: every second RX24.
    ASSERT_GT(shownRows(), 0);
    for (int row = 0; row < shownRows(); ++row)
        ASSERT_TRUE(cell(row, DeviceTableModel::Modules).contains(QStringLiteral("JT2"))) << row;
    EXPECT_LT(shownRows(), Devices);

    filter->clear();
    QTest::keyClicks(filter, QStringLiteral("unreachable"));
    int unreachable = 0;
    for (int i = 0; i < Devices; ++i)
        unreachable += NetworkGenerator::isUnreachable(i) ? 1 : 0;
    EXPECT_EQ(shownRows(), unreachable);

    // Two words: both must be there.
    filter->clear();
    QTest::keyClicks(filter, QStringLiteral("00054 rp4"));
    EXPECT_EQ(shownRows(), 1);
    QTest::keyClicks(filter, QStringLiteral("x"));
    EXPECT_EQ(shownRows(), 0);
    filter->clear();
    EXPECT_EQ(shownRows(), Devices);
}

TEST_F(ProjectWindowTest, ApplyFileShowsTheDryRunThenWritesTheReachableDevicesAndSumsUp)
{
    const QString file = exportFull();
    // Two fresh, two partly configured and one that does not answer.
    const QList<int> chosen{0, 1, 4, 5, 7};
    choose(chosen);
    FileDialog::queueAnswer(file);
    action("actionApplyFile")->trigger();

    auto *preview = waitFor<QDialog>("applyPreview");
    ASSERT_TRUE(preview);
    auto *rows = preview->findChild<QTableWidget *>(QStringLiteral("tblResults"));
    ASSERT_EQ(rows->rowCount(), 5);
    EXPECT_EQ(rows->item(4, 0)->text(), NetworkGenerator::deviceName(7));
    EXPECT_TRUE(rows->item(4, 1)->text().contains(QStringLiteral("unreachable"), Qt::CaseInsensitive))
        << rows->item(4, 1)->text().toStdString();
    EXPECT_FALSE(rows->item(0, 2)->text().isEmpty()); // what would change
    // The dry run wrote nothing.
    EXPECT_EQ(standing(0, file), BatchTexts::Differs);
    EXPECT_EQ(preview->findChild<QLabel *>(QStringLiteral("lblCounts"))->text(),
              QStringLiteral("4 of 5 devices would change, 1 cannot be written."));
    QTest::mouseClick(preview->findChild<QPushButton *>(QStringLiteral("btnWrite")), Qt::LeftButton);

    auto *summary = waitFor<QDialog>("applySummary");
    ASSERT_TRUE(summary);
    EXPECT_EQ(summary->findChild<QLabel *>(QStringLiteral("lblCounts"))->text(),
              QStringLiteral("4 of 5 devices done, 1 not."));
    QTest::mouseClick(summary->findChild<QPushButton *>(QStringLiteral("btnClose")), Qt::LeftButton);

    for (int i : {0, 1, 4, 5}) {
        EXPECT_EQ(standing(i, file), BatchTexts::Conforms) << i;
        const LnsRef<LnsAppDevice> device = window->session()->enter(generated(i));
        EXPECT_EQ(WriteHistory::entries(*device).size(), 1) << i;
    }
    EXPECT_EQ(standing(7, file), BatchTexts::UnreachableState);
    // The table says who wrote them last.
    const int row = window->devices().rowOf(generated(0).subsystemPath, generated(0).name);
    QTRY_VERIFY(!window->devices().index(row, DeviceTableModel::LastWritten).data().toString().isEmpty());
}

TEST_F(ProjectWindowTest, ACancelDuringTheWritesStopsBetweenTwoDevices)
{
    const QString file = exportFull();
    const QList<int> chosen{0, 1, 4, 5, 8, 9};
    choose(chosen);
    FileDialog::queueAnswer(file);
    action("actionApplyFile")->trigger();
    auto *preview = waitFor<QDialog>("applyPreview");
    ASSERT_TRUE(preview);
    QTest::mouseClick(preview->findChild<QPushButton *>(QStringLiteral("btnWrite")), Qt::LeftButton);
    // Cancelled once the first device is written.
    auto *progress = waitFor<QProgressDialog>("applyProgress");
    ASSERT_TRUE(progress);
    QTRY_VERIFY_WITH_TIMEOUT(progress->value() >= 1, 20000);
    progress->cancel();

    auto *summary = waitFor<QDialog>("applySummary");
    ASSERT_TRUE(summary);
    auto *rows = summary->findChild<QTableWidget *>(QStringLiteral("tblResults"));
    ASSERT_EQ(rows->rowCount(), chosen.size());
    int written = 0;
    for (int k = 0; k < chosen.size(); ++k) {
        const bool conforms = standing(chosen.at(k), file) == BatchTexts::Conforms;
        written += conforms ? 1 : 0;
        // A device is written whole or not at all, and the summary says which.
        EXPECT_EQ(rows->item(k, 1)->text().contains(QStringLiteral("stopped"), Qt::CaseInsensitive),
                  !conforms)
            << k;
    }
    EXPECT_GE(written, 1);
    EXPECT_LT(written, chosen.size());
}

TEST_F(ProjectWindowTest, CompareShowsTwoDevicesDifferencesAndADeviceAgainstAFile)
{
    const QString file = exportFull();
    choose({1, 2}); // partly and fully configured
    action("actionCompare")->trigger();
    auto *dialog = waitFor<QDialog>("compareDialog");
    ASSERT_TRUE(dialog);
    auto *rows = dialog->findChild<QTableWidget *>(QStringLiteral("tblDifference"));
    ASSERT_GT(rows->rowCount(), 0);
    QStringList places;
    for (int row = 0; row < rows->rowCount(); ++row)
        places << rows->item(row, 0)->text();
    EXPECT_TRUE(places.join(QLatin1Char('\n')).contains(QStringLiteral("Slot 3")))
        << places.join(QLatin1Char('\n')).toStdString();
    dialog->close();

    // The device the file came from holds what it says.
    choose({2});
    FileDialog::queueAnswer(file);
    action("actionCompare")->trigger();
    dialog = waitFor<QDialog>("compareDialog");
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->findChild<QTableWidget *>(QStringLiteral("tblDifference"))->rowCount(), 0);
    EXPECT_TRUE(
        dialog->findChild<QLabel *>(QStringLiteral("lblCompared"))->text().contains(QStringLiteral("same")));
}

TEST_F(ProjectWindowTest, HistoryRestoresTheConfigurationOfBeforeAWrite)
{
    const QString file = exportFull();
    // Generated 1 as it was, then written with the file.
    QString problem;
    const ConfigurationSet before = window->session()->openModel(generated(1), problem)->ReadSet();
    SetApplier(*window->session()).applyFile(generated(1), file, false);
    ASSERT_EQ(standing(1, file), BatchTexts::Conforms);

    choose({1});
    action("actionHistory")->trigger();
    auto *dialog = waitFor<QDialog>("frmRestore");
    ASSERT_TRUE(dialog);
    auto *entries = dialog->findChild<QTreeWidget *>(QStringLiteral("lstEntries"));
    ASSERT_EQ(entries->topLevelItemCount(), 1);
    entries->setCurrentItem(entries->topLevelItem(0));
    QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("btnRestore")), Qt::LeftButton);

    EXPECT_EQ(
        MessageBox::lastShown().text,
        QStringLiteral("Write 1 of %1 was restored: the device holds the configuration of before it again.")
            .arg(NetworkGenerator::deviceName(1)));
    const ConfigurationSet now = window->session()->openModel(generated(1), problem)->ReadSet();
    EXPECT_TRUE(SetDifference::between(before, now, true).isEmpty());
    // The restore is a write of its own: it can be undone in turn.
    EXPECT_EQ(WriteHistory::entries(*window->session()->enter(generated(1))).size(), 2);
}

class EmptyProjectTest : public ProjectWindowFixture
{
};

TEST_F(EmptyProjectTest, AnEmptyDatabaseOffersTheDemoNetworkAndOneClickMakesIt)
{
    openWindow(path("new/first.lnsdb"));
    auto *pages = window->findChild<QStackedWidget *>(QStringLiteral("pages"));
    EXPECT_EQ(pages->currentWidget()->objectName(), QStringLiteral("emptyProject"));
    QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("btnCreateDemo")), Qt::LeftButton);
    EXPECT_EQ(pages->currentWidget()->objectName(), QStringLiteral("splitter"));
    EXPECT_EQ(tree()->network(), QStringLiteral("Demo"));
    EXPECT_GE(shownRows(), 5);
}

} // namespace

namespace {

// A team's project on the server named in the plug-in's settings.
class ProjectOnServerTest : public HostFixture
{
protected:
    bool databaseOnServer() const override { return true; }
};

TEST_F(ProjectOnServerTest, WithoutALocationTheWindowOpensTheServerOfThePlugInsSettings)
{
    QSettings settings(path("registry.ini"), QSettings::IniFormat);
    settings.setValue(QStringLiteral("SOFTWARE/velto/LNS/DatabasePath"), path("desk.lnsdb"));
    settings.setValue(QStringLiteral("SOFTWARE/velto/LNS/Server"), databaseLocation());
    settings.sync();
    ProjectWindow project;
    project.show();
    ASSERT_TRUE(project.open()) << MessageBox::lastShown().text.toStdString();
    EXPECT_EQ(project.network(), QStringLiteral("Demo"));
    ASSERT_EQ(project.devices().rowCount(), 2);
    EXPECT_EQ(project.devices().device(1).device.name, QStringLiteral("RX24 Store"));
    EXPECT_FALSE(project.devices().device(1).device.reachable);
    // The desk's own file was neither read nor made.
    EXPECT_FALSE(QFileInfo::exists(path("desk.lnsdb")));
}

} // namespace
