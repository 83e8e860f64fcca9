#pragma once

#include "batch/BatchSession.h"
#include "director/NetworkGenerator.h"
#include "host/HostFixture.h"
#include "platform/services/FileDialog.h"
#include "project/DeviceFilterModel.h"
#include "project/ProjectTree.h"
#include "project/ProjectWindow.h"

#include <QAction>
#include <QSettings>
#include <QTableView>
#include <QTest>

// The host fixture's settings and plug-in description, and a project of its
// own: the network "Gen" of 200 generated devices in 4 subsystems, shown in
// a real project window.
class ProjectWindowFixture : public HostFixture
{
protected:
    static constexpr int Devices = 200;

    static void SetUpTestSuite()
    {
        // Generated once: every test starts from a copy.
        s_template = std::make_unique<QTemporaryDir>();
        NetworkDatabase db(s_template->filePath(QStringLiteral("gen.lnsdb")),
                           NetworkDatabase::OpenMode::Create);
        db.connectServer(0);
        NetworkGenerator::Options options;
        options.network = QStringLiteral("Gen");
        options.devices = Devices;
        options.interfaceFile = QStringLiteral(RX24_SOURCE_DIR "/resources/data/RX24.xif");
        options.templateFile = QStringLiteral(RX24_SOURCE_DIR "/resources/data/RX24.ini");
        NetworkGenerator(db).generate(options);
        db.disconnectServer();
    }
    static void TearDownTestSuite() { s_template.reset(); }

    void SetUp() override
    {
        HostFixture::SetUp();
        FileDialog::setTestMode(true);
        FileDialog::clearTestRecord();
        ASSERT_TRUE(QFile::copy(s_template->filePath(QStringLiteral("gen.lnsdb")), project()));
        // The plug-in a director starts opens this project too.
        QSettings settings(path("registry.ini"), QSettings::IniFormat);
        settings.setValue(QStringLiteral("SOFTWARE/velto/LNS/DatabasePath"), project());
    }

    void TearDown() override
    {
        window.reset();
        FileDialog::clearTestRecord();
        FileDialog::setTestMode(false);
        HostFixture::TearDown();
    }

    QString project() const { return path("project.lnsdb"); }

    void openWindow(const QString &location)
    {
        window = std::make_unique<ProjectWindow>(location);
        window->show();
        ASSERT_TRUE(window->open());
    }

    QTableView *table() const { return window->findChild<QTableView *>(QStringLiteral("deviceTable")); }
    ProjectTree *tree() const { return window->findChild<ProjectTree *>(QStringLiteral("projectTree")); }
    QAction *action(const char *name) const { return window->findChild<QAction *>(QLatin1String(name)); }
    int shownRows() const { return window->filterModel().rowCount(); }
    QString cell(int shownRow, int column) const
    {
        return window->filterModel().index(shownRow, column).data().toString();
    }

    // Chooses the shown rows of these generated devices (numbers from 0).
    void choose(const QList<int> &generated)
    {
        table()->clearSelection();
        for (int i : generated) {
            const int row = window->devices().rowOf(NetworkGenerator::devicePath(i, Devices, 4),
                                                    NetworkGenerator::deviceName(i));
            ASSERT_GE(row, 0) << i;
            const QModelIndex shown = window->filterModel().mapFromSource(window->devices().index(row, 0));
            ASSERT_TRUE(shown.isValid()) << i;
            table()->selectionModel()->select(shown, QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    }

    // Generated device i as the table holds it.
    BatchDevice generated(int i) const
    {
        const int row = window->devices().rowOf(NetworkGenerator::devicePath(i, Devices, 4),
                                                NetworkGenerator::deviceName(i));
        return row < 0 ? BatchDevice() : window->devices().device(row).device;
    }

    template <typename T> T *waitFor(const char *name, int timeoutMs = 20000) const
    {
        T *found = nullptr;
        const auto look = [&] {
            for (QWidget *widget : QApplication::topLevelWidgets()) {
                if (widget->objectName() == QLatin1String(name) && widget->isVisible())
                    found = qobject_cast<T *>(widget);
                else if (auto *child = widget->findChild<T *>(QLatin1String(name));
                         child && child->isVisible())
                    found = child;
                if (found)
                    return true;
            }
            return false;
        };
        if (!QTest::qWaitFor(look, timeoutMs))
            return nullptr;
        return found;
    }

    std::unique_ptr<ProjectWindow> window;
    static inline std::unique_ptr<QTemporaryDir> s_template;
};
