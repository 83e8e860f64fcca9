#include "platform/netdb/DeviceInterfaceFile.h"
#include "platform/netdb/NetworkDatabase.h"
#include "platform/services/DeviceCandidateModel.h"
#include "platform/services/DialogDeviceSelection.h"
#include "platform/services/MultiDeviceSelectionDialog.h"
#include "support/ScriptedDeviceSelection.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <gtest/gtest.h>

// Readable names in failures.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {
const QString kNetwork = QStringLiteral("Site");
const QString kOwnId = QStringLiteral("9000A5E018040100");
const QString kCompatibleId = QStringLiteral("9000A5E018040000"); // listed in tarvinaRX24.ini
const QString kOtherId = QStringLiteral("9000A5E018050100");
// In the order the selection shows them: numbers by value.
const QStringList kSubsystems = {QStringLiteral("LNS System.Floor 1"),
                                 QStringLiteral("LNS System.Floor 1.Room 12"),
                                 QStringLiteral("LNS System.Floor 2"), QStringLiteral("LNS System.Floor 10")};
constexpr int kDevices = 200;
constexpr int kCurrent = 2;

// Device i is "RX i" in subsystem i % 4; every fifth has another program
// id, the next one a compatible id; every seventh does not answer.
QString nameOf(int i)
{
    return QStringLiteral("RX %1").arg(i);
}
QString pathOf(int i)
{
    return kSubsystems.at(i % 4);
}
bool takesTheSet(int i)
{
    return i % 5 != 0 && i != kCurrent;
}
bool reachable(int i)
{
    return i % 7 != 0;
}

// The devices the selection should offer, in the order it shows them.
QStringList expectedOffer(const std::function<bool(int)> &also = [](int) { return true; })
{
    QStringList names;
    for (int s = 0; s < kSubsystems.size(); ++s) {
        for (int i = s; i < kDevices; i += 4) {
            if (takesTheSet(i) && also(i))
                names.append(nameOf(i));
        }
    }
    return names;
}

DeviceInterface interfaceWith(const QString &programId)
{
    return DeviceInterfaceFile::parseText(
        QStringLiteral("ProgramId %1\nObject Node profile=0\n  NV nviRequest type=92 allowed=92\n")
            .arg(programId),
        QStringLiteral("small.xif"));
}

QStringList namesOf(const QList<LnsRef<LnsAppDevice>> &devices)
{
    QStringList names;
    for (const auto &device : devices)
        names.append(device->name());
    return names;
}

class MultiDeviceSelectionTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_dir = new QTemporaryDir;
        s_server = new NetworkDatabase(s_dir->filePath(QStringLiteral("site.lnsdb")),
                                       NetworkDatabase::OpenMode::Create);
        s_server->connectServer(0);
        const DeviceInterface own = interfaceWith(kOwnId), compatible = interfaceWith(kCompatibleId),
                              other = interfaceWith(kOtherId);
        s_server->atomically([&] {
            s_server->createNetwork(kNetwork, QStringLiteral("LNS System"));
            for (const QString &path : kSubsystems)
                s_server->createSubsystem(kNetwork, path);
            for (int i = 0; i < kDevices; ++i) {
                s_server->addDevice(kNetwork, pathOf(i), nameOf(i),
                                    i % 5 == 0 ? other : (i % 5 == 1 ? compatible : own));
                if (!reachable(i))
                    s_server->setDeviceReachable(kNetwork, pathOf(i), nameOf(i), false);
            }
            // A device of another network is never offered.
            s_server->createNetwork(QStringLiteral("Elsewhere"), QStringLiteral("LNS System"));
            s_server->addDevice(QStringLiteral("Elsewhere"), QStringLiteral("LNS System.Floor 1"),
                                QStringLiteral("RX far"), own);
        });
    }

    static void TearDownTestSuite()
    {
        delete s_server;
        delete s_dir;
    }

    void SetUp() override
    {
        m_network = s_server->openNetwork(kNetwork, false);
        m_current = s_server->device(kNetwork, pathOf(kCurrent), nameOf(kCurrent));
        m_description.setIniFile(QStringLiteral(RX24_SOURCE_DIR "/resources/data/tarvinaRX24.ini"));
    }

    // Runs the real selection window; once its search has ended, `drive`
    // works the window and closes it.
    QList<LnsRef<LnsAppDevice>> runDialog(const std::function<void(MultiDeviceSelectionDialog &)> &drive,
                                          int step = DeviceSearch::DefaultStep)
    {
        DialogDeviceSelection selection(step);
        QWidget owner;
        QObject::connect(&selection, &MultiDeviceSelection::Progress, [&](int done, int total) {
            m_progress.append({done, total});
            auto *dialog =
                owner.findChild<MultiDeviceSelectionDialog *>(QStringLiteral("multiDeviceSelection"));
            if (m_onProgress && dialog && dialog->isVisible())
                m_onProgress(*dialog, done);
        });
        QObject::connect(&selection, &MultiDeviceSelection::SearchCompleted, [&] {
            ++m_completed;
            QTimer::singleShot(0, &owner, [&] {
                auto *dialog =
                    owner.findChild<MultiDeviceSelectionDialog *>(QStringLiteral("multiDeviceSelection"));
                ASSERT_NE(dialog, nullptr);
                drive(*dialog);
                if (dialog->isVisible())
                    dialog->reject();
            });
        });
        // Keeps a search that never ends from hanging the test run.
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [&] {
            ADD_FAILURE() << "the search did not end";
            if (auto *dialog = owner.findChild<QDialog *>())
                dialog->reject();
        });
        guard.start(60000);
        return selection.chooseDevices(m_network, m_network->system(), m_current, m_description, &owner);
    }

    template <class T> static T *control(MultiDeviceSelectionDialog &dialog, const char *name)
    {
        auto *widget = dialog.findChild<T *>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    // Rows of the list as shown: name, subsystem, reachable.
    static QList<QStringList> shownRows(MultiDeviceSelectionDialog &dialog)
    {
        QAbstractItemModel *shown = control<QTreeView>(dialog, "deviceList")->model();
        QList<QStringList> rows;
        for (int r = 0; r < shown->rowCount(); ++r)
            rows.append({shown->index(r, 0).data().toString(), shown->index(r, 1).data().toString(),
                         shown->index(r, 2).data().toString()});
        return rows;
    }

    static void tick(MultiDeviceSelectionDialog &dialog, const QString &name)
    {
        auto *list = control<QTreeView>(dialog, "deviceList");
        const QModelIndexList hits =
            list->model()->match(list->model()->index(0, 0), Qt::DisplayRole, name, 1, Qt::MatchExactly);
        ASSERT_EQ(hits.size(), 1) << name.toStdString();
        list->setCurrentIndex(hits.first());
        QTest::keyClick(list, Qt::Key_Space);
        EXPECT_EQ(hits.first().data(Qt::CheckStateRole).toInt(), Qt::Checked) << name.toStdString();
    }

    static void click(MultiDeviceSelectionDialog &dialog, const char *button)
    {
        QTest::mouseClick(control<QPushButton>(dialog, button), Qt::LeftButton);
    }

    static inline QTemporaryDir *s_dir = nullptr;
    static inline NetworkDatabase *s_server = nullptr;
    LnsRef<LnsNetwork> m_network;
    LnsRef<LnsAppDevice> m_current;
    UtilityComponent m_description;
    std::function<void(MultiDeviceSelectionDialog &, int done)> m_onProgress;
    QList<std::pair<int, int>> m_progress;
    int m_completed = 0;
};

TEST_F(MultiDeviceSelectionTest, ScriptedSearchOffersExactlyTheDevicesThatTakeTheSet)
{
    // Names asked in another order than shown; RX 0 has another program id,
    // RX 2 is the device itself.
    ScriptedDeviceSelection selection(
        {nameOf(3), nameOf(6), nameOf(0), nameOf(kCurrent), QStringLiteral("RX far")});
    QObject::connect(&selection, &MultiDeviceSelection::Progress, [this](int done, int total) {
        m_progress.append({done, total});
    });
    QObject::connect(&selection, &MultiDeviceSelection::SearchCompleted, [this] { ++m_completed; });

    const auto chosen =
        selection.chooseDevices(m_network, m_network->system(), m_current, m_description, nullptr);

    EXPECT_EQ(selection.offered(), expectedOffer());
    EXPECT_EQ(namesOf(chosen), (QStringList{nameOf(6), nameOf(3)}));
    EXPECT_EQ(m_completed, 1);
    ASSERT_FALSE(m_progress.isEmpty());
    EXPECT_EQ(m_progress.last(), std::make_pair(kDevices, kDevices));
}

TEST_F(MultiDeviceSelectionTest, DialogShowsEachDeviceWithPathAndReachabilityAndReturnsTheTwoTicked)
{
    const auto chosen = runDialog([](MultiDeviceSelectionDialog &dialog) {
        const QList<QStringList> rows = shownRows(dialog);
        QStringList names;
        for (const QStringList &row : rows) {
            names.append(row.at(0));
            const int i = row.at(0).mid(3).toInt();
            EXPECT_EQ(row.at(1), pathOf(i)) << row.at(0).toStdString();
            EXPECT_EQ(row.at(2), reachable(i) ? QStringLiteral("yes") : QStringLiteral("no"));
        }
        EXPECT_EQ(names, expectedOffer());
        EXPECT_EQ(control<QLabel>(dialog, "searchText")->text(),
                  QStringLiteral("%1 devices found.").arg(expectedOffer().size()));
        auto *progress = control<QProgressBar>(dialog, "searchProgress");
        EXPECT_EQ(progress->value(), progress->maximum());
        EXPECT_FALSE(control<QPushButton>(dialog, "cancelSearch")->isEnabled());

        tick(dialog, nameOf(3)); // Floor 10
        tick(dialog, nameOf(1)); // Floor 1.Room 12, so shown first
        click(dialog, "okButton");
    });

    ASSERT_EQ(namesOf(chosen), (QStringList{nameOf(1), nameOf(3)}));
    EXPECT_EQ(std::dynamic_pointer_cast<LnsSubsystem>(chosen.at(0)->parent())->path(), pathOf(1));
    EXPECT_EQ(chosen.at(0)->programId(), kCompatibleId);
    EXPECT_EQ(m_completed, 1);
}

TEST_F(MultiDeviceSelectionTest, FilterNarrowsTheListAndSelectAllOrNoneActOnTheDevicesShown)
{
    const auto holds = [](const QString &part) {
        return [part](int i) { return nameOf(i).contains(part, Qt::CaseInsensitive); };
    };
    const auto chosen = runDialog([&](MultiDeviceSelectionDialog &dialog) {
        auto *filter = control<QLineEdit>(dialog, "nameFilter");
        QTest::keyClicks(filter, QStringLiteral("rx 1"));
        QStringList shown;
        for (const QStringList &row : shownRows(dialog))
            shown.append(row.at(0));
        EXPECT_EQ(shown, expectedOffer(holds(QStringLiteral("RX 1"))));
        click(dialog, "selectAll");

        filter->clear();
        QTest::keyClicks(filter, QStringLiteral("RX 19"));
        click(dialog, "selectNone");
        filter->clear();
        EXPECT_EQ(shownRows(dialog).size(), expectedOffer().size());
        click(dialog, "okButton");
    });

    EXPECT_EQ(namesOf(chosen), expectedOffer([&](int i) {
                  return holds(QStringLiteral("RX 1"))(i) && !holds(QStringLiteral("RX 19"))(i);
              }));
}

TEST_F(MultiDeviceSelectionTest, CancelSearchStopsTheSearchAndCancelReturnsNothing)
{
    // Twenty devices a step: the search is still running when the first
    // devices show; the user stops it there.
    bool stopped = false;
    m_onProgress = [&](MultiDeviceSelectionDialog &dialog, int done) {
        if (done > 0 && !stopped) {
            stopped = true;
            click(dialog, "cancelSearch");
        }
    };
    const auto chosen = runDialog(
        [&](MultiDeviceSelectionDialog &dialog) {
            EXPECT_TRUE(stopped);
            const qsizetype found = shownRows(dialog).size();
            EXPECT_GT(found, 0);
            EXPECT_LT(found, expectedOffer().size());
            EXPECT_EQ(control<QLabel>(dialog, "searchText")->text(),
                      QStringLiteral("Search cancelled; %1 devices found.").arg(found));
            tick(dialog, shownRows(dialog).first().first());
            click(dialog, "cancelButton");
        },
        20);

    EXPECT_TRUE(chosen.isEmpty());
    EXPECT_EQ(m_completed, 1);
}
} // namespace
